#include "network/adapter_chain.h"

#include <cstring>
#include <set>

#include "platform/text.h"

namespace zephyra {
namespace {

uint32_t readAddress(const uint8_t* record) {
  return static_cast<uint32_t>(record[0]) | static_cast<uint32_t>(record[1]) << 8 |
         static_cast<uint32_t>(record[2]) << 16 | static_cast<uint32_t>(record[3]) << 24;
}

bool holdsWholeRecord(size_t size, size_t offset) {
  return offset <= size && size - offset >= ADAPTER_RECORD_SIZE;
}

}  // namespace

std::vector<std::string> adapterNamesInChain(const uint8_t* buffer, size_t size,
                                             uint32_t bufferAddress) {
  std::vector<std::string> names;
  if (buffer == nullptr) return names;
  std::set<size_t> visited;
  size_t offset = 0;
  while (holdsWholeRecord(size, offset) && visited.insert(offset).second) {
    uint8_t record[ADAPTER_RECORD_SIZE];
    std::memcpy(record, buffer + offset, sizeof record);
    names.push_back(bytesToText(std::string_view(
        reinterpret_cast<const char*>(record + ADAPTER_NAME_OFFSET), ADAPTER_NAME_LENGTH)));
    uint32_t next = readAddress(record);
    if (next == 0 || next < bufferAddress) break;
    offset = next - bufferAddress;
  }
  return names;
}

}  // namespace zephyra
