#pragma once
// The share and unshare buttons: write the sharing files to C:\Windows and launch them.

#include "platform/platform_services.h"

namespace zephyra {

inline constexpr char SHARE_SCRIPT_PATH[] = "C:\\Windows\\Share.vbs";
inline constexpr char SHARE_BATCH_PATH[] = "C:\\Windows\\Share.bat";
inline constexpr char START_SHARE_SCRIPT_PATH[] = "C:\\Windows\\StartShare.vbs";

void shareConnection(PlatformServices& platform);    // 超级按钮2
void unshareConnection(PlatformServices& platform);  // 超级按钮6

}  // namespace zephyra
