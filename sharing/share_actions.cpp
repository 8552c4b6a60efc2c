#include "sharing/share_actions.h"

#include <optional>
#include <string_view>

#include "platform/codes.h"
#include "platform/text.h"
#include "sharing/sharing_script.h"

namespace zephyra {

namespace {

// The launcher: runs the batch file hidden, without waiting. 104 bytes, no final line end.
constexpr char START_SHARE_SCRIPT_TEXT[] =
    "Set oShell = WScript.CreateObject (\"WSCript.shell\")\r\n"
    "oshell.run \"cmd.exe /c C:\\Windows\\Share.bat\",vbhide";

constexpr char BATCH_LINE_PREFIX[] = "cscript /nologo C:\\Windows\\Share.vbs \"";
constexpr char BATCH_LINE_BETWEEN_NAMES[] = "\" \"";
constexpr char SWITCH_ON[] = "\" \"on\"";
constexpr char SWITCH_OFF[] = "\" \"off\"";

constexpr char INTERFACE_COMMAND_PREFIX[] = "cmd /cnetsh interface set interface \"";
constexpr char INTERFACE_DISABLED_END[] = "\" \"disabled\"\r\n";
constexpr char INTERFACE_ENABLED_END[] = "\" \"enabled\"\r\n";

constexpr char LINE_BREAK[] = "\r\n";

constexpr char WARNING_TITLE[] = "提醒：";
constexpr char SUCCESS_TITLE[] = "恭喜您：";
constexpr char PROVIDER_MISSING[] = "请选择好供网名称！";
constexpr char SHARED_MISSING[] = "请选择好共享名称！";
constexpr char QUOTE_IN_NAME[] = "连接名称不能包含双引号！";
constexpr char FILES_UNWRITABLE[] = "无法写入共享脚本文件，请以管理员身份运行！";
constexpr char LAUNCH_FAILED[] = "无法启动共享脚本！";
constexpr char SHARE_SUCCEEDED[] = "共享网络成功！";
constexpr char UNSHARE_SUCCEEDED[] = "取消共享成功！";

// The two chosen connections, line breaks removed.
struct ChosenNames {
  Text provider;
  Text shared;
};

void warn(PlatformServices& platform, const char* text) {
  platform.showMessage(text, MESSAGE_INFORMATION, WARNING_TITLE);
}

// Every reader drops the "\r\n" that ends a list item. A lone CR or LF (typed or pasted
// into a list's field) goes too: in Share.bat a line feed would end the cscript line and
// start a command of its own.
Text withoutLineBreaks(std::string_view text) {
  return replaceAll(replaceAll(replaceAll(text, LINE_BREAK, ""), "\r", ""), "\n", "");
}

bool hasQuote(std::string_view name) { return name.find('"') != std::string_view::npos; }

// A warning and the list it is about.
struct Rejection {
  const char* text;
  Control list;
};

// Both empty checks (provider first) come before the quote checks: a quote would end the
// name's quoted argument in the batch line and in the netsh lines.
std::optional<Rejection> rejectNames(std::string_view providerText, std::string_view sharedText,
                                     const ChosenNames& names) {
  if (providerText.empty()) return Rejection{PROVIDER_MISSING, Control::组合框1};
  if (sharedText.empty()) return Rejection{SHARED_MISSING, Control::组合框2};
  if (hasQuote(names.provider)) return Rejection{QUOTE_IN_NAME, Control::组合框1};
  if (hasQuote(names.shared)) return Rejection{QUOTE_IN_NAME, Control::组合框2};
  return std::nullopt;
}

// A batch file expands %...% even inside quotes; %% stands for one percent sign.
Text batchArgument(std::string_view name) { return replaceAll(name, "%", "%%"); }

// The sharing script, the batch line that runs it with the two names and the switch, and
// the launcher, written in this order; false at the first file that cannot be written.
bool writeSharingFiles(PlatformServices& platform, const ChosenNames& names,
                       const char* switchEnd) {
  const Text batchLine = concatTexts({BATCH_LINE_PREFIX, batchArgument(names.shared),
                                      BATCH_LINE_BETWEEN_NAMES, batchArgument(names.provider),
                                      switchEnd});
  const struct {
    const char* path;
    Bytes bytes;
  } files[] = {
      {SHARE_SCRIPT_PATH, Bytes(sharingScript())},
      {SHARE_BATCH_PATH, textToBytes(batchLine)},
      {START_SHARE_SCRIPT_PATH, textToBytes(START_SHARE_SCRIPT_TEXT)},
  };
  for (const auto& file : files) {
    platform.setWaitCursor();
    if (!platform.writeFileBytes(file.path, {file.bytes})) return false;
  }
  return true;
}

// The steps both actions share: read and check the two names, write the three files.
// Nothing when the action ends here (the user has been told why).
std::optional<ChosenNames> prepareSharing(PlatformServices& platform, const char* switchEnd) {
  Text providerText(asText(platform.controlText(Control::组合框1)));
  Text sharedText(asText(platform.controlText(Control::组合框2)));
  ChosenNames names{withoutLineBreaks(providerText), withoutLineBreaks(sharedText)};
  if (std::optional<Rejection> rejection = rejectNames(providerText, sharedText, names)) {
    warn(platform, rejection->text);
    platform.setControlFocus(rejection->list);
    return std::nullopt;
  }
  if (!writeSharingFiles(platform, names, switchEnd)) {
    warn(platform, FILES_UNWRITABLE);
    return std::nullopt;
  }
  return names;
}

Text interfaceCommand(std::string_view name, const char* stateEnd) {
  return concatTexts({INTERFACE_COMMAND_PREFIX, name, stateEnd});
}

// Every listed connection but the two chosen ones is switched off while sharing is set up.
void disableOtherConnections(PlatformServices& platform, const ChosenNames& names, int count) {
  for (int i = 0; i < count; ++i) {
    Text name = withoutLineBreaks(platform.listItemText(Control::组合框1, i));
    if (name == names.provider || name == names.shared) continue;
    platform.setWaitCursor();
    platform.runCommandLine(interfaceCommand(name, INTERFACE_DISABLED_END), true, SHOW_HIDDEN);
  }
}

// Every listed connection, the chosen ones included, in list order.
void enableConnections(PlatformServices& platform, int count) {
  for (int i = 0; i < count; ++i) {
    platform.setWaitCursor();
    Text name = withoutLineBreaks(platform.listItemText(Control::组合框1, i));
    platform.runCommandLine(interfaceCommand(name, INTERFACE_ENABLED_END), true, SHOW_HIDDEN);
  }
}

// Opens the launcher without waiting. The working directory is given as the empty text,
// which is also what ShellExecuteA receives when none is given.
bool launchSharingScript(PlatformServices& platform) {
  platform.setWaitCursor();
  return platform.shellOpen(VERB_OPEN, START_SHARE_SCRIPT_PATH, std::nullopt, Text(),
                            SHOW_HIDDEN);
}

void reportLaunch(PlatformServices& platform, bool launched, const char* success) {
  if (launched)
    platform.showMessage(success, MESSAGE_INFORMATION, SUCCESS_TITLE);
  else
    warn(platform, LAUNCH_FAILED);
}

}  // namespace

void shareConnection(PlatformServices& platform) {
  std::optional<ChosenNames> names = prepareSharing(platform, SWITCH_ON);
  if (!names) return;
  const int count = platform.listItemCount(Control::组合框1);  // read once for both loops
  disableOtherConnections(platform, *names, count);
  bool launched = launchSharingScript(platform);
  enableConnections(platform, count);  // also when the launch failed
  reportLaunch(platform, launched, SHARE_SUCCEEDED);
}

void unshareConnection(PlatformServices& platform) {
  if (!prepareSharing(platform, SWITCH_OFF)) return;
  bool launched = launchSharingScript(platform);
  reportLaunch(platform, launched, UNSHARE_SUCCEEDED);
}

}  // namespace zephyra
