#include "app/handlers.h"

#include "app/maker.h"
#include "platform/codes.h"
#include "platform/text.h"
#include "sharing/share_actions.h"

namespace zephyra {

// ---- Creation handler ----
// onMainWindowCreated lives in app/startup.cpp, beside the start-up it belongs to.

// ---- Information, close and clean-up ----

namespace {

constexpr char USAGE_TITLE[] = "使用说明：";
constexpr char USAGE_TEXT[] =
    "第一步【创建Zephyra】：\r\n名称为英文，密码至少8个字符；\r\n\r\n"
    "第二步【共享网络设置】：\r\n供网名称为欲提供共享网络的Internet网络，\r\n"
    "共享网络为将共享到Internet网络的网络（即创建的虚拟WiFi网络）；\r\n\r\n"
    "第三步【启用WiFi】：\r\n启用后便可通过Zephyra共享Internet网络上网了！\r\n\r\n"
    "【停用WiFi】：\r\n停止使用Zephyra共享Internet网络上网。\r\n\r\n"
    "【卸载WiFi】：\r\n卸载Zephyra。\r\n\r\n"
    "【取消共享】：\r\n取消共享网络设置。";

constexpr char ABOUT_TITLE[] = "关于软件：";
constexpr char ABOUT_MAKER_LINE[] = "本软件由Quorvane开发，版权归Quorvane所有。";
constexpr char ABOUT_BLOG_LABEL[] = "博客：";
constexpr char ABOUT_FEEDBACK_LINE[] = "如有问题，请到博客反馈！";
constexpr char BLANK_LINE[] = "\r\n\r\n";

constexpr char CLOSE_TITLE[] = "更多精彩：";
constexpr char CLOSE_TEXT[] = "更多精彩，请点击【确定】！\r\n\r\n关闭软件，请点击【取消】！";

}  // namespace

void showUsage(PlatformServices& platform) {
  platform.showMessage(USAGE_TEXT, MESSAGE_INFORMATION, USAGE_TITLE);
}

void showAbout(PlatformServices& platform) {
  Text about = concatTexts({ABOUT_MAKER_LINE, BLANK_LINE, ABOUT_BLOG_LABEL, MAKER_WEB_ADDRESS,
                            BLANK_LINE, ABOUT_FEEDBACK_LINE});
  platform.showMessage(about, MESSAGE_INFORMATION, ABOUT_TITLE);
}

// OK opens the maker's web page; either way the window closes.
void onCloseQuery(PlatformServices& platform) {
  if (platform.showMessage(CLOSE_TEXT, MESSAGE_INFORMATION_OK_CANCEL, CLOSE_TITLE) == BUTTON_OK)
    platform.openWebAddress(MAKER_WEB_ADDRESS);
}

// The share actions leave their files in C:\Windows; missing ones are no error.
void onMainWindowDestroyed(PlatformServices& platform) {
  platform.deleteFile(START_SHARE_SCRIPT_PATH);
  platform.deleteFile(SHARE_BATCH_PATH);
  platform.deleteFile(SHARE_SCRIPT_PATH);
}

}  // namespace zephyra
