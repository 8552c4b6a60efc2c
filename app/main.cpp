// Start-up: the program's folder becomes the current directory, the main window is built
// (its creation handler fills the lists and runs the single-instance guard), and the
// message loop runs until the window is gone.

#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "ui/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  zephyra::win32::Win32Platform platform;
  HWND mainWindow = zephyra::ui::createMainWindow(instance, platform);
  if (!mainWindow) return 1;
  zephyra::ui::runMessageLoop(mainWindow);
  return 0;
}
