// Fuzzes the adapter chain walk over arbitrary buffers: it never reads outside the buffer
// (AddressSanitizer), never visits a record twice, and names are at most 260 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "network/adapter_chain.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte picks the layout and a base address; the rest is the buffer, copied to
  // a heap block of its exact size so any overrun is caught.
  const zephyra::AdapterRecordLayout& layout =
      (data[0] & 1) ? zephyra::ADAPTER_LAYOUT_64 : zephyra::ADAPTER_LAYOUT_32;
  uint64_t base = (data[0] & 2) ? 0 : 0x10000;
  std::vector<uint8_t> buffer(data + 1, data + size);
  std::vector<std::string> names =
      zephyra::adapterNamesInChain(buffer.data(), buffer.size(), base, layout);
  size_t records = buffer.size() >= layout.recordSize ? buffer.size() - layout.recordSize + 1 : 0;
  if (names.size() > records) std::abort();
  for (const std::string& name : names)
    if (name.size() > zephyra::ADAPTER_NAME_LENGTH) std::abort();
  return 0;
}
