#include "ui/hyperlink.h"

#include <windowsx.h>
#include <shellapi.h>

#include <optional>

#include "platform/text.h"
#include "platform/win32/scoped.h"
#include "platform/win32/window_messages.h"

namespace zephyra::ui {
namespace {
constexpr char kClassName[] = "ZephyraHyperlink";

// The default value of a key under HKEY_CLASSES_ROOT, at most MAX_PATH bytes.
std::optional<std::string> classesRootDefault(const std::string& subkey) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  win32::ScopedKey key(opened);
  char value[MAX_PATH] = {};
  LONG size = sizeof value;
  if (RegQueryValueA(key.get(), nullptr, value, &size) != ERROR_SUCCESS) return std::nullopt;
  return bytesToText(std::string_view(value, sizeof value));
}

// The fallback when the shell cannot open the target: the .htm handler's command line.
bool openWithHtmlHandler(const std::string& target) {
  std::optional<std::string> type = classesRootDefault(".htm");
  if (!type) return false;
  std::optional<std::string> command = classesRootDefault(*type + "\\shell\\open\\command");
  if (!command) return false;
  return WinExec(htmlHandlerCommand(*command, target).c_str(), SW_SHOW) > 32;
}
}  // namespace

bool Hyperlink::registerClass(HINSTANCE instance) {
  return Window::registerClass(instance, kClassName, IDC_HAND);
}

HWND Hyperlink::create(HWND parent, const ControlLayout& layout, HFONT font, HINSTANCE instance) {
  font_ = font;
  return createWindow(0, kClassName, layout.text, WS_CHILD | WS_VISIBLE, layout.left, layout.top,
                      layout.width, layout.height, parent, layout.id, instance);
}

LRESULT Hyperlink::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    // void OnCaptureChanged(HWND newCapture)
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
    // void OnLButtonDown()
    case WM_LBUTTONDOWN: OnLButtonDown(); return 0;
    // void OnSetLinkType(intptr_t type)
    case win32::ZM_SETLINKTYPE: OnSetLinkType(static_cast<intptr_t>(wParam)); return 0;
    // void OnSetWebAddress(const char* address) / void OnSetMailAddress(const char* address)
    case win32::ZM_SETLINKADDRESS: OnSetWebAddress(reinterpret_cast<const char*>(lParam)); return 0;
    case win32::ZM_SETLINKMAIL: OnSetMailAddress(reinterpret_cast<const char*>(lParam)); return 0;
    // void OnPaint()
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: PaintContent(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // PaintContent fills every pixel
  }
  return defaultProcedure(message, wParam, lParam);
}

// Over the control it holds the capture, so it sees the mouse leave its rectangle.
void Hyperlink::OnMouseMove(int x, int y) {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  POINT point = {x, y};
  bool inside = PtInRect(&rect, point) != FALSE;
  if (inside && !hover_) {
    SetCapture(hwnd_);
    setHover(true);
  } else if (!inside && hover_) {
    setHover(false);
    ReleaseCapture();
  }
}

void Hyperlink::OnCaptureChanged(HWND newCapture) {
  if (newCapture != hwnd_) setHover(false);
}

void Hyperlink::OnLButtonDown() {
  std::string target = linkTarget(type_, webAddress_, mailAddress_);
  visited_ = !target.empty() && open(target);
  if (visited_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

bool Hyperlink::open(const std::string& target) {
  HINSTANCE shell = ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW);
  if (reinterpret_cast<INT_PTR>(shell) > 32) return true;
  return openWithHtmlHandler(target);
}

void Hyperlink::OnSetLinkType(intptr_t type) {
  type_ = clampLinkType(type);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Hyperlink::OnSetWebAddress(const char* address) {
  webAddress_ = address ? address : "";
  // Only a control without a caption shows its address.
  if (GetWindowTextLengthA(hwnd_) == 0) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Hyperlink::OnSetMailAddress(const char* address) {
  mailAddress_ = address ? address : "";
  if (GetWindowTextLengthA(hwnd_) == 0) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Hyperlink::OnPaint() {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd_, &ps);
  PaintContent(hdc);
  EndPaint(hwnd_, &ps);
}

void Hyperlink::PaintContent(HDC hdc) {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  std::string text = windowText(hwnd_);
  if (text.empty()) text = linkTarget(type_, webAddress_, mailAddress_);
  Rgb colour = hover_ ? LINK_HOVER_COLOUR : visited_ ? LINK_VISITED_COLOUR : LINK_COLOUR;
  win32::ScopedSelectObject font(hdc, font_);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, toColorref(colour));
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void Hyperlink::setHover(bool hover) {
  if (hover == hover_) return;
  hover_ = hover;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace zephyra::ui
