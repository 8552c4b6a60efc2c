#include "app/handlers.h"
#include "app/instance_guard.h"
#include "app/maker.h"
#include "network/connection_lister.h"

namespace zephyra {

namespace {
constexpr int LINK_TYPE_WEB = 1;
}

void onMainWindowCreated(PlatformServices& platform) {
  fillConnectionLists(platform);
  platform.setLinkType(Control::超级链接框1, LINK_TYPE_WEB);
  platform.setLinkAddress(Control::超级链接框1, MAKER_WEB_ADDRESS);
  if (isAlreadyRunning(platform)) {
    platform.showMessage("【Zephyra】已在运行中，请勿重复运行！", 0, "提醒：");
    activateMarkedWindow(platform);
    platform.exitProgram(0);
    return;
  }
  markWindow(platform);
}

}  // namespace zephyra
