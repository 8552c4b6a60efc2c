#pragma once
// One running copy: a named mutex says a copy runs, a window property finds its window.

#include <cstdint>

#include "platform/platform_services.h"

namespace zephyra {

inline constexpr char SINGLE_INSTANCE_MUTEX[] = "51A8F107-E6FA-4352-BC49-C1A68523C650";
inline constexpr char INSTANCE_PROP_NAME[] = "3D72E324-3CE0-459d-813C-A646E5C0F2ED";
inline constexpr intptr_t INSTANCE_PROP_VALUE = 147258369;

bool isAlreadyRunning(PlatformServices& platform);
void markWindow(PlatformServices& platform);
void activateMarkedWindow(PlatformServices& platform);

}  // namespace zephyra
