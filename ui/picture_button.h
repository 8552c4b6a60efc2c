#pragma once
// A flat, hot-tracking button that shows only a picture. Under the mouse and while
// pressed it draws a rounded, lightened face; pressed, the picture moves one pixel right
// and down. The picture's top-left pixel colour is transparent. A click (mouse or Space)
// plays the click sound and sends WM_COMMAND/BN_CLICKED to the parent; taking the focus
// sends BN_SETFOCUS. No caption, no focus rectangle.

#include <windows.h>

#include "ui/layout.h"
#include "ui/window.h"

namespace zephyra::ui {

class PictureButton : public Window<PictureButton> {
 public:
  static bool registerClass(HINSTANCE instance);
  // The picture stays owned by the caller and may be null (the face alone is drawn).
  HWND create(HWND parent, const ControlLayout& layout, HBITMAP picture, HINSTANCE instance);
  void PaintContent(HDC hdc);

 private:
  friend class Window<PictureButton>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // void OnMouseMove(int x, int y, UINT keys)
  void OnMouseMove(int x, int y, UINT keys);
  void OnMouseLeave();
  void OnLButtonDown();
  void OnLButtonUp(int x, int y);
  void OnCaptureChanged(HWND newCapture);
  // void OnKeyDown(UINT key, bool repeated)
  void OnKeyDown(UINT key, bool repeated);
  void OnKeyUp(UINT key);
  void OnSetFocus();
  void OnKillFocus();
  void OnPaint();

  bool contains(int x, int y) const;
  void setState(bool hover, bool pressed);
  void notifyParent(WORD code);
  void click();
  void playClickSound();
  void drawPicture(HDC hdc, Point shift);

  HINSTANCE instance_ = nullptr;
  HBITMAP picture_ = nullptr;
  bool hover_ = false;      // the mouse is over the button
  bool pressed_ = false;    // held down by the mouse (inside) or by Space
  bool mouseDown_ = false;  // the left button went down here and the capture is ours
  bool spaceDown_ = false;
};

}  // namespace zephyra::ui
