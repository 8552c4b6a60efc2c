#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/handlers.h"
#include "tests/host/fake_platform.h"

namespace zephyra {
namespace {

using testing::FakePlatform;
using Calls = std::vector<std::string>;

TEST(InformationHandlers, UsageAndAboutShowTheirExactTexts) {
  const struct {
    const char* label;
    void (*handler)(PlatformServices&);
    const char* expected;
  } cases[] = {
      {"usage", showUsage,
       "message|第一步【创建Zephyra】：\r\n名称为英文，密码至少8个字符；\r\n\r\n"
       "第二步【共享网络设置】：\r\n供网名称为欲提供共享网络的Internet网络，\r\n"
       "共享网络为将共享到Internet网络的网络（即创建的虚拟WiFi网络）；\r\n\r\n"
       "第三步【启用WiFi】：\r\n启用后便可通过Zephyra共享Internet网络上网了！\r\n\r\n"
       "【停用WiFi】：\r\n停止使用Zephyra共享Internet网络上网。\r\n\r\n"
       "【卸载WiFi】：\r\n卸载Zephyra。\r\n\r\n"
       "【取消共享】：\r\n取消共享网络设置。|64|使用说明："},
      {"about", showAbout,
       "message|本软件由Quorvane开发，版权归Quorvane所有。\r\n\r\n"
       "博客：https://www.quorvane.com/\r\n\r\n如有问题，请到博客反馈！|64|关于软件："},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FakePlatform platform;
    c.handler(platform);
    EXPECT_EQ(platform.calls, Calls{c.expected});
  }
}

TEST(CloseQuery, OkOpensTheMakersPageCancelOpensNothing) {
  const char QUERY[] =
      "message|更多精彩，请点击【确定】！\r\n\r\n关闭软件，请点击【取消】！|65|更多精彩：";
  const struct {
    int answer;
    Calls expected;
  } cases[] = {
      {0, {QUERY, "web|https://www.quorvane.com/"}},
      {1, {QUERY}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    FakePlatform platform;
    platform.messageAnswers = {c.answer};
    onCloseQuery(platform);
    EXPECT_EQ(platform.calls, c.expected);
  }
}

TEST(MainWindowDestroyed, DeletesTheThreeScriptFilesPresentOrNot) {
  const Calls expected = {"delete|C:\\Windows\\StartShare.vbs", "delete|C:\\Windows\\Share.bat",
                          "delete|C:\\Windows\\Share.vbs"};
  for (bool present : {false, true}) {
    SCOPED_TRACE(present);
    FakePlatform platform;
    if (present)
      for (const char* path : {"C:\\Windows\\StartShare.vbs", "C:\\Windows\\Share.bat",
                               "C:\\Windows\\Share.vbs"})
        platform.files[path] = "x";
    onMainWindowDestroyed(platform);
    EXPECT_EQ(platform.calls, expected);
    EXPECT_TRUE(platform.files.empty());
  }
}

}  // namespace
}  // namespace zephyra
