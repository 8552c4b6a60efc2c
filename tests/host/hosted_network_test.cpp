#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "network/hosted_network.h"
#include "tests/host/fake_platform.h"

namespace zephyra {
namespace {

using testing::FakePlatform;
using Calls = std::vector<std::string>;

const char CREATE_SUCCESS[] =
    "message|创建Zephyra成功！\r\n名称及密码信息保存在运行目录【Zephyra.txt】中。|64|恭喜您：";
const char CREATE_SUCCESS_UNSAVED[] =
    "message|创建Zephyra成功！\r\n但名称及密码信息未能保存到运行目录【Zephyra.txt】中！|64|恭喜您：";
const char CREATE_FAILURE[] =
    "message|创建Zephyra失败！\r\n请以管理员身份运行，并确认无线网卡支持承载网络、密码为8至63个字符。"
    "|64|提醒：";
const char NAME_INI[] = "ini|C:\\Prog\\Zephyra.txt|Zephyra帐户信息|WiFi名称　|　";
const char KEY_INI[] = "ini|C:\\Prog\\Zephyra.txt|Zephyra帐户信息|WiFi密码　|　";
const char UNSAFE[] = "message|WiFi名称和密码不能包含双引号、百分号或换行符！|64|提醒：";

// The handler's own calls: the lines of the list refill beyond its two clears are left out.
Calls handlerCalls(const FakePlatform& platform) {
  Calls result;
  for (const auto& call : platform.calls)
    if (call.rfind("adapters|", 0) != 0 && call.rfind("registry|", 0) != 0)
      result.push_back(call);
  return result;
}

// An accepted create: the quoted line, both account entries, the message, the refresh.
Calls accepted(const std::string& arguments, const std::string& name, const std::string& key) {
  return {"cursor",
          "run|cmd /c netsh wlan set hostednetwork mode=allow " + arguments + "|wait=1|show=1",
          "cursor", NAME_INI + name, "cursor", KEY_INI + key, CREATE_SUCCESS,
          "clear|组合框1", "clear|组合框2"};
}

struct CreateCase {
  const char* label;
  Text name;
  Text key;
  Calls expected;
};

TEST(CreateHostedNetwork, ChecksInputsThenRunsQuotedLineAndSavesAccount) {
  const CreateCase cases[] = {
      {"empty name", "", "K", {"message|请设置好WiFi名称！|64|提醒：", "focus|编辑框1"}},
      {"empty key", "N", "", {"message|请设置好WiFi密码！|64|提醒：", "focus|编辑框2"}},
      {"both empty", "", "", {"message|请设置好WiFi名称！|64|提醒：", "focus|编辑框1"}},
      {"N and K", "N", "K", accepted("ssid=\"N\" key=\"K\"", "N", "K")},
      {"space in name", "My Net", "12345678",
       accepted("ssid=\"My Net\" key=\"12345678\"", "My Net", "12345678")},
      {"ampersand in key", "N", "a&b12345", accepted("ssid=\"N\" key=\"a&b12345\"", "N", "a&b12345")},
      {"name of spaces", "   ", "K", accepted("ssid=\"   \" key=\"K\"", "   ", "K")},
      {"Chinese name", "我的网络", "K", accepted("ssid=\"我的网络\" key=\"K\"", "我的网络", "K")},
      {"quote in name", "a\"b", "K", {UNSAFE, "focus|编辑框1"}},
      {"percent in key", "N", "50%off!!", {UNSAFE, "focus|编辑框2"}},
      {"line feed in key", "N", "1234\n5678", {UNSAFE, "focus|编辑框2"}},
      {"carriage return in name", "a\rb", "K", {UNSAFE, "focus|编辑框1"}},
      {"both unsafe: name first", "%x%", "\"", {UNSAFE, "focus|编辑框1"}},
      {"empty key before unsafe name", "a\"b", "", {"message|请设置好WiFi密码！|64|提醒：", "focus|编辑框2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform platform;
    platform.texts[Control::编辑框1] = c.name;
    platform.texts[Control::编辑框2] = c.key;
    createHostedNetwork(platform);
    EXPECT_EQ(handlerCalls(platform), c.expected);
  }
}

TEST(CreateHostedNetwork, AccountEntriesAreFramedByFullWidthSpaces) {
  FakePlatform platform;
  platform.texts[Control::编辑框1] = "N";
  platform.texts[Control::编辑框2] = "K";
  createHostedNetwork(platform);
  // U+3000 is A1 A1 in GBK: "WiFi名称　=　N" in the file.
  const auto& section = platform.ini["C:\\Prog\\Zephyra.txt"]["Zephyra帐户信息"];
  std::map<Text, Text> expected = {{"WiFi名称\xA1\xA1", "\xA1\xA1N"},
                                   {"WiFi密码\xA1\xA1", "\xA1\xA1K"}};
  EXPECT_EQ(section, expected);
}

TEST(CreateHostedNetwork, FailedCommandWritesNothingAndKeepsLists) {
  const std::optional<uint32_t> failures[] = {1u, std::nullopt};
  for (const auto& exit : failures) {
    SCOPED_TRACE(exit ? "exit code 1" : "not started");
    FakePlatform platform;
    platform.texts[Control::编辑框1] = "N";
    platform.texts[Control::编辑框2] = "K";
    platform.exitCodeFor = [exit](const Text&) { return exit; };
    createHostedNetwork(platform);
    Calls expected = {"cursor",
                      "run|cmd /c netsh wlan set hostednetwork mode=allow ssid=\"N\" key=\"K\""
                      "|wait=1|show=1",
                      CREATE_FAILURE};
    EXPECT_EQ(platform.calls, expected);
  }
}

TEST(CreateHostedNetwork, UnsavedAccountIsReportedAndListsStillRefresh) {
  const std::function<void(FakePlatform&)> failures[] = {
      [](FakePlatform& p) { p.iniWritesSucceed = false; },
      [](FakePlatform& p) { p.unwritableIniKeys = {"WiFi名称　"}; },
      [](FakePlatform& p) { p.unwritableIniKeys = {"WiFi密码　"}; },
  };
  for (size_t i = 0; i < std::size(failures); ++i) {
    SCOPED_TRACE(i);
    FakePlatform platform;
    platform.texts[Control::编辑框1] = "N";
    platform.texts[Control::编辑框2] = "K";
    failures[i](platform);
    createHostedNetwork(platform);
    Calls calls = handlerCalls(platform);
    // Both entries are still attempted.
    EXPECT_EQ(platform.callsStartingWith("ini|").size(), 2u);
    Calls tail(calls.end() - 3, calls.end());
    Calls expected = {CREATE_SUCCESS_UNSAVED, "clear|组合框1", "clear|组合框2"};
    EXPECT_EQ(tail, expected);
  }
}

TEST(CreateHostedNetwork, ConfirmedSuccessRefillsListsWithCurrentAdapters) {
  FakePlatform platform;
  platform.texts[Control::编辑框1] = "N";
  platform.texts[Control::编辑框2] = "K";
  platform.listItems[Control::组合框1] = {"本地连接\r\n"};
  platform.listItems[Control::组合框2] = {"本地连接\r\n"};
  platform.adapterNames = {"{A}", "{B}"};
  const Text prefix =
      "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
  platform.registry[prefix + "{A}\\Connection\\Name"] = "本地连接";
  platform.registry[prefix + "{B}\\Connection\\Name"] = "无线网络连接 2";
  createHostedNetwork(platform);
  std::vector<Text> expected = {"本地连接\r\n", "无线网络连接 2\r\n"};
  EXPECT_EQ(platform.listItems[Control::组合框1], expected);
  EXPECT_EQ(platform.listItems[Control::组合框2], expected);
}

TEST(CreateAndRemove, CancelledSuccessMessageLeavesListsAlone) {
  const std::pair<const char*, void (*)(PlatformServices&)> handlers[] = {
      {"create", createHostedNetwork}, {"remove", removeHostedNetwork}};
  for (const auto& [label, handler] : handlers) {
    SCOPED_TRACE(label);
    FakePlatform platform;
    platform.texts[Control::编辑框1] = "N";
    platform.texts[Control::编辑框2] = "K";
    platform.messageAnswers = {1};
    handler(platform);
    EXPECT_TRUE(platform.callsStartingWith("clear|").empty());
    EXPECT_TRUE(platform.callsStartingWith("adapters|").empty());
  }
}

struct CommandCase {
  const char* label;
  void (*handler)(PlatformServices&);
  std::optional<uint32_t> exitCode;
  Calls expected;
};

TEST(StartStopRemove, JudgedByExitCode) {
  const char START[] = "run|cmd /c netsh wlan start hostednetwork|wait=1|show=1";
  const char STOP[] = "run|cmd /c netsh wlan stop hostednetwork|wait=1|show=1";
  const char REMOVE[] = "run|cmd /c netsh wlan set hostednetwork mode=disallow|wait=1|show=1";
  const char START_FAILED[] = "message|启用WiFi失败！\r\n请先创建Zephyra，并确认无线网卡已打开。|64|提醒：";
  const CommandCase cases[] = {
      {"start, 0", startHostedNetwork, 0u,
       {"cursor", START, "cursor", "run|cmd /c sc config  MpsSvc start= AUTO|wait=1|show=1",
        "cursor", "run|cmd /c net start  MpsSvc|wait=1|show=1",
        "message|启用WiFi成功！|64|恭喜您："}},
      {"start, 1", startHostedNetwork, 1u, {"cursor", START, START_FAILED}},
      {"start, not started", startHostedNetwork, std::nullopt, {"cursor", START, START_FAILED}},
      {"stop, 0", stopHostedNetwork, 0u, {"cursor", STOP, "message|停用WiFi成功！|64|恭喜您："}},
      {"stop, 1", stopHostedNetwork, 1u, {"cursor", STOP, "message|停用WiFi失败！|64|提醒："}},
      {"stop, not started", stopHostedNetwork, std::nullopt,
       {"cursor", STOP, "message|停用WiFi失败！|64|提醒："}},
      {"remove, 0", removeHostedNetwork, 0u,
       {"cursor", REMOVE, "message|卸载WiFi成功！|64|恭喜您：", "clear|组合框1", "clear|组合框2"}},
      {"remove, 1", removeHostedNetwork, 1u, {"cursor", REMOVE, "message|卸载WiFi失败！|64|提醒："}},
      {"remove, not started", removeHostedNetwork, std::nullopt,
       {"cursor", REMOVE, "message|卸载WiFi失败！|64|提醒："}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform platform;
    platform.exitCodeFor = [&c](const Text&) { return c.exitCode; };
    c.handler(platform);
    EXPECT_EQ(handlerCalls(platform), c.expected);
  }
}

TEST(StartHostedNetwork, FirewallStepsAreBestEffort) {
  // sc refuses, net answers 2 (the service runs already): the start still succeeded.
  const std::map<Text, uint32_t> exitCodes = {
      {"cmd /c netsh wlan start hostednetwork", 0},
      {"cmd /c sc config  MpsSvc start= AUTO", 1},
      {"cmd /c net start  MpsSvc", 2},
  };
  FakePlatform platform;
  platform.exitCodeFor = [&](const Text& line) { return std::optional<uint32_t>(exitCodes.at(line)); };
  startHostedNetwork(platform);
  Calls expected = {"message|启用WiFi成功！|64|恭喜您："};
  EXPECT_EQ(platform.callsStartingWith("message|"), expected);
  EXPECT_EQ(platform.callsStartingWith("run|").size(), 3u);
}

}  // namespace
}  // namespace zephyra
