#pragma once
// A self-drawn text label: button-face fill, one left-aligned, vertically centred line in
// its own colour and the font it is given. No border, no events.

#include <windows.h>

#include "ui/layout.h"
#include "ui/window.h"

namespace zephyra::ui {

class Label : public Window<Label> {
 public:
  static bool registerClass(HINSTANCE instance);
  HWND create(HWND parent, const ControlLayout& layout, HFONT font, HINSTANCE instance);
  void PaintContent(HDC hdc);

 private:
  friend class Window<Label>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();

  HFONT font_ = nullptr;  // owned by the main window
};

}  // namespace zephyra::ui
