#include "ui/label.h"

#include <string>

#include "platform/win32/scoped.h"

namespace zephyra::ui {
namespace {
constexpr char kClassName[] = "ZephyraLabel";
}  // namespace

bool Label::registerClass(HINSTANCE instance) {
  return Window::registerClass(instance, kClassName, IDC_ARROW);
}

HWND Label::create(HWND parent, const ControlLayout& layout, HFONT font, HINSTANCE instance) {
  font_ = font;
  return createWindow(0, kClassName, layout.text, WS_CHILD | WS_VISIBLE, layout.left, layout.top,
                      layout.width, layout.height, parent, layout.id, instance);
}

LRESULT Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // void OnPaint()
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: PaintContent(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // PaintContent fills every pixel
  }
  return defaultProcedure(message, wParam, lParam);
}

void Label::OnPaint() {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd_, &ps);
  PaintContent(hdc);
  EndPaint(hwnd_, &ps);
}

void Label::PaintContent(HDC hdc) {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  win32::ScopedSelectObject font(hdc, font_);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, toColorref(LABEL_COLOUR));
  std::string text = windowText(hwnd_);
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

}  // namespace zephyra::ui
