#pragma once
// The program's own window messages, in one place.

#include <windows.h>

namespace zephyra::win32 {

// Hyperlink control: wParam = link type (clamped to 0..1 by the control).
constexpr UINT ZM_SETLINKTYPE = WM_APP + 0x300;
// Hyperlink control: lParam = const char* web address (the control keeps a copy).
constexpr UINT ZM_SETLINKADDRESS = WM_APP + 0x301;
// Hyperlink control: lParam = const char* e-mail address (the control keeps a copy).
constexpr UINT ZM_SETLINKMAIL = WM_APP + 0x302;

}  // namespace zephyra::win32
