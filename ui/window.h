#pragma once
// The base of every window class of the program: one static thunk that maps the HWND to
// its object (stored at WM_NCCREATE from the creation parameter) and forwards each
// message to the object's HandleMessage.

#include <windows.h>

#include <string>

#include "ui/layout.h"

namespace zephyra::ui {

template <typename Derived>
class Window {
 public:
  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a window class whose windows are served by Derived. False only when the
  // class neither could be registered nor existed already.
  static bool registerClass(HINSTANCE instance, const char* className, LPCSTR cursor,
                            HICON icon = nullptr, HICON smallIcon = nullptr) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = className;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }

  // Creates the window with this object as its creation parameter.
  HWND createWindow(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                    int y, int width, int height, HWND parent, int id, HINSTANCE instance) {
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  }

  LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      self = static_cast<Derived*>(static_cast<Window*>(create->lpCreateParams));
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }
};

// A font made from its description, in the GBK character set. A negative height asks
// for the character height (the em), not the cell height.
inline HFONT createFont(const FontSpec& font) {
  return CreateFontA(-font.height, 0, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE,
                     FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face);
}

// The window's text as bytes of the ANSI code page.
inline std::string windowText(HWND hwnd) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  int length = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return text;
}

inline COLORREF toColorref(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

}  // namespace zephyra::ui
