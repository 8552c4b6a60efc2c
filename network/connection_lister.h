#pragma once

#include "platform/platform_services.h"

namespace zephyra {

inline constexpr char CONNECTION_KEY_PREFIX[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
inline constexpr char CONNECTION_NAME_SUFFIX[] = "\\Connection\\Name";
inline constexpr char LIST_ITEM_END[] = "\r\n";

// Appends one item (connection name + "\r\n") per adapter, in chain order, to both lists.
void fillConnectionLists(PlatformServices& platform);
// Clears both lists, then fills them anew.
void refreshConnectionLists(PlatformServices& platform);
// The connection name that the registry holds for an adapter's GUID name.
Text connectionNameOf(PlatformServices& platform, const Text& adapterName);

}  // namespace zephyra
