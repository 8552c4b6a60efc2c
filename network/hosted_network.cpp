#include "network/hosted_network.h"

#include <optional>
#include <string_view>

#include "network/connection_lister.h"
#include "platform/codes.h"
#include "platform/text.h"

namespace zephyra {

namespace {

// The account file beside the program: written by create, never read.
constexpr char ACCOUNT_FILE_NAME[] = "\\Zephyra.txt";
constexpr char ACCOUNT_SECTION[] = "Zephyra帐户信息";
constexpr char ACCOUNT_NAME_ENTRY[] = "WiFi名称　";  // ends in a full-width space
constexpr char ACCOUNT_KEY_ENTRY[] = "WiFi密码　";
constexpr char ACCOUNT_VALUE_PREFIX[] = "　";

constexpr char CREATE_COMMAND_PREFIX[] = "cmd /c netsh wlan set hostednetwork mode=allow ssid=\"";
constexpr char CREATE_COMMAND_KEY[] = "\" key=\"";
constexpr char CREATE_COMMAND_END[] = "\"";
constexpr char START_COMMAND[] = "cmd /c netsh wlan start hostednetwork";
// Connection sharing needs the firewall service running; both steps are best effort.
constexpr char FIREWALL_AUTO_START_COMMAND[] = "cmd /c sc config  MpsSvc start= AUTO";
constexpr char FIREWALL_START_COMMAND[] = "cmd /c net start  MpsSvc";
constexpr char STOP_COMMAND[] = "cmd /c netsh wlan stop hostednetwork";
constexpr char REMOVE_COMMAND[] = "cmd /c netsh wlan set hostednetwork mode=disallow";

constexpr char WARNING_TITLE[] = "提醒：";
constexpr char SUCCESS_TITLE[] = "恭喜您：";
constexpr char NAME_MISSING[] = "请设置好WiFi名称！";
constexpr char KEY_MISSING[] = "请设置好WiFi密码！";
constexpr char UNSAFE_INPUT[] = "WiFi名称和密码不能包含双引号、百分号或换行符！";
constexpr char CREATE_SUCCEEDED[] =
    "创建Zephyra成功！\r\n名称及密码信息保存在运行目录【Zephyra.txt】中。";
constexpr char CREATE_SUCCEEDED_UNSAVED[] =
    "创建Zephyra成功！\r\n但名称及密码信息未能保存到运行目录【Zephyra.txt】中！";
constexpr char CREATE_FAILED[] =
    "创建Zephyra失败！\r\n请以管理员身份运行，并确认无线网卡支持承载网络、密码为8至63个字符。";
constexpr char START_SUCCEEDED[] = "启用WiFi成功！";
constexpr char START_FAILED[] = "启用WiFi失败！\r\n请先创建Zephyra，并确认无线网卡已打开。";
constexpr char STOP_SUCCEEDED[] = "停用WiFi成功！";
constexpr char STOP_FAILED[] = "停用WiFi失败！";
constexpr char REMOVE_SUCCEEDED[] = "卸载WiFi成功！";
constexpr char REMOVE_FAILED[] = "卸载WiFi失败！";

// Inside the quotes of the create line cmd still ends the command at a line break,
// expands %...% and lets a further quote close the argument.
bool fitsQuotedArgument(std::string_view text) {
  return text.find_first_of("\"%\r\n") == std::string_view::npos;
}

void warn(PlatformServices& platform, const char* text) {
  platform.showMessage(text, MESSAGE_INFORMATION, WARNING_TITLE);
}

// A warning and the box it is about.
struct Rejection {
  const char* text;
  Control box;
};

// Empty checks first (name, then key), then the characters the command line cannot carry.
std::optional<Rejection> rejectInputs(std::string_view name, std::string_view key) {
  if (name.empty()) return Rejection{NAME_MISSING, Control::编辑框1};
  if (key.empty()) return Rejection{KEY_MISSING, Control::编辑框2};
  if (!fitsQuotedArgument(name)) return Rejection{UNSAFE_INPUT, Control::编辑框1};
  if (!fitsQuotedArgument(key)) return Rejection{UNSAFE_INPUT, Control::编辑框2};
  return std::nullopt;
}

// An awaited, hidden command; cmd /c hands on netsh's exit code, 0 only on success.
bool runSucceeds(PlatformServices& platform, const Text& commandLine) {
  platform.setWaitCursor();
  std::optional<uint32_t> exitCode = platform.runCommandLineForExitCode(commandLine, SHOW_HIDDEN);
  return exitCode.has_value() && *exitCode == 0;
}

// The success message; after OK the lists show the adapters as they are now.
void confirmAndRefresh(PlatformServices& platform, const char* text) {
  if (platform.showMessage(text, MESSAGE_INFORMATION, SUCCESS_TITLE) == BUTTON_OK)
    refreshConnectionLists(platform);
}

bool writeAccountEntry(PlatformServices& platform, const char* entry, std::string_view value) {
  platform.setWaitCursor();
  Text path = concatTexts({platform.runDirectory(), ACCOUNT_FILE_NAME});
  return platform.writeIniValue(path, ACCOUNT_SECTION, Text(entry),
                                concatTexts({ACCOUNT_VALUE_PREFIX, value}));
}

// Both entries are attempted; true only when both were written.
bool saveAccount(PlatformServices& platform, std::string_view name, std::string_view key) {
  bool nameSaved = writeAccountEntry(platform, ACCOUNT_NAME_ENTRY, name);
  bool keySaved = writeAccountEntry(platform, ACCOUNT_KEY_ENTRY, key);
  return nameSaved && keySaved;
}

}  // namespace

void createHostedNetwork(PlatformServices& platform) {
  Text name(asText(platform.controlText(Control::编辑框1)));
  Text key(asText(platform.controlText(Control::编辑框2)));
  if (std::optional<Rejection> rejection = rejectInputs(name, key)) {
    warn(platform, rejection->text);
    platform.setControlFocus(rejection->box);
    return;
  }
  Text commandLine =
      concatTexts({CREATE_COMMAND_PREFIX, name, CREATE_COMMAND_KEY, key, CREATE_COMMAND_END});
  if (!runSucceeds(platform, commandLine)) {
    warn(platform, CREATE_FAILED);
    return;
  }
  bool saved = saveAccount(platform, name, key);
  confirmAndRefresh(platform, saved ? CREATE_SUCCEEDED : CREATE_SUCCEEDED_UNSAVED);
}

// A failed start changes nothing else: the firewall service is left as it is.
void startHostedNetwork(PlatformServices& platform) {
  if (!runSucceeds(platform, START_COMMAND)) {
    warn(platform, START_FAILED);
    return;
  }
  platform.setWaitCursor();
  platform.runCommandLine(FIREWALL_AUTO_START_COMMAND, true, SHOW_HIDDEN);
  platform.setWaitCursor();
  platform.runCommandLine(FIREWALL_START_COMMAND, true, SHOW_HIDDEN);  // 2 when it runs already
  platform.showMessage(START_SUCCEEDED, MESSAGE_INFORMATION, SUCCESS_TITLE);
}

void stopHostedNetwork(PlatformServices& platform) {
  if (!runSucceeds(platform, STOP_COMMAND)) {
    warn(platform, STOP_FAILED);
    return;
  }
  platform.showMessage(STOP_SUCCEEDED, MESSAGE_INFORMATION, SUCCESS_TITLE);
}

void removeHostedNetwork(PlatformServices& platform) {
  if (!runSucceeds(platform, REMOVE_COMMAND)) {
    warn(platform, REMOVE_FAILED);
    return;
  }
  confirmAndRefresh(platform, REMOVE_SUCCEEDED);
}

}  // namespace zephyra
