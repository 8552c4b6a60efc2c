// TEMPORARY: empty stand-ins for the handlers that are not written yet, so that the
// window can be built and tested meanwhile. ui/CMakeLists.txt turns each one on only
// while its real definition is missing. Delete this file when all handlers are in.

#include "app/handlers.h"
#include "network/hosted_network.h"
#include "sharing/share_actions.h"

namespace zephyra {

#ifdef ZEPHYRA_STUB_onMainWindowCreated
void onMainWindowCreated(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_onCloseQuery
void onCloseQuery(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_onMainWindowDestroyed
void onMainWindowDestroyed(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_showUsage
void showUsage(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_showAbout
void showAbout(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_createHostedNetwork
void createHostedNetwork(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_startHostedNetwork
void startHostedNetwork(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_stopHostedNetwork
void stopHostedNetwork(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_removeHostedNetwork
void removeHostedNetwork(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_shareConnection
void shareConnection(PlatformServices&) {}
#endif
#ifdef ZEPHYRA_STUB_unshareConnection
void unshareConnection(PlatformServices&) {}
#endif

}  // namespace zephyra
