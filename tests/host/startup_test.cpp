#include <gtest/gtest.h>

#include "app/handlers.h"
#include "tests/host/fake_platform.h"

namespace zephyra {
namespace {

using testing::FakePlatform;

TEST(Startup, FirstCopyFillsListsSetsLinkThenMarksWindow) {
  FakePlatform platform;
  platform.adapterNames = {"{A}"};
  onMainWindowCreated(platform);
  std::vector<std::string> expected = {
      "adapters|null",
      "adapters|buffer",
      "registry|4|SYSTEM\\CurrentControlSet\\Control\\Network\\"
      "{4D36E972-E325-11CE-BFC1-08002BE10318}\\{A}\\Connection\\Name",
      "add|组合框1|\r\n|0",
      "add|组合框2|\r\n|0",
      "linktype|超级链接框1|1",
      "linkaddress|超级链接框1|https://www.quorvane.com/",
      "mutex|51A8F107-E6FA-4352-BC49-C1A68523C650",
      "prop|3D72E324-3CE0-459d-813C-A646E5C0F2ED|147258369",
  };
  EXPECT_EQ(platform.calls, expected);
  EXPECT_FALSE(platform.exitCode.has_value());
}

TEST(Startup, SecondCopyTellsActivatesAndEndsWithoutMarking) {
  FakePlatform platform;
  platform.mutexExists = true;
  onMainWindowCreated(platform);
  std::vector<std::string> tail(platform.calls.end() - 4, platform.calls.end());
  std::vector<std::string> expected = {
      "mutex|51A8F107-E6FA-4352-BC49-C1A68523C650",
      "message|【Zephyra】已在运行中，请勿重复运行！|0|提醒：",
      "activate|3D72E324-3CE0-459d-813C-A646E5C0F2ED|147258369",
      "exit|0",
  };
  EXPECT_EQ(tail, expected);
  EXPECT_TRUE(platform.callsStartingWith("prop|").empty());
}

}  // namespace
}  // namespace zephyra
