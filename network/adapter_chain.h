#pragma once
// The chain of IP_ADAPTER_INFO records that GetAdaptersInfo leaves in its buffer,
// walked over bytes in the 32-bit layout so it can be checked off Windows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zephyra {

constexpr size_t ADAPTER_RECORD_SIZE = 640;
constexpr size_t ADAPTER_NAME_OFFSET = 8;  // after Next and ComboIndex
constexpr size_t ADAPTER_NAME_LENGTH = 260;

// The AdapterName of every record in chain order. `bufferAddress` is the 32-bit address
// the buffer had when Windows filled it: each Next is an address, not an offset. The walk
// ends at a Next of 0, and also at one that does not point to a whole record inside the
// buffer or that points to a record already visited.
std::vector<std::string> adapterNamesInChain(const uint8_t* buffer, size_t size,
                                             uint32_t bufferAddress);

}  // namespace zephyra
