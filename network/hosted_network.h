#pragma once
// The create, start, stop and remove buttons: hidden, awaited netsh command lines.

#include "platform/platform_services.h"

namespace zephyra {

void createHostedNetwork(PlatformServices& platform);  // 超级按钮1
void startHostedNetwork(PlatformServices& platform);   // 超级按钮3
void stopHostedNetwork(PlatformServices& platform);    // 超级按钮4
void removeHostedNetwork(PlatformServices& platform);  // 超级按钮5

}  // namespace zephyra
