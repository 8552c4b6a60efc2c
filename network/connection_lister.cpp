#include "network/connection_lister.h"

#include <vector>

#include "network/adapter_chain.h"
#include "platform/codes.h"
#include "platform/text.h"

namespace zephyra {
namespace {

constexpr uint32_t NO_ERROR_ = 0;
constexpr uint32_t ERROR_BUFFER_OVERFLOW_ = 111;
// An adapter may appear between sizing the buffer and filling it; size it again a few times.
constexpr int FILL_ATTEMPTS = 4;

// The adapter buffer as Windows filled it, or empty when the call failed.
std::vector<uint8_t> readAdapterBuffer(PlatformServices& platform) {
  uint32_t size = 0;
  platform.getAdaptersInfo(nullptr, size);
  for (int attempt = 0; attempt < FILL_ATTEMPTS; ++attempt) {
    std::vector<uint8_t> buffer(size, 0);
    uint32_t status = platform.getAdaptersInfo(buffer.empty() ? nullptr : buffer.data(), size);
    if (status == NO_ERROR_) return buffer;
    if (status != ERROR_BUFFER_OVERFLOW_ || size <= buffer.size()) break;
  }
  return {};
}

}  // namespace

Text connectionNameOf(PlatformServices& platform, const Text& adapterName) {
  return platform.readRegistryText(
      ROOT_LOCAL_MACHINE, concatTexts({CONNECTION_KEY_PREFIX, adapterName, CONNECTION_NAME_SUFFIX}),
      std::nullopt);
}

void fillConnectionLists(PlatformServices& platform) {
  std::vector<uint8_t> buffer = readAdapterBuffer(platform);
  auto address = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(buffer.data()));
  for (const Text& adapterName :
       adapterNamesInChain(buffer.data(), buffer.size(), address, NATIVE_ADAPTER_LAYOUT)) {
    Text item = concatTexts({connectionNameOf(platform, adapterName), LIST_ITEM_END});
    platform.listAddItem(Control::组合框1, item, 0);
    platform.listAddItem(Control::组合框2, item, 0);
  }
}

void refreshConnectionLists(PlatformServices& platform) {
  platform.listClear(Control::组合框1);
  platform.listClear(Control::组合框2);
  fillConnectionLists(platform);
}

}  // namespace zephyra
