#include "app/instance_guard.h"

namespace zephyra {

bool isAlreadyRunning(PlatformServices& platform) {
  return platform.createMutexFindsExisting(SINGLE_INSTANCE_MUTEX);
}

void markWindow(PlatformServices& platform) {
  platform.setWindowProperty(INSTANCE_PROP_NAME, INSTANCE_PROP_VALUE);
}

void activateMarkedWindow(PlatformServices& platform) {
  platform.activateWindowWithProperty(INSTANCE_PROP_NAME, INSTANCE_PROP_VALUE);
}

}  // namespace zephyra
