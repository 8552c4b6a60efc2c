#include <gtest/gtest.h>

#include <cstring>

#include "network/adapter_chain.h"
#include "network/connection_lister.h"
#include "tests/host/fake_platform.h"

namespace zephyra {
namespace {

using testing::FakePlatform;

constexpr size_t kRecord = ADAPTER_LAYOUT_32.recordSize;
constexpr size_t kName = ADAPTER_LAYOUT_32.nameOffset;

// A buffer of `count` records whose Next fields are given as offsets (or 0 / raw).
struct ChainBuffer {
  std::vector<uint8_t> bytes;
  uint32_t address = 0x10000;
  explicit ChainBuffer(size_t count, size_t extra = 0)
      : bytes(count * kRecord + extra, 0) {}
  void setName(size_t record, const std::string& name) {
    std::memcpy(&bytes[record * kRecord + kName], name.data(),
                name.size());
  }
  void setNextRaw(size_t record, uint32_t next) {
    std::memcpy(&bytes[record * kRecord], &next, 4);
  }
  void setNextOffset(size_t record, size_t offset) {
    setNextRaw(record, address + static_cast<uint32_t>(offset));
  }
  std::vector<std::string> walk() const {
    return adapterNamesInChain(bytes.data(), bytes.size(), address);
  }
};

TEST(AdapterChain, FollowsNextInChainOrder) {
  ChainBuffer buffer(3);
  buffer.setName(0, "{A}");
  buffer.setName(2, "{B}");
  buffer.setName(1, "{C}");
  buffer.setNextOffset(0, 2 * kRecord);
  buffer.setNextOffset(2, 1 * kRecord);
  EXPECT_EQ(buffer.walk(), (std::vector<std::string>{"{A}", "{B}", "{C}"}));
}

TEST(AdapterChain, NameFillingAllBytesIsTakenWhole) {
  ChainBuffer buffer(1);
  std::string full(ADAPTER_NAME_LENGTH, 'n');
  buffer.setName(0, full);
  buffer.bytes[kName + ADAPTER_NAME_LENGTH] = 'X';  // Description follows
  EXPECT_EQ(buffer.walk(), std::vector<std::string>{full});
}

TEST(AdapterChain, StopsAtNextThatLeavesTheBuffer) {
  struct Case {
    const char* what;
    uint32_t next;
  };
  ChainBuffer probe(2);
  const Case cases[] = {
      {"before the buffer", probe.address - 4},
      {"past the end", probe.address + static_cast<uint32_t>(2 * kRecord)},
      {"record cut by the end", probe.address + static_cast<uint32_t>(kRecord + 1)},
      {"wraps around", 0xFFFFFFF0u},
      {"back to itself", probe.address},
  };
  for (const Case& c : cases) {
    ChainBuffer buffer(2);
    buffer.setName(0, "{A}");
    buffer.setNextRaw(0, c.next);
    EXPECT_EQ(buffer.walk(), std::vector<std::string>{"{A}"}) << c.what;
  }
}

TEST(AdapterChain, BufferSmallerThanOneRecordGivesNothing) {
  std::vector<uint8_t> bytes(kRecord - 1, 0);
  EXPECT_TRUE(adapterNamesInChain(bytes.data(), bytes.size(), 0).empty());
  EXPECT_TRUE(adapterNamesInChain(nullptr, 0, 0).empty());
}

TEST(AdapterChain, UnalignedRecordInsideBufferIsRead) {
  ChainBuffer buffer(2, 3);
  buffer.setName(0, "{A}");
  buffer.setNextOffset(0, kRecord + 3);
  std::memcpy(&buffer.bytes[kRecord + 3 + kName], "{U}", 3);
  EXPECT_EQ(buffer.walk(), (std::vector<std::string>{"{A}", "{U}"}));
}

std::string keyOf(const std::string& guid) {
  return std::string(CONNECTION_KEY_PREFIX) + guid + CONNECTION_NAME_SUFFIX;
}

TEST(ConnectionLists, OneItemPerAdapterInBothListsInOrder) {
  FakePlatform platform;
  platform.adapterNames = {"{A}", "{B}", "{C}"};
  platform.registry[keyOf("{A}")] = "本地连接";
  platform.registry[keyOf("{B}")] = "无线网络连接 2";  // {C} has no name
  fillConnectionLists(platform);
  std::vector<Text> expected = {"本地连接\r\n", "无线网络连接 2\r\n", "\r\n"};
  EXPECT_EQ(platform.listItems[Control::组合框1], expected);
  EXPECT_EQ(platform.listItems[Control::组合框2], expected);
  EXPECT_EQ(platform.callsStartingWith("add|").front(), "add|组合框1|本地连接\r\n|0");
  EXPECT_EQ(platform.callsStartingWith("add|")[1], "add|组合框2|本地连接\r\n|0");
  EXPECT_EQ(platform.callsStartingWith("registry|").front(),
            "registry|4|SYSTEM\\CurrentControlSet\\Control\\Network\\"
            "{4D36E972-E325-11CE-BFC1-08002BE10318}\\{A}\\Connection\\Name");
}

TEST(ConnectionLists, SameNameTwiceGivesTwoItems) {
  FakePlatform platform;
  platform.adapterNames = {"{A}", "{B}"};
  platform.registry[keyOf("{A}")] = "网";
  platform.registry[keyOf("{B}")] = "网";
  fillConnectionLists(platform);
  EXPECT_EQ(platform.listItems[Control::组合框2], (std::vector<Text>{"网\r\n", "网\r\n"}));
}

TEST(ConnectionLists, NoAdaptersAddsNothing) {
  FakePlatform platform;
  fillConnectionLists(platform);
  EXPECT_TRUE(platform.callsStartingWith("add|").empty());
  EXPECT_EQ(platform.callsStartingWith("adapters|"),
            (std::vector<std::string>{"adapters|null", "adapters|null"}));
}

TEST(ConnectionLists, AdapterAppearingBetweenTheCallsIsListed) {
  FakePlatform platform;
  platform.adapterNames = {"{A}"};
  platform.adaptersAppearingBeforeFill = {{"{A}", "{B}"}};
  fillConnectionLists(platform);
  EXPECT_EQ(platform.listItems[Control::组合框1].size(), 2u);
}

TEST(ConnectionLists, KeepsGrowingAdapterSetBounded) {
  // Every fill attempt finds one adapter more: the lister gives up without adding.
  FakePlatform platform;
  platform.adapterNames = {"{1}"};
  for (int n = 2; n < 20; ++n)
    platform.adaptersAppearingBeforeFill.push_back(std::vector<Text>(n, "{x}"));
  fillConnectionLists(platform);
  EXPECT_TRUE(platform.callsStartingWith("add|").empty());
  EXPECT_LE(platform.callsStartingWith("adapters|").size(), 6u);
}

TEST(ConnectionLists, RefreshClearsBothThenFills) {
  FakePlatform platform;
  platform.listItems[Control::组合框1] = {"old\r\n"};
  platform.listItems[Control::组合框2] = {"old\r\n"};
  platform.adapterNames = {"{A}"};
  refreshConnectionLists(platform);
  EXPECT_EQ(platform.calls[0], "clear|组合框1");
  EXPECT_EQ(platform.calls[1], "clear|组合框2");
  EXPECT_EQ(platform.listItems[Control::组合框1], std::vector<Text>{"\r\n"});
}

}  // namespace
}  // namespace zephyra

namespace zephyra {
namespace {

TEST(AdapterChain, SixtyFourBitLayoutReadsEightByteNext) {
  const AdapterRecordLayout& layout = ADAPTER_LAYOUT_64;
  std::vector<uint8_t> bytes(2 * layout.recordSize, 0);
  uint64_t address = 0x1'0000'0000ull;
  uint64_t next = address + layout.recordSize;
  std::memcpy(&bytes[0], &next, 8);
  std::memcpy(&bytes[layout.nameOffset], "{A}", 3);
  std::memcpy(&bytes[layout.recordSize + layout.nameOffset], "{B}", 3);
  EXPECT_EQ(adapterNamesInChain(bytes.data(), bytes.size(), address, layout),
            (std::vector<std::string>{"{A}", "{B}"}));
}

}  // namespace
}  // namespace zephyra
