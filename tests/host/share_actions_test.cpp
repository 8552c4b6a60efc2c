#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sharing/share_actions.h"
#include "sharing/sharing_script.h"
#include "tests/host/fake_platform.h"

namespace zephyra {
namespace {

using testing::FakePlatform;
using Calls = std::vector<std::string>;
using Handler = void (*)(PlatformServices&);

const char SCRIPT[] = "C:\\Windows\\Share.vbs";
const char BATCH[] = "C:\\Windows\\Share.bat";
const char LAUNCHER[] = "C:\\Windows\\StartShare.vbs";
const char LAUNCH[] = "shell|4|C:\\Windows\\StartShare.vbs|<null>||1";
const char LAUNCHER_TEXT[] =
    "Set oShell = WScript.CreateObject (\"WSCript.shell\")\r\n"
    "oshell.run \"cmd.exe /c C:\\Windows\\Share.bat\",vbhide";

const struct {
  const char* label;
  Handler handler;
  const char* switchWord;
  const char* success;
} ACTIONS[] = {
    {"share", shareConnection, "on", "message|共享网络成功！|64|恭喜您："},
    {"unshare", unshareConnection, "off", "message|取消共享成功！|64|恭喜您："},
};

// Both lists hold the same items, as the connection lister fills them.
FakePlatform platformWith(const Text& provider, const Text& shared,
                          const std::vector<Text>& items = {}) {
  FakePlatform platform;
  platform.texts[Control::组合框1] = provider;
  platform.texts[Control::组合框2] = shared;
  platform.listItems[Control::组合框1] = items;
  platform.listItems[Control::组合框2] = items;
  return platform;
}

Calls without(const Calls& calls, const std::string& line) {
  Calls result;
  for (const auto& call : calls)
    if (call != line) result.push_back(call);
  return result;
}

std::string disable(const std::string& name) {
  return "run|cmd /cnetsh interface set interface \"" + name + "\" \"disabled\"\r\n|wait=1|show=1";
}
std::string enable(const std::string& name) {
  return "run|cmd /cnetsh interface set interface \"" + name + "\" \"enabled\"\r\n|wait=1|show=1";
}

TEST(ShareActions, RejectedNamesWarnFocusTheListAndWriteNothing) {
  const char PROVIDER_MISSING[] = "message|请选择好供网名称！|64|提醒：";
  const char SHARED_MISSING[] = "message|请选择好共享名称！|64|提醒：";
  const char QUOTE[] = "message|连接名称不能包含双引号！|64|提醒：";
  const struct {
    const char* label;
    Text provider;
    Text shared;
    Calls expected;
  } cases[] = {
      {"provider empty", "", "LAN\r\n", {PROVIDER_MISSING, "focus|组合框1"}},
      {"both empty", "", "", {PROVIDER_MISSING, "focus|组合框1"}},
      {"shared empty", "WAN\r\n", "", {SHARED_MISSING, "focus|组合框2"}},
      {"quote in provider", "W\"AN\r\n", "LAN\r\n", {QUOTE, "focus|组合框1"}},
      {"quote in shared", "WAN\r\n", "\"LAN\"", {QUOTE, "focus|组合框2"}},
      {"quote in both", "\"", "\"", {QUOTE, "focus|组合框1"}},
      {"shared empty before quote in provider", "W\"AN", "", {SHARED_MISSING, "focus|组合框2"}},
  };
  for (const auto& action : ACTIONS) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(action.label) + ": " + c.label);
      FakePlatform platform = platformWith(c.provider, c.shared, {"WAN\r\n", "LAN\r\n"});
      action.handler(platform);
      EXPECT_EQ(platform.calls, c.expected);
    }
  }
}

TEST(ShareActions, WriteScriptBatchLineAndLauncher) {
  const struct {
    const char* label;
    Text provider;
    Text shared;
    Bytes quotedNames;  // what follows "Share.vbs " in the batch line, before the switch
  } cases[] = {
      {"ASCII", "WAN\r\n", "LAN\r\n", "\"LAN\" \"WAN\""},
      {"typed, without line end", "WAN", "LAN", "\"LAN\" \"WAN\""},
      {"spaces", "Local Area Connection\r\n", "Wireless 2\r\n",
       "\"Wireless 2\" \"Local Area Connection\""},
      // 本地连接 2 and 无线网络连接 in GBK, unchanged.
      {"Chinese", "本地连接 2\r\n", "无线网络连接\r\n",
       "\"\xCE\xDE\xCF\xDF\xCD\xF8\xC2\xE7\xC1\xAC\xBD\xD3\" \"\xB1\xBE\xB5\xD8\xC1\xAC\xBD\xD3 2\""},
      {"percent signs", "50%off\r\n", "%PATH%\r\n", "\"%%PATH%%\" \"50%%off\""},
      {"same name in both", "LAN\r\n", "LAN\r\n", "\"LAN\" \"LAN\""},
      {"list text of a line end only", "\r\n", "LAN\r\n", "\"LAN\" \"\""},
      {"line ends inside the text", "W\r\nAN\r\n", "LAN", "\"LAN\" \"WAN\""},
  };
  for (const auto& action : ACTIONS) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(action.label) + ": " + c.label);
      FakePlatform platform = platformWith(c.provider, c.shared);
      action.handler(platform);
      Calls writes = {"write|C:\\Windows\\Share.vbs", "write|C:\\Windows\\Share.bat",
                      "write|C:\\Windows\\StartShare.vbs"};
      EXPECT_EQ(platform.callsStartingWith("write|"), writes);
      EXPECT_EQ(platform.files[SCRIPT], Bytes(sharingScript()));
      EXPECT_EQ(platform.files[BATCH], "cscript /nologo C:\\Windows\\Share.vbs " + c.quotedNames +
                                           " \"" + action.switchWord + "\"");
      EXPECT_EQ(platform.files[LAUNCHER], LAUNCHER_TEXT);
    }
  }
}

TEST(ShareActions, LauncherIsTheFixed104Bytes) {
  FakePlatform platform = platformWith("WAN\r\n", "LAN\r\n");
  shareConnection(platform);
  EXPECT_EQ(platform.files[LAUNCHER].size(), 104u);
}

TEST(ShareConnection, DisablesOthersByFullNameLaunchesThenEnablesAllInListOrder) {
  const struct {
    const char* label;
    Text provider;
    Text shared;
    std::vector<Text> items;
    Calls expected;  // after the three writes, cursors left out
  } cases[] = {
      {"two items, both chosen", "WAN\r\n", "LAN\r\n", {"WAN\r\n", "LAN\r\n"},
       {LAUNCH, enable("WAN"), enable("LAN"), "message|共享网络成功！|64|恭喜您："}},
      {"three items", "本地连接\r\n", "无线网络连接\r\n",
       {"本地连接\r\n", "本地连接 2\r\n", "无线网络连接\r\n"},
       {disable("本地连接 2"), LAUNCH, enable("本地连接"), enable("本地连接 2"),
        enable("无线网络连接"), "message|共享网络成功！|64|恭喜您："}},
      {"chosen name inside other names", "LAN\r\n", "WAN\r\n",
       {"MyLAN\r\n", "WAN\r\n", "LAN\r\n", "WAN 2\r\n"},
       {disable("MyLAN"), disable("WAN 2"), LAUNCH, enable("MyLAN"), enable("WAN"),
        enable("LAN"), enable("WAN 2"), "message|共享网络成功！|64|恭喜您："}},
      {"typed names that match no item", "WAN", "LAN", {"WAN 2\r\n", "LAN 2\r\n"},
       {disable("WAN 2"), disable("LAN 2"), LAUNCH, enable("WAN 2"), enable("LAN 2"),
        "message|共享网络成功！|64|恭喜您："}},
      {"no items", "WAN\r\n", "LAN\r\n", {}, {LAUNCH, "message|共享网络成功！|64|恭喜您："}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform platform = platformWith(c.provider, c.shared, c.items);
    shareConnection(platform);
    Calls calls = without(platform.calls, "cursor");
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Calls(calls.begin() + 3, calls.end()), c.expected);
  }
}

TEST(ShareActions, WaitCursorBeforeEachSlowStep) {
  for (const auto& action : ACTIONS) {
    SCOPED_TRACE(action.label);
    FakePlatform platform = platformWith("A\r\n", "B\r\n", {"A\r\n", "B\r\n", "C\r\n"});
    action.handler(platform);
    const Calls& calls = platform.calls;
    for (size_t i = 0; i < calls.size(); ++i) {
      bool slow = calls[i].rfind("write|", 0) == 0 || calls[i].rfind("run|", 0) == 0 ||
                  calls[i].rfind("shell|", 0) == 0;
      if (slow) {
        EXPECT_TRUE(i > 0 && calls[i - 1] == "cursor") << calls[i];
      }
    }
  }
}

TEST(ShareActions, UnwritableFileStopsBeforeAnyCommand) {
  const char* const paths[] = {SCRIPT, BATCH, LAUNCHER};
  for (const auto& action : ACTIONS) {
    for (size_t failing = 0; failing < 3; ++failing) {
      SCOPED_TRACE(std::string(action.label) + ": " + paths[failing]);
      FakePlatform platform = platformWith("WAN\r\n", "LAN\r\n", {"WAN\r\n", "LAN\r\n", "X\r\n"});
      platform.unwritablePaths = {paths[failing]};
      action.handler(platform);
      Calls expected;
      for (size_t i = 0; i <= failing; ++i) expected.push_back(std::string("write|") + paths[i]);
      expected.push_back("message|无法写入共享脚本文件，请以管理员身份运行！|64|提醒：");
      EXPECT_EQ(without(platform.calls, "cursor"), expected);
    }
  }
}

TEST(ShareActions, FailedLaunchIsReportedInsteadOfSuccess) {
  const char LAUNCH_FAILED[] = "message|无法启动共享脚本！|64|提醒：";
  const struct {
    Handler handler;
    Calls expected;  // after the three writes, cursors left out
  } cases[] = {
      {shareConnection, {disable("X"), LAUNCH, enable("WAN"), enable("X"), LAUNCH_FAILED}},
      {unshareConnection, {LAUNCH, LAUNCH_FAILED}},
  };
  for (const auto& c : cases) {
    FakePlatform platform = platformWith("WAN\r\n", "LAN\r\n", {"WAN\r\n", "X\r\n"});
    platform.shellOpenSucceeds = false;
    c.handler(platform);
    Calls calls = without(platform.calls, "cursor");
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Calls(calls.begin() + 3, calls.end()), c.expected);
  }
}

TEST(UnshareConnection, LaunchesWithoutAnyNetshCommand) {
  FakePlatform platform = platformWith("WAN\r\n", "LAN\r\n", {"WAN\r\n", "LAN\r\n", "X\r\n"});
  unshareConnection(platform);
  Calls expected = {"write|C:\\Windows\\Share.vbs", "write|C:\\Windows\\Share.bat",
                    "write|C:\\Windows\\StartShare.vbs", LAUNCH,
                    "message|取消共享成功！|64|恭喜您："};
  EXPECT_EQ(without(platform.calls, "cursor"), expected);
}

}  // namespace
}  // namespace zephyra

namespace zephyra {
namespace {

TEST(ShareLoneLineBreaks, NeverReachTheBatchLine) {
  testing::FakePlatform platform;
  platform.texts[Control::组合框1] = "LAN\r\n";
  platform.texts[Control::组合框2] = "Wi\nFi\rx";
  platform.listItems[Control::组合框1] = {"LAN\r\n", "Wi\nFi\rx\r\n"};
  shareConnection(platform);
  EXPECT_EQ(platform.files[SHARE_BATCH_PATH],
            "cscript /nologo C:\\Windows\\Share.vbs \"WiFix\" \"LAN\" \"on\"");
  // Both items are chosen ones once the breaks are gone: nothing is disabled.
  for (const std::string& call : platform.callsStartingWith("run|"))
    EXPECT_EQ(call.find("disabled"), std::string::npos) << call;
}

}  // namespace
}  // namespace zephyra
