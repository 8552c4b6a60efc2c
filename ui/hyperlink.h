#pragma once
// A self-drawn hyperlink. It shows its caption (or, without one, its target's address)
// underlined: blue, red while the mouse is over it (the control holds the mouse capture
// meanwhile), black after a press that opened its target. Pressing the left button opens
// the target at once, through the shell or, failing that, the .htm handler.
// Takes ZM_SETLINKTYPE, ZM_SETLINKADDRESS and ZM_SETLINKMAIL (platform/win32/window_messages.h).

#include <windows.h>

#include <string>

#include "ui/layout.h"
#include "ui/window.h"

namespace zephyra::ui {

class Hyperlink : public Window<Hyperlink> {
 public:
  static bool registerClass(HINSTANCE instance);
  HWND create(HWND parent, const ControlLayout& layout, HFONT font, HINSTANCE instance);
  void PaintContent(HDC hdc);

 private:
  friend class Window<Hyperlink>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // void OnMouseMove(int x, int y)
  void OnMouseMove(int x, int y);
  void OnCaptureChanged(HWND newCapture);
  void OnLButtonDown();
  void OnSetLinkType(intptr_t type);
  void OnSetWebAddress(const char* address);
  void OnSetMailAddress(const char* address);
  void OnPaint();

  void setHover(bool hover);
  // Opens the target; true when the shell or the .htm handler started.
  bool open(const std::string& target);

  HFONT font_ = nullptr;  // owned by the main window
  int type_ = LINK_TYPE_MAIL;
  std::string webAddress_;
  std::string mailAddress_;
  bool visited_ = false;
  bool hover_ = false;
};

}  // namespace zephyra::ui
