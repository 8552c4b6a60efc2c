#include "ui/main_window.h"

#include <algorithm>
#include <array>
#include <memory>

#include "app/handlers.h"
#include "network/hosted_network.h"
#include "platform/win32/scoped.h"
#include "sharing/share_actions.h"
#include "ui/hyperlink.h"
#include "ui/label.h"
#include "ui/layout.h"
#include "ui/picture_button.h"
#include "ui/resource.h"
#include "ui/window.h"

namespace zephyra::ui {
namespace {

constexpr char kClassName[] = "ZephyraMainWindow";
// Fixed single frame, close button only: no sizing border, no minimise or maximise box.
// No WS_CLIPCHILDREN: a group box paints only its frame and caption, so the window's
// own background has to show through inside it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

struct ClickAction {
  int id;
  void (*handler)(PlatformServices&);
};
constexpr ClickAction kClickActions[] = {
    {IDC_超级按钮1, createHostedNetwork}, {IDC_超级按钮2, shareConnection},
    {IDC_超级按钮3, startHostedNetwork},  {IDC_超级按钮4, stopHostedNetwork},
    {IDC_超级按钮5, removeHostedNetwork}, {IDC_超级按钮6, unshareConnection},
    {IDC_按钮1, showUsage},               {IDC_按钮2, showAbout},
};

// The controls that the handlers reach through the platform services.
struct PlatformControl {
  int id;
  Control control;
};
constexpr PlatformControl kPlatformControls[] = {
    {IDC_编辑框1, Control::编辑框1}, {IDC_编辑框2, Control::编辑框2},
    {IDC_组合框1, Control::组合框1}, {IDC_组合框2, Control::组合框2},
    {IDC_超级链接框1, Control::超级链接框1},
};

constexpr int kBitmapCount = IDB_ABOUT - IDB_CREATE + 1;

const ControlLayout* layoutOf(int id) {
  auto found = std::find_if(CONTROLS.begin(), CONTROLS.end(),
                            [id](const ControlLayout& c) { return c.id == id; });
  return found == CONTROLS.end() ? nullptr : &*found;
}

// The notification by which a control of this kind tells its parent it took the focus.
UINT setFocusNotification(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit: return EN_SETFOCUS;
    case ControlKind::DropDown: return CBN_SETFOCUS;
    case ControlKind::PictureButton:
    case ControlKind::PushButton: return BN_SETFOCUS;
    default: return 0xFFFF;  // never takes the focus
  }
}

void setFont(HWND control, HFONT font) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

class MainWindow : public Window<MainWindow> {
 public:
  MainWindow(HINSTANCE instance, win32::Win32Platform& platform)
      : instance_(instance), platform_(platform) {}
  static bool registerClasses(HINSTANCE instance);
  HWND create();

 private:
  friend class Window<MainWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool OnCreate();
  LRESULT OnCtlColorStatic(HDC hdc, HWND control);
  // void OnCommand(int id, UINT code, HWND control)
  void OnCommand(int id, UINT code, HWND control);
  void OnActivate(UINT state, bool minimized);
  void OnSetFocus();
  void OnClose();
  void OnDestroy();
  void OnNcDestroy();

  bool loadResources();
  HWND createControl(const ControlLayout& layout);
  HWND createStandard(const char* className, DWORD exStyle, DWORD style,
                      const ControlLayout& layout);
  HWND createEdit(const ControlLayout& layout);
  HWND createDropDown(const ControlLayout& layout);
  HWND createPushButton(const ControlLayout& layout);
  HBITMAP bitmap(int id) const { return id ? bitmaps_[id - IDB_CREATE].get() : nullptr; }
  void restoreFocus();

  HINSTANCE instance_;
  win32::Win32Platform& platform_;
  // Made once with the window and deleted when it goes.
  win32::ScopedGdi<HFONT> groupFont_, labelFont_, linkFont_;
  std::array<win32::ScopedGdi<HBITMAP>, kBitmapCount> bitmaps_;
  std::array<Label, 4> labels_;
  std::array<PictureButton, 6> pictureButtons_;
  Hyperlink hyperlink_;
  size_t labelsMade_ = 0, pictureButtonsMade_ = 0;
  HWND lastFocus_ = nullptr;  // the control that had the focus last
};

std::unique_ptr<MainWindow> theMainWindow;

bool MainWindow::registerClasses(HINSTANCE instance) {
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ZEPHYRA));
  HICON smallIcon = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDI_ZEPHYRA), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  return Window::registerClass(instance, kClassName, IDC_ARROW, icon, smallIcon) &&
         Label::registerClass(instance) && PictureButton::registerClass(instance) &&
         Hyperlink::registerClass(instance);
}

HWND MainWindow::create() {
  Point origin = windowOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return createWindow(0, kClassName, WINDOW_TITLE, kWindowStyle, origin.x, origin.y,
                      WINDOW_WIDTH, WINDOW_HEIGHT, nullptr, 0, instance_);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // bool OnCreate()
    case WM_CREATE: return OnCreate() ? 0 : -1;
    // LRESULT OnCtlColorStatic(HDC hdc, HWND control)
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    // void OnActivate(UINT state, bool minimized)
    case WM_ACTIVATE: OnActivate(LOWORD(wParam), HIWORD(wParam) != 0); return 0;
    // void OnSetFocus()
    case WM_SETFOCUS: OnSetFocus(); return 0;
    // void OnClose()
    case WM_CLOSE: OnClose(); return 0;
    // void OnDestroy()
    case WM_DESTROY: OnDestroy(); return 0;
    // void OnNcDestroy()
    case WM_NCDESTROY: OnNcDestroy(); break;
  }
  return defaultProcedure(message, wParam, lParam);
}

bool MainWindow::OnCreate() {
  platform_.setMainWindow(hwnd_);
  if (!loadResources()) return false;
  for (const ControlLayout& layout : CONTROLS) {
    HWND control = createControl(layout);
    if (!control) return false;
    for (const PlatformControl& known : kPlatformControls)
      if (known.id == layout.id) platform_.setControlWindow(known.control, control);
  }
  return true;
}

// Fonts are required; a picture that cannot be loaded only leaves its button without it.
bool MainWindow::loadResources() {
  groupFont_.reset(createFont(GROUP_CAPTION_FONT));
  labelFont_.reset(createFont(LABEL_FONT));
  linkFont_.reset(createFont(LINK_FONT));
  for (int i = 0; i < kBitmapCount; ++i) {
    bitmaps_[i].reset(static_cast<HBITMAP>(LoadImageA(
        instance_, MAKEINTRESOURCEA(IDB_CREATE + i), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  }
  return groupFont_ && labelFont_ && linkFont_;
}

HWND MainWindow::createControl(const ControlLayout& layout) {
  switch (layout.kind) {
    case ControlKind::GroupBox: {
      HWND box = createStandard("BUTTON", 0, BS_GROUPBOX | BS_CENTER | WS_CLIPSIBLINGS, layout);
      if (box) setFont(box, groupFont_.get());
      return box;
    }
    case ControlKind::Label:
      return labels_[labelsMade_++].create(hwnd_, layout, labelFont_.get(), instance_);
    case ControlKind::Edit: return createEdit(layout);
    case ControlKind::DropDown: return createDropDown(layout);
    case ControlKind::PictureButton:
      return pictureButtons_[pictureButtonsMade_++].create(hwnd_, layout, bitmap(layout.bitmap),
                                                           instance_);
    case ControlKind::PushButton: return createPushButton(layout);
    case ControlKind::Hyperlink:
      return hyperlink_.create(hwnd_, layout, linkFont_.get(), instance_);
  }
  return nullptr;
}

HWND MainWindow::createStandard(const char* className, DWORD exStyle, DWORD style,
                                const ControlLayout& layout) {
  return CreateWindowExA(exStyle, className, layout.text, kChild | style, layout.left, layout.top,
                         layout.width, layout.height, hwnd_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance_,
                         nullptr);
}

// Plain text, no limit, no masking; taller than designed only if its font needs it.
HWND MainWindow::createEdit(const ControlLayout& layout) {
  HWND edit = createStandard("EDIT", WS_EX_CLIENTEDGE, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                             layout);
  if (!edit) return nullptr;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  setFont(edit, font);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  TEXTMETRICA metrics = {};
  {
    win32::ScopedGetDC dc(edit);
    win32::ScopedSelectObject selected(dc.get(), font);
    GetTextMetricsA(dc.get(), &metrics);
  }
  int needed = metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);
  if (needed > layout.height)
    SetWindowPos(edit, nullptr, 0, 0, layout.width, needed, SWP_NOMOVE | SWP_NOZORDER);
  return edit;
}

// Editable, unsorted; the list's items one pixel taller than the default.
HWND MainWindow::createDropDown(const ControlLayout& layout) {
  HWND list = createStandard("COMBOBOX", 0,
                             WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, layout);
  if (!list) return nullptr;
  setFont(list, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SendMessageA(list, CB_LIMITTEXT, 0, 0);
  LRESULT itemHeight = SendMessageA(list, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight > 0 && SendMessageA(list, CB_SETITEMHEIGHT, 0, itemHeight + 1) == CB_ERR) {
    // Wine's combo box takes an item height only for owner-drawn lists; its list does.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(list, &info) && info.hwndList)
      SendMessageA(info.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
  }
  return list;
}

// Shows its picture; without one, its caption in the label font.
HWND MainWindow::createPushButton(const ControlLayout& layout) {
  HBITMAP picture = bitmap(layout.bitmap);
  HWND button = createStandard(
      "BUTTON", 0, WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY | (picture ? BS_BITMAP : 0), layout);
  if (!button) return nullptr;
  setFont(button, labelFont_.get());
  if (picture)
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  return button;
}

// Group boxes draw their captions in their own colour on the button face.
LRESULT MainWindow::OnCtlColorStatic(HDC hdc, HWND control) {
  const ControlLayout* layout = layoutOf(GetDlgCtrlID(control));
  if (!layout || layout->kind != ControlKind::GroupBox)
    return defaultProcedure(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                            reinterpret_cast<LPARAM>(control));
  SetTextColor(hdc, toColorref(GROUP_CAPTION_COLOUR));
  SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnCommand(int id, UINT code, HWND control) {
  const ControlLayout* layout = layoutOf(id);
  if (!layout || control == nullptr) return;  // menus and accelerators: there are none
  if (code == setFocusNotification(layout->kind)) {
    lastFocus_ = control;
    return;
  }
  if (code != BN_CLICKED) return;
  for (const ClickAction& action : kClickActions)
    if (action.id == id) action.handler(platform_);
}

// Activation gives the focus back to the control that had it, else to the first one.
void MainWindow::OnActivate(UINT state, bool minimized) {
  if (state != WA_INACTIVE && !minimized) restoreFocus();
}

void MainWindow::OnSetFocus() { restoreFocus(); }

void MainWindow::restoreFocus() {
  HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_
                                                    : GetDlgItem(hwnd_, FOCUS_ORDER[0]);
  if (target) SetFocus(target);
}

// The close query never keeps the window open.
void MainWindow::OnClose() {
  onCloseQuery(platform_);
  DestroyWindow(hwnd_);
}

void MainWindow::OnDestroy() {
  onMainWindowDestroyed(platform_);
  PostQuitMessage(0);
}

// The children are gone by now: their fonts and pictures can go too.
void MainWindow::OnNcDestroy() {
  groupFont_.reset();
  labelFont_.reset();
  linkFont_.reset();
  for (auto& picture : bitmaps_) picture.reset();
  platform_.setMainWindow(nullptr);
}

// Tab and Shift+Tab walk the focus order from whichever control (or a combo box's edit
// field) has the focus now.
void moveFocus(HWND mainWindow, bool backward) {
  HWND focus = GetFocus();
  int current = -1;
  for (int i = 0; i < FOCUS_COUNT && current < 0; ++i) {
    HWND control = GetDlgItem(mainWindow, FOCUS_ORDER[i]);
    if (control && (control == focus || IsChild(control, focus))) current = i;
  }
  HWND next = GetDlgItem(mainWindow, FOCUS_ORDER[nextFocusIndex(current, backward)]);
  if (next) SetFocus(next);
}

// The window's own keys; true when the message was used up.
bool handleWindowKey(HWND mainWindow, const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.hwnd != mainWindow && !IsChild(mainWindow, msg.hwnd)) return false;
  switch (msg.wParam) {
    case VK_TAB: moveFocus(mainWindow, GetKeyState(VK_SHIFT) < 0); return true;
    case VK_ESCAPE: PostMessageA(mainWindow, WM_CLOSE, 0, 0); return true;  // the close query
  }
  return false;
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, win32::Win32Platform& platform) {
  if (!MainWindow::registerClasses(instance)) return nullptr;
  theMainWindow = std::make_unique<MainWindow>(instance, platform);
  HWND hwnd = theMainWindow->create();
  if (!hwnd) {
    theMainWindow.reset();
    return nullptr;
  }
  // May end the process (another copy runs): only then is the window shown.
  onMainWindowCreated(platform);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  UpdateWindow(hwnd);
  return hwnd;
}

int runMessageLoop(HWND mainWindow) {
  MSG msg = {};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    if (handleWindowKey(mainWindow, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  theMainWindow.reset();
  return got == 0 ? static_cast<int>(msg.wParam) : 1;
}

}  // namespace zephyra::ui
