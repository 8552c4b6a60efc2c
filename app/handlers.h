#pragma once
// The handlers of the main window's events. Each runs to its end on the GUI thread and
// reaches Windows only through the platform services.

#include "platform/platform_services.h"

namespace zephyra {

// Creation complete: fills both lists, sets the hyperlink's target, runs the guard.
// Ends the process (exitProgram) when another copy runs already.
void onMainWindowCreated(PlatformServices& platform);
// Close query: asks, maybe opens the maker's web page; the window always closes.
void onCloseQuery(PlatformServices& platform);
// Being destroyed: deletes the script files of the share actions.
void onMainWindowDestroyed(PlatformServices& platform);
void showUsage(PlatformServices& platform);  // 按钮1
void showAbout(PlatformServices& platform);  // 按钮2

}  // namespace zephyra
