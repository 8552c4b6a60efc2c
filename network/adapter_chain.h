#pragma once
// The chain of IP_ADAPTER_INFO records that GetAdaptersInfo leaves in its buffer,
// walked over bytes so it can be checked off Windows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zephyra {

// Where the fields the walk reads sit in one record.
struct AdapterRecordLayout {
  size_t recordSize;
  size_t nextSize;    // width of the Next address
  size_t nameOffset;  // AdapterName, after Next and ComboIndex
};
constexpr size_t ADAPTER_NAME_LENGTH = 260;
// The program is a 32-bit executable; the 64-bit layout serves the 64-bit build that
// the Wine bench runs.
constexpr AdapterRecordLayout ADAPTER_LAYOUT_32 = {640, 4, 8};
constexpr AdapterRecordLayout ADAPTER_LAYOUT_64 = {704, 8, 12};
constexpr AdapterRecordLayout NATIVE_ADAPTER_LAYOUT =
    sizeof(void*) == 8 ? ADAPTER_LAYOUT_64 : ADAPTER_LAYOUT_32;

// The AdapterName of every record in chain order. `bufferAddress` is the address the
// buffer had when Windows filled it: each Next is an address, not an offset. The walk
// ends at a Next of 0, and also at one that does not point to a whole record inside the
// buffer or that points to a record already visited.
std::vector<std::string> adapterNamesInChain(const uint8_t* buffer, size_t size,
                                             uint64_t bufferAddress,
                                             const AdapterRecordLayout& layout = ADAPTER_LAYOUT_32);

}  // namespace zephyra
