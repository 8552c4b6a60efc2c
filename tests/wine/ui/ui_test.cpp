// The main window end to end: each test starts Zephyra.exe from this program's folder,
// drives it with real input (SendInput) and reads its window from outside: rectangles,
// styles, the focus of its thread, texts and screen pixels.
// The hyperlink tests install open_recorder.exe (beside it) as the shell's handlers.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/maker.h"
#include "ui/resource.h"

namespace {

constexpr char kTitle[] = " Zephyra";
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::string ownFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.rfind('\\'));
}

std::string recordPath() { return ownFolder() + "\\opened.txt"; }

std::string readFile(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
    std::fclose(f);
  }
  return text;
}

// Handles this thread's messages meanwhile: the program sends messages to every
// top-level window (this thread's hidden ones too) and waits for the answers.
bool waitFor(const std::function<bool()>& condition, DWORD ms = 3000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > ms) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void pumpFor(DWORD ms) {
  waitFor([] { return false; }, ms);
}

// ---- input, as the keyboard and mouse would give it ----
void sendKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

void tap(WORD key, bool shifted = false) {
  if (shifted) sendKey(VK_SHIFT, true);
  sendKey(key, true);
  sendKey(key, false);
  if (shifted) sendKey(VK_SHIFT, false);
}

// Each character with the key (and Shift) that makes it on the keyboard layout.
void typeText(const std::string& ascii) {
  for (char c : ascii) {
    SHORT scan = VkKeyScanA(c);
    tap(static_cast<WORD>(LOBYTE(scan)), (HIBYTE(scan) & 1) != 0);
  }
}

void moveMouse(POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void leftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

// ---- screen pixels ----
struct Capture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  int count(COLORREF colour) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
  }
  bool operator==(const Capture& other) const { return pixels == other.pixels; }
};

Capture capture(const RECT& screen) {
  Capture shot;
  shot.width = screen.right - screen.left;
  shot.height = screen.bottom - screen.top;
  HDC screenDc = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screenDc);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screenDc, screen.left, screen.top, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const RGBQUAD*>(bits);
  for (int i = 0; i < shot.width * shot.height; ++i)
    shot.pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screenDc);
  return shot;
}

// ---- registry of the prefix's shell handlers ----
void setClassesRootDefault(const char* key, const std::string& value) {
  RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

std::string recorderCommand(const char* placeholder) {
  return "\"" + ownFolder() + "\\open_recorder.exe\" " + placeholder;
}

// A control's text, asked of the control itself (GetWindowText of another process's
// window gives only its stored caption, not an edit field's contents).
std::string textOf(HWND hwnd) {
  std::vector<char> text(static_cast<size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1);
  SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

// ---- the program under test ----
struct Expected {
  int id;
  int left, top, width, height;  // client coordinates
};

// The form's layout, control by control, in the window's client coordinates.
const Expected kLayout[] = {
    {IDC_分组框1, 8, 8, 456, 96},      {IDC_标签1, 19, 33, 78, 20},
    {IDC_编辑框1, 105, 35, 225, 20},   {IDC_标签2, 19, 61, 78, 20},
    {IDC_编辑框2, 105, 62, 225, 20},   {IDC_超级按钮1, 345, 23, 104, 64},
    {IDC_分组框2, 8, 110, 456, 96},    {IDC_标签4, 19, 135, 78, 20},
    {IDC_组合框1, 105, 137, 225, 0},   {IDC_标签3, 19, 163, 78, 20},
    {IDC_组合框2, 105, 164, 225, 0},   {IDC_超级按钮2, 345, 125, 104, 64},
    {IDC_分组框3, 8, 212, 456, 96},    {IDC_超级按钮3, 17, 233, 88, 63},
    {IDC_超级按钮4, 134, 233, 88, 63}, {IDC_超级按钮5, 253, 233, 88, 63},
    {IDC_超级按钮6, 367, 233, 88, 63}, {IDC_超级链接框1, 5, 332, 192, 16},
    {IDC_按钮1, 230, 316, 104, 34},    {IDC_按钮2, 357, 316, 104, 34},
};

const int kFocusOrder[] = {IDC_超级按钮2, IDC_组合框2,   IDC_超级按钮1, IDC_编辑框1,
                           IDC_编辑框2,   IDC_组合框1,   IDC_超级按钮3, IDC_超级按钮4,
                           IDC_超级按钮5, IDC_超级按钮6, IDC_按钮1,     IDC_按钮2};
constexpr int kFocusCount = sizeof kFocusOrder / sizeof kFocusOrder[0];

struct TopLevel {
  HWND hwnd;
  std::string title;
};

// The visible top-level windows of a process.
std::vector<TopLevel> topLevelsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<TopLevel> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        char title[256] = {};
        GetWindowTextA(hwnd, title, sizeof title);
        if (owner == search->processId && IsWindowVisible(hwnd))
          search->found.push_back({hwnd, title});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class ZephyraWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA(recordPath().c_str());
    parkMouse();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string folder = ownFolder();
    std::string command = "\"" + folder + "\\Zephyra.exe\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &process_));
    ASSERT_TRUE(waitFor([&] { return (window_ = topLevel(kTitle)) != nullptr; }, 30000));
    WaitForInputIdle(process_.hProcess, 5000);
    SetForegroundWindow(window_);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == window_; }));
    // The first activation gives the focus to the first control of the order.
    ASSERT_TRUE(waitFor([&] { return focusedId() == IDC_超级按钮2; })) << focusedId();
  }

  void TearDown() override {
    leftButton(false);
    if (alive()) TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  bool alive() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  HWND topLevel(const std::string& title) const {
    for (const TopLevel& window : topLevelsOf(process_.dwProcessId))
      if (window.title == title) return window.hwnd;
    return nullptr;
  }

  HWND control(int id) const { return GetDlgItem(window_, id); }

  // The titles of the program's visible top-level windows, for failure messages.
  std::string windows() const {
    std::string titles = " windows:";
    for (const TopLevel& window : topLevelsOf(process_.dwProcessId))
      titles += " [" + window.title + "]";
    return titles;
  }

  RECT clientRect(int id) const {
    RECT rect;
    GetWindowRect(control(id), &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  RECT screenRect(int id) const {
    RECT rect;
    GetWindowRect(control(id), &rect);
    return rect;
  }

  POINT screenPoint(int id, int x, int y) const {
    RECT rect = screenRect(id);
    return {rect.left + x, rect.top + y};
  }

  // The control whose window (or, for a combo box, whose edit field) has the focus.
  int focusedId() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info) || !info.hwndFocus) return 0;
    HWND focus = info.hwndFocus;
    while (focus && GetParent(focus) != window_) focus = GetParent(focus);
    return focus ? GetDlgCtrlID(focus) : 0;
  }

  void parkMouse() { moveMouse({2, 2}); }

  // Returns once the program's thread has handled what came before it (a press on the
  // link runs the shell on that thread).
  void settle() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
  }

  // Tab presses from the first control until `id` has the focus.
  void focusByTab(int id) {
    for (int i = 0; focusedId() != id && i < kFocusCount; ++i) {
      int before = focusedId();
      tap(VK_TAB);
      waitFor([&] { return focusedId() != before; });
    }
    ASSERT_EQ(focusedId(), id);
  }

  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

// ---- the window itself ----

TEST_F(ZephyraWindow, IsCentredFixedAndHasOnlyACloseButton) {
  RECT rect;
  GetWindowRect(window_, &rect);
  EXPECT_EQ(rect.right - rect.left, 478);
  EXPECT_EQ(rect.bottom - rect.top, 386);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 478) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 386) / 2);

  LONG style = GetWindowLongA(window_, GWL_STYLE);
  LONG exStyle = GetWindowLongA(window_, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);  // a taskbar button
  EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(window_), nullptr);
  POINT corner = {2, 2};  // the background, between the controls
  ClientToScreen(window_, &corner);
  EXPECT_EQ(capture({corner.x, corner.y, corner.x + 1, corner.y + 1}).at(0, 0),
            GetSysColor(COLOR_BTNFACE));
  // The frame's edge is a border, not a sizing handle.
  LRESULT hit = SendMessageA(window_, WM_NCHITTEST, 0,
                             MAKELPARAM(rect.right - 1, (rect.top + rect.bottom) / 2));
  EXPECT_NE(hit, HTRIGHT);
}

TEST_F(ZephyraWindow, EveryControlSitsAtItsClientPositionAndSize) {
  for (const Expected& e : kLayout) {
    SCOPED_TRACE(::testing::Message() << "control " << e.id);
    ASSERT_NE(control(e.id), nullptr);
    RECT r = clientRect(e.id);
    EXPECT_NEAR(r.left, e.left, 2);
    EXPECT_NEAR(r.top, e.top, 2);
    EXPECT_NEAR(r.right - r.left, e.width, 2);
    if (e.height) {
      EXPECT_NEAR(r.bottom - r.top, e.height, 2);
    }
    EXPECT_TRUE(IsWindowVisible(control(e.id)) && IsWindowEnabled(control(e.id)));
  }
}

// The list a combo box of the program drops down: a window of the program's thread.
BOOL CALLBACK findDroppedList(HWND hwnd, LPARAM param) {
  char className[64] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (!IsWindowVisible(hwnd) || std::strcmp(className, "ComboLBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(param) = hwnd;
  return FALSE;
}

TEST_F(ZephyraWindow, ListsAreEditableUnsortedDropDownsOf160Pixels) {
  // A combo box made here with the same font gives the toolkit's default item height.
  HWND reference = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 0, 0, 225, 160,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(reference, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  LRESULT defaultItemHeight = SendMessageA(reference, CB_GETITEMHEIGHT, 0, 0);
  DestroyWindow(reference);
  for (int id : {IDC_组合框1, IDC_组合框2}) {
    SCOPED_TRACE(::testing::Message() << "list " << id);
    HWND list = control(id);
    LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(style & CBS_DROPDOWNLIST, CBS_DROPDOWN);
    EXPECT_EQ(style & (CBS_SORT | CBS_AUTOHSCROLL), CBS_AUTOHSCROLL);
    EXPECT_EQ(SendMessageA(list, CB_GETITEMHEIGHT, 0, 0), defaultItemHeight + 1);
    RECT closed = clientRect(id);
    EXPECT_LT(closed.bottom - closed.top, 40);  // closed, as high as its edit field

    // Enough items to fill it: dropped down, list and field are 160 high, with a scroll bar.
    // (Wide texts: under Wine an ANSI item text added to or read from another process's
    // list arrives as its first character only.)
    const wchar_t* items[] = {L"zeta", L"alpha", L"mu", L"beta", L"c", L"d", L"e", L"f", L"g",
                              L"h", L"i", L"j"};
    for (const wchar_t* item : items)
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    wchar_t first[16] = {}, second[16] = {};
    SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    SendMessageW(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));
    EXPECT_STREQ(first, L"zeta");  // insertion order
    EXPECT_STREQ(second, L"alpha");
    SendMessageA(list, CB_SHOWDROPDOWN, TRUE, 0);
    HWND dropped = nullptr;
    ASSERT_TRUE(waitFor([&] {
      EnumThreadWindows(process_.dwThreadId, findDroppedList, reinterpret_cast<LPARAM>(&dropped));
      return dropped != nullptr;
    }));
    // The list shows whole items only, so it may end up to one item short of the 160.
    RECT field = screenRect(id), shown;
    GetWindowRect(dropped, &shown);
    EXPECT_LE(shown.bottom - field.top, 160);
    EXPECT_GT(shown.bottom - field.top, 160 - defaultItemHeight - 4);
    // Windows reports the whole dropped control, Wine the list alone.
    RECT reported = {};
    SendMessageA(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&reported));
    int height = reported.bottom - reported.top;
    EXPECT_TRUE(height == 160 || height == 160 - (closed.bottom - closed.top)) << height;
    EXPECT_NE(GetWindowLongA(dropped, GWL_STYLE) & WS_VSCROLL, 0);
    SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
    waitFor([&] { return !IsWindowVisible(dropped); });
  }
}

TEST_F(ZephyraWindow, TextsAndKindsOfTheStandardControls) {
  struct Text {
    int id;
    const char* className;
    const char* text;
  };
  const Text texts[] = {
      {IDC_分组框1, "Button", "创建Zephyra"}, {IDC_分组框2, "Button", "共享网络设置"},
      {IDC_分组框3, "Button", "全局设置"},    {IDC_标签1, nullptr, "WiFi名称："},
      {IDC_标签2, nullptr, "WiFi密码："},     {IDC_标签3, nullptr, "共享名称："},
      {IDC_标签4, nullptr, "供网名称："},     {IDC_超级链接框1, nullptr, "Quorvane技术 从专注踏往专业"},
      {IDC_按钮1, "Button", "使用说明"},      {IDC_按钮2, "Button", "关于软件"},
      {IDC_编辑框1, "Edit", ""},              {IDC_编辑框2, "Edit", ""},
  };
  char className[64];
  for (const Text& t : texts) {
    SCOPED_TRACE(::testing::Message() << "control " << t.id);
    EXPECT_EQ(textOf(control(t.id)), t.text);
    GetClassNameA(control(t.id), className, sizeof className);
    if (t.className) {
      EXPECT_STRCASEEQ(className, t.className);
    }
  }
  for (int id : {IDC_分组框1, IDC_分组框2, IDC_分组框3})
    EXPECT_EQ(GetWindowLongA(control(id), GWL_STYLE) & (BS_TYPEMASK | BS_CENTER),
              BS_GROUPBOX | BS_CENTER);
  for (int id : {IDC_按钮1, IDC_按钮2}) {
    LONG style = GetWindowLongA(control(id), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);  // not a default button
    EXPECT_EQ(style & BS_BITMAP, BS_BITMAP);
    EXPECT_NE(SendMessageA(control(id), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  }
  for (int id : {IDC_编辑框1, IDC_编辑框2}) {
    EXPECT_EQ(GetWindowLongA(control(id), GWL_STYLE) & (ES_PASSWORD | ES_READONLY | ES_NUMBER),
              0);
    EXPECT_NE(GetWindowLongA(control(id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(SendMessageA(control(id), EM_GETPASSWORDCHAR, 0, 0), 0);
    EXPECT_GE(static_cast<unsigned long>(SendMessageA(control(id), EM_GETLIMITTEXT, 0, 0)),
              0x7FFFFFFEul);
  }
}

// ---- keys and focus ----

TEST_F(ZephyraWindow, TabWalksTheWholeOrderAndWraps) {
  for (int step = 1; step <= kFocusCount; ++step) {
    int want = kFocusOrder[step % kFocusCount];
    tap(VK_TAB);
    EXPECT_TRUE(waitFor([&] { return focusedId() == want; })) << "Tab " << step << ": got "
                                                              << focusedId() << ", want " << want;
  }
}

TEST_F(ZephyraWindow, ShiftTabWalksTheOrderBackAndWraps) {
  for (int step = 1; step <= kFocusCount; ++step) {
    int want = kFocusOrder[(kFocusCount - step) % kFocusCount];
    tap(VK_TAB, true);
    EXPECT_TRUE(waitFor([&] { return focusedId() == want; }))
        << "Shift+Tab " << step << ": got " << focusedId() << ", want " << want;
  }
}

TEST_F(ZephyraWindow, ActivationGivesTheFocusBackToTheControlThatHadIt) {
  focusByTab(IDC_编辑框1);
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == other; }));
  SetForegroundWindow(window_);
  ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == window_; }));
  EXPECT_TRUE(waitFor([&] { return focusedId() == IDC_编辑框1; })) << focusedId();
  DestroyWindow(other);
}

TEST_F(ZephyraWindow, EnterStartsNothingWhateverHasTheFocus) {
  for (int i = 0; i < kFocusCount; ++i) {
    int id = kFocusOrder[i];
    SCOPED_TRACE(::testing::Message() << "focus on " << id);
    ASSERT_EQ(focusedId(), id);
    tap(VK_RETURN);
    pumpFor(300);
    // No handler ran: none of them returns without a message box or a command line.
    EXPECT_EQ(topLevel("提醒："), nullptr);
    EXPECT_EQ(topLevel("恭喜您："), nullptr);
    EXPECT_EQ(topLevel("使用说明："), nullptr);
    EXPECT_EQ(topLevel("关于软件："), nullptr);
    EXPECT_EQ(GetForegroundWindow(), window_);
    EXPECT_EQ(focusedId(), id);
    tap(VK_TAB);
    waitFor([&] { return focusedId() == kFocusOrder[(i + 1) % kFocusCount]; });
  }
}

class EscTest : public ZephyraWindow, public ::testing::WithParamInterface<int> {};

TEST_P(EscTest, RaisesTheCloseQueryWhateverHasTheFocus) {
  focusByTab(GetParam());
  tap(VK_ESCAPE);
  HWND query = nullptr;
  ASSERT_TRUE(waitFor([&] { return (query = topLevel("更多精彩：")) != nullptr; }, 10000))
      << windows();
  // Cancel: the window closes without opening anything.
  PostMessageA(query, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(query, IDCANCEL)));
  EXPECT_TRUE(waitFor([&] { return !alive(); }, 10000));
}

INSTANTIATE_TEST_SUITE_P(Focus, EscTest,
                         ::testing::Values(IDC_超级按钮2, IDC_组合框2, IDC_编辑框1, IDC_按钮1));

// ---- what is typed ----

TEST_F(ZephyraWindow, TextTypedIntoAListIsTheListsText) {
  focusByTab(IDC_组合框1);
  typeText("My ICS 2");
  EXPECT_TRUE(waitFor([&] { return textOf(control(IDC_组合框1)) == "My ICS 2"; }))
      << "[" << textOf(control(IDC_组合框1)) << "]";
  EXPECT_EQ(SendMessageA(control(IDC_组合框1), CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ZephyraWindow, KeyIsKeptInPlainCharactersWhateverItsLength) {
  focusByTab(IDC_编辑框2);
  std::string key;
  for (int i = 0; i < 40; ++i) key += "k3y-" + std::to_string(i);  // far wider than the box
  typeText(key);
  EXPECT_TRUE(waitFor([&] { return textOf(control(IDC_编辑框2)) == key; }, 10000))
      << textOf(control(IDC_编辑框2));
}

// ---- picture buttons ----

COLORREF lightened(COLORREF face) {
  int r = GetRValue(face), g = GetGValue(face), b = GetBValue(face);
  int largest = std::max(r, std::max(g, b));
  int s = largest + 32 > 255 ? 255 - largest : 32;
  return RGB(r + s, g + s, b + s);
}

TEST_F(ZephyraWindow, HoverDrawsTheLightenedRoundedFaceAndLeavingRestoresIt) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  RECT rect = screenRect(IDC_超级按钮3);  // 88 x 63, the picture at (5, 5)
  Capture flat = capture(rect);
  EXPECT_EQ(flat.at(2, 30), face);
  EXPECT_EQ(flat.at(0, 30), face);  // no border

  moveMouse(screenPoint(IDC_超级按钮3, 44, 31));
  Capture hover;
  ASSERT_TRUE(waitFor([&] { return (hover = capture(rect)).at(2, 30) != face; }));
  EXPECT_EQ(hover.at(2, 30), lightened(face));
  EXPECT_EQ(hover.at(0, 30), kBlack);   // the outline
  EXPECT_EQ(hover.at(44, 0), kBlack);
  EXPECT_NE(hover.at(0, 0), kBlack);    // a rounded corner
  for (int y = 5; y < 58; ++y)          // the picture itself stays put
    for (int x = 5; x < 83; ++x)
      if (flat.at(x, y) != face) {
        ASSERT_EQ(hover.at(x, y), flat.at(x, y)) << x << "," << y;
      }

  leftButton(true);
  Capture pressed;
  ASSERT_TRUE(waitFor([&] { return !((pressed = capture(rect)) == hover); }));
  for (int y = 5; y < 57; ++y)  // one pixel right and down
    for (int x = 5; x < 82; ++x)
      ASSERT_EQ(pressed.at(x + 1, y + 1), hover.at(x, y)) << x << "," << y;

  moveMouse({2, 2});  // released outside: no click
  leftButton(false);
  EXPECT_TRUE(waitFor([&] { return capture(rect) == flat; }));
}

TEST_F(ZephyraWindow, PictureButtonsTakeTheFocusWithoutAFocusRectangle) {
  RECT rect = screenRect(IDC_超级按钮4);
  Capture unfocused = capture(rect);
  focusByTab(IDC_超级按钮4);
  pumpFor(200);
  EXPECT_TRUE(capture(rect) == unfocused);
}

// Space on the focused button and a mouse click both run its handler: the share button
// warns about the empty lists, the usage button shows the usage text.
TEST_F(ZephyraWindow, SpaceOrAClickRunsTheButtonsHandler) {
  auto answered = [&](const char* title) {
    HWND box = nullptr;
    if (!waitFor([&] { return (box = topLevel(title)) != nullptr; }, 10000)) return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    if (!waitFor([&] { return topLevel(title) == nullptr; })) return false;
    SetForegroundWindow(window_);
    return waitFor([&] { return GetForegroundWindow() == window_; });
  };
  tap(VK_SPACE);  // the focus is on the share button
  EXPECT_TRUE(answered("提醒：")) << "Space" << windows();

  moveMouse(screenPoint(IDC_超级按钮2, 52, 32));
  leftButton(true);
  leftButton(false);
  EXPECT_TRUE(answered("提醒：")) << "click" << windows();

  parkMouse();
  focusByTab(IDC_按钮1);
  tap(VK_SPACE);
  EXPECT_TRUE(answered("使用说明：")) << "usage" << windows();
}

// ---- the hyperlink ----

class HyperlinkTest : public ZephyraWindow {
 protected:
  int countIn(COLORREF colour) { return capture(screenRect(IDC_超级链接框1)).count(colour); }
  POINT centre() { return screenPoint(IDC_超级链接框1, 96, 8); }
  // A click on the link; answers whether the target was opened.
  bool click(DWORD ms = 8000) {
    DeleteFileA(recordPath().c_str());
    moveMouse(centre());
    waitFor([&] { return countIn(RGB(255, 0, 0)) > 0; });
    leftButton(true);
    leftButton(false);
    return opened(ms);
  }
  bool opened(DWORD ms = 8000) {
    bool recorded = waitFor([&] { return !readFile(recordPath()).empty(); }, ms);
    settle();
    // A started handler may take the foreground; without it the mouse moves that follow
    // would not reach the link.
    SetForegroundWindow(window_);
    waitFor([&] { return GetForegroundWindow() == window_; });
    return recorded;
  }
  // Waits until the text shows in `colour` and in neither of the other two link colours.
  ::testing::AssertionResult showsOnly(COLORREF colour) {
    const COLORREF all[] = {RGB(0, 0, 255), RGB(255, 0, 0), kBlack};
    int counts[3] = {};
    bool ok = waitFor([&] {
      Capture shot = capture(screenRect(IDC_超级链接框1));
      bool only = true;
      for (int i = 0; i < 3; ++i) {
        counts[i] = shot.count(all[i]);
        only = only && (counts[i] > 0) == (all[i] == colour);
      }
      return only;
    });
    if (ok) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixels blue " << counts[0] << ", red " << counts[1]
                                         << ", black " << counts[2];
  }
};

TEST_F(HyperlinkTest, OpensItsTargetOnThePressAndTurnsBlack) {
  setClassesRootDefault("https\\shell\\open\\command", recorderCommand("%1"));
  EXPECT_TRUE(showsOnly(RGB(0, 0, 255))) << "blue at first";
  moveMouse(centre());
  EXPECT_TRUE(showsOnly(RGB(255, 0, 0))) << "red under the mouse";
  leftButton(true);  // held: the press opens it, not the release
  bool onPress = opened();
  leftButton(false);
  ASSERT_TRUE(onPress) << "opened on the press";
  EXPECT_EQ(readFile(recordPath()), std::string(zephyra::MAKER_WEB_ADDRESS) + "\n");
  moveMouse({2, 2});
  EXPECT_TRUE(showsOnly(kBlack)) << "black once visited";
}

TEST_F(HyperlinkTest, APressThatOpensNothingClearsVisitedAndTheHtmHandlerIsTheFallback) {
  setClassesRootDefault("https\\shell\\open\\command", recorderCommand("%1"));
  ASSERT_TRUE(click());
  moveMouse({2, 2});
  ASSERT_TRUE(showsOnly(kBlack));

  RegDeleteTreeA(HKEY_CLASSES_ROOT, "https");  // the shell cannot open it, nor the fallback
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
  EXPECT_FALSE(click(2000));
  moveMouse({2, 2});
  EXPECT_TRUE(showsOnly(RGB(0, 0, 255))) << "not visited after a press that opened nothing"
                                         << windows();

  setClassesRootDefault(".htm", "zephyratestfile");
  setClassesRootDefault("zephyratestfile\\shell\\open\\command",
                        recorderCommand("\"%1\" -new"));
  ASSERT_TRUE(click());
  // Cut before "\"%1\"": the address follows the recorder's name, without the rest.
  EXPECT_EQ(readFile(recordPath()), std::string(zephyra::MAKER_WEB_ADDRESS) + "\n");
  moveMouse({2, 2});
  EXPECT_TRUE(showsOnly(kBlack));
}

}  // namespace

