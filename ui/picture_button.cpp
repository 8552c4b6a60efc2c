#include "ui/picture_button.h"

#include <windowsx.h>
#include <mmsystem.h>

#include "platform/win32/scoped.h"
#include "ui/resource.h"

namespace zephyra::ui {
namespace {
constexpr char kClassName[] = "ZephyraPictureButton";
constexpr int kCornerEllipse = 8;

Rgb toRgb(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }
}  // namespace

bool PictureButton::registerClass(HINSTANCE instance) {
  return Window::registerClass(instance, kClassName, IDC_ARROW);
}

HWND PictureButton::create(HWND parent, const ControlLayout& layout, HBITMAP picture,
                           HINSTANCE instance) {
  instance_ = instance;
  picture_ = picture;
  return createWindow(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, layout.left,
                      layout.top, layout.width, layout.height, parent, layout.id, instance);
}

LRESULT PictureButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<UINT>(wParam));
      return 0;
    // void OnMouseLeave()
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    // void OnLButtonDown()
    case WM_LBUTTONDOWN: OnLButtonDown(); return 0;
    // void OnLButtonUp(int x, int y)
    case WM_LBUTTONUP: OnLButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    // void OnCaptureChanged(HWND newCapture)
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), (lParam & (1 << 30)) != 0); return 0;
    // void OnKeyUp(UINT key)
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam)); return 0;
    case BM_CLICK: click(); return 0;  // as a standard button: a click from outside
    // void OnSetFocus() / void OnKillFocus()
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case WM_KILLFOCUS: OnKillFocus(); return 0;
    // void OnPaint()
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: PaintContent(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;  // PaintContent fills every pixel
  }
  return defaultProcedure(message, wParam, lParam);
}

void PictureButton::OnMouseMove(int x, int y, UINT keys) {
  if (mouseDown_) {  // while held, the pressed look follows the pointer in and out
    setState(hover_, contains(x, y));
    return;
  }
  if (hover_ || (keys & MK_LBUTTON)) return;
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd_, 0};
  TrackMouseEvent(&track);
  setState(true, pressed_);
  playClickSound();
}

void PictureButton::OnMouseLeave() { setState(false, pressed_); }

void PictureButton::OnLButtonDown() {
  SetFocus(hwnd_);
  SetCapture(hwnd_);
  mouseDown_ = true;
  setState(hover_, true);
}

void PictureButton::OnLButtonUp(int x, int y) {
  if (!mouseDown_) return;
  bool inside = contains(x, y);
  mouseDown_ = false;
  ReleaseCapture();
  setState(hover_ && inside, spaceDown_);
  if (inside) click();
}

void PictureButton::OnCaptureChanged(HWND newCapture) {
  if (!mouseDown_ || newCapture == hwnd_) return;
  mouseDown_ = false;  // taken away before the release: no click
  setState(hover_, spaceDown_);
}

void PictureButton::OnKeyDown(UINT key, bool repeated) {
  if (key != VK_SPACE || repeated || mouseDown_) return;
  spaceDown_ = true;
  setState(hover_, true);
}

void PictureButton::OnKeyUp(UINT key) {
  if (key != VK_SPACE || !spaceDown_) return;
  spaceDown_ = false;
  setState(hover_, false);
  click();
}

void PictureButton::OnSetFocus() { notifyParent(BN_SETFOCUS); }

void PictureButton::OnKillFocus() {
  spaceDown_ = false;
  if (mouseDown_) ReleaseCapture();
  setState(hover_, false);
}

void PictureButton::OnPaint() {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd_, &ps);
  PaintContent(hdc);
  EndPaint(hwnd_, &ps);
}

void PictureButton::PaintContent(HDC hdc) {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  if (hover_ || pressed_) {
    win32::ScopedGdi<HBRUSH> face(
        CreateSolidBrush(toColorref(hoverFace(toRgb(GetSysColor(COLOR_BTNFACE))))));
    win32::ScopedSelectObject pen(hdc, GetStockObject(BLACK_PEN));
    win32::ScopedSelectObject brush(hdc, face.get());
    RoundRect(hdc, rect.left, rect.top, rect.right, rect.bottom, kCornerEllipse, kCornerEllipse);
  }
  drawPicture(hdc, pressed_ ? Point{1, 1} : Point{0, 0});
}

void PictureButton::drawPicture(HDC hdc, Point shift) {
  BITMAP info;
  if (!picture_ || !GetObjectA(picture_, sizeof info, &info)) return;
  RECT rect;
  GetClientRect(hwnd_, &rect);
  Point at = pictureOrigin(rect.right, rect.bottom, info.bmWidth, info.bmHeight);
  win32::ScopedMemoryDC memory(hdc);
  win32::ScopedSelectObject select(memory.get(), picture_);
  COLORREF transparent = GetPixel(memory.get(), 0, 0);
  TransparentBlt(hdc, at.x + shift.x, at.y + shift.y, info.bmWidth, info.bmHeight, memory.get(),
                 0, 0, info.bmWidth, info.bmHeight, transparent);
}

bool PictureButton::contains(int x, int y) const {
  RECT rect;
  GetClientRect(hwnd_, &rect);
  POINT point = {x, y};
  return PtInRect(&rect, point) != FALSE;
}

void PictureButton::setState(bool hover, bool pressed) {
  if (hover == hover_ && pressed == pressed_) return;
  hover_ = hover;
  pressed_ = pressed;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void PictureButton::notifyParent(WORD code) {
  SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), code),
               reinterpret_cast<LPARAM>(hwnd_));
}

void PictureButton::click() {
  playClickSound();
  notifyParent(BN_CLICKED);
}

// Asynchronous, and silent when the sound resource is missing.
void PictureButton::playClickSound() {
  PlaySoundA(MAKEINTRESOURCEA(IDR_CLICK), instance_, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace zephyra::ui
