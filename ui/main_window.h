#pragma once
// The program's one window: a fixed form of group boxes, labels, edit boxes, drop-down
// lists, picture buttons, push buttons and a hyperlink, whose clicks run the handlers.

#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace zephyra::ui {

// Registers the window classes, builds the main window hidden and centred, creates every
// control, runs onMainWindowCreated, then shows and activates the window. Returns the
// HWND, or null on failure.
HWND createMainWindow(HINSTANCE instance, zephyra::win32::Win32Platform& platform);
// The message loop, with Tab/Shift+Tab and Esc handling; returns when the window is gone.
int runMessageLoop(HWND mainWindow);

}  // namespace zephyra::ui
