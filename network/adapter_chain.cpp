#include "network/adapter_chain.h"

#include <set>
#include <string_view>

#include "platform/text.h"

namespace zephyra {
namespace {

uint64_t readAddress(const uint8_t* field, size_t width) {
  uint64_t value = 0;
  for (size_t i = width; i-- > 0;) value = value << 8 | field[i];
  return value;
}

bool holdsWholeRecord(size_t size, uint64_t offset, size_t recordSize) {
  return offset <= size && size - offset >= recordSize;
}

}  // namespace

std::vector<std::string> adapterNamesInChain(const uint8_t* buffer, size_t size,
                                             uint64_t bufferAddress,
                                             const AdapterRecordLayout& layout) {
  std::vector<std::string> names;
  if (buffer == nullptr) return names;
  std::set<uint64_t> visited;
  uint64_t offset = 0;
  while (holdsWholeRecord(size, offset, layout.recordSize) && visited.insert(offset).second) {
    // Copy the record whole before reading it, as the records may sit unaligned.
    std::vector<uint8_t> record(buffer + offset, buffer + offset + layout.recordSize);
    names.push_back(bytesToText(std::string_view(
        reinterpret_cast<const char*>(record.data() + layout.nameOffset), ADAPTER_NAME_LENGTH)));
    uint64_t next = readAddress(record.data(), layout.nextSize);
    if (next == 0 || next < bufferAddress) break;
    offset = next - bufferAddress;
  }
  return names;
}

}  // namespace zephyra
