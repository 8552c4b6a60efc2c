#pragma once
// A PlatformServices that records every call in order and answers canned results.

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "network/adapter_chain.h"
#include "platform/platform_services.h"

namespace zephyra::testing {

inline const char* controlName(Control control) {
  switch (control) {
    case Control::编辑框1: return "编辑框1";
    case Control::编辑框2: return "编辑框2";
    case Control::组合框1: return "组合框1";
    case Control::组合框2: return "组合框2";
    case Control::超级链接框1: return "超级链接框1";
  }
  return "?";
}

class FakePlatform : public PlatformServices {
 public:
  // ---- what the test sets ----
  std::map<Control, Text> texts;                    // edit boxes and list texts
  std::map<Control, std::vector<Text>> listItems;   // items of both lists
  std::deque<int> messageAnswers;                   // button indexes; empty → 0 (OK)
  // Exit code of a command line; nothing means the process could not be created.
  std::function<std::optional<uint32_t>(const Text&)> exitCodeFor = [](const Text&) {
    return std::optional<uint32_t>(0);
  };
  bool shellOpenSucceeds = true;
  std::set<Text> unwritablePaths;   // writeFileBytes answers false for these
  bool iniWritesSucceed = true;
  std::set<Text> unwritableIniKeys;  // writeIniValue answers false for these keys
  std::map<Text, Text> registry;    // full path → text (readRegistryText)
  std::vector<Text> adapterNames;   // AdapterName of each record, chain order
  // Adapters that appear between the sizing call and the filling call, once each.
  std::deque<std::vector<Text>> adaptersAppearingBeforeFill;
  bool mutexExists = false;
  Text directory = "C:\\Prog";

  // ---- what the test reads ----
  std::vector<std::string> calls;       // one line per call, in order
  std::map<Text, Bytes> files;          // what writeFileBytes wrote
  std::map<Text, std::map<Text, std::map<Text, Text>>> ini;  // file → section → key → value
  std::optional<int> exitCode;

  std::vector<std::string> callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> result;
    for (const auto& call : calls)
      if (call.rfind(prefix, 0) == 0) result.push_back(call);
    return result;
  }

  // ---- PlatformServices ----
  bool runCommandLine(const Text& commandLine, bool wait, int showMode) override {
    calls.push_back("run|" + commandLine + "|wait=" + (wait ? "1" : "0") +
                    "|show=" + std::to_string(showMode));
    return exitCodeFor(commandLine).has_value();
  }
  std::optional<uint32_t> runCommandLineForExitCode(const Text& commandLine,
                                                    int showMode) override {
    calls.push_back("run|" + commandLine + "|wait=1|show=" + std::to_string(showMode));
    return exitCodeFor(commandLine);
  }
  bool shellOpen(int verbCode, const Text& file, const std::optional<Text>& parameters,
                 const std::optional<Text>& directoryText, int showMode) override {
    calls.push_back("shell|" + std::to_string(verbCode) + "|" + file + "|" +
                    parameters.value_or("<null>") + "|" + directoryText.value_or("<null>") + "|" +
                    std::to_string(showMode));
    return shellOpenSucceeds;
  }
  void openWebAddress(const Text& address) override { calls.push_back("web|" + address); }
  int showMessage(const Text& text, int flags, const std::optional<Text>& title) override {
    calls.push_back("message|" + text + "|" + std::to_string(flags) + "|" +
                    title.value_or("<none>"));
    if (messageAnswers.empty()) return 0;
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  void setWaitCursor() override { calls.push_back("cursor"); }
  bool writeFileBytes(const Text& path, const std::vector<Bytes>& data) override {
    calls.push_back("write|" + path);
    if (path.empty() || unwritablePaths.count(path)) return false;
    Bytes& content = files[path];
    content.clear();
    for (const Bytes& part : data) content += part;
    return true;
  }
  bool deleteFile(const Text& path) override {
    calls.push_back("delete|" + path);
    return files.erase(path) > 0;
  }
  bool writeIniValue(const Text& file, const Text& section, const std::optional<Text>& key,
                     const std::optional<Text>& value) override {
    calls.push_back("ini|" + file + "|" + section + "|" + key.value_or("<null>") + "|" +
                    value.value_or("<null>"));
    if (!iniWritesSucceed || (key && unwritableIniKeys.count(*key))) return false;
    if (key && value) ini[file][section][*key] = *value;
    return true;
  }
  Text readRegistryText(int rootCode, const Text& fullPath,
                        const std::optional<Text>& defaultText) override {
    calls.push_back("registry|" + std::to_string(rootCode) + "|" + fullPath);
    auto found = registry.find(fullPath);
    return found != registry.end() ? found->second : defaultText.value_or("");
  }
  Text runDirectory() override { return directory; }

  uint32_t getAdaptersInfo(uint8_t* buffer, uint32_t& size) override {
    calls.push_back(std::string("adapters|") + (buffer ? "buffer" : "null"));
    if (buffer != nullptr && !adaptersAppearingBeforeFill.empty()) {
      adapterNames = adaptersAppearingBeforeFill.front();
      adaptersAppearingBeforeFill.pop_front();
    }
    if (adapterNames.empty()) {
      size = 0;
      return 232;  // ERROR_NO_DATA
    }
    uint32_t needed = static_cast<uint32_t>(adapterNames.size() * kLayout.recordSize);
    if (buffer == nullptr || size < needed) {
      size = needed;
      return 111;  // ERROR_BUFFER_OVERFLOW
    }
    fillAdapterRecords(buffer);
    return 0;
  }

  bool createMutexFindsExisting(const Text& name) override {
    calls.push_back("mutex|" + name);
    return mutexExists;
  }
  void setWindowProperty(const Text& name, intptr_t value) override {
    calls.push_back("prop|" + name + "|" + std::to_string(value));
  }
  void activateWindowWithProperty(const Text& name, intptr_t value) override {
    calls.push_back("activate|" + name + "|" + std::to_string(value));
  }

  Text controlText(Control control) override { return texts[control]; }
  void setControlFocus(Control control) override {
    calls.push_back(std::string("focus|") + controlName(control));
  }
  int listAddItem(Control list, const Text& itemText, intptr_t itemData) override {
    calls.push_back(std::string("add|") + controlName(list) + "|" + itemText + "|" +
                    std::to_string(itemData));
    listItems[list].push_back(itemText);
    return static_cast<int>(listItems[list].size()) - 1;
  }
  void listClear(Control list) override {
    calls.push_back(std::string("clear|") + controlName(list));
    listItems[list].clear();
    texts[list].clear();
  }
  int listItemCount(Control list) override { return static_cast<int>(listItems[list].size()); }
  Text listItemText(Control list, int index) override {
    const auto& items = listItems[list];
    return (index >= 0 && index < static_cast<int>(items.size())) ? items[index] : Text();
  }
  uintptr_t windowHandle() override { return 0x1234; }
  void setLinkType(Control link, int type) override {
    calls.push_back(std::string("linktype|") + controlName(link) + "|" + std::to_string(type));
  }
  void setLinkAddress(Control link, const Text& address) override {
    calls.push_back(std::string("linkaddress|") + controlName(link) + "|" + address);
  }
  void exitProgram(int code) override {
    calls.push_back("exit|" + std::to_string(code));
    exitCode = code;
  }

 private:
  static constexpr AdapterRecordLayout kLayout = NATIVE_ADAPTER_LAYOUT;
  // Records in a row, each Next an absolute address, as GetAdaptersInfo lays them out.
  void fillAdapterRecords(uint8_t* buffer) const {
    auto base = reinterpret_cast<uintptr_t>(buffer);
    for (size_t i = 0; i < adapterNames.size(); ++i) {
      uint8_t* record = buffer + i * kLayout.recordSize;
      std::memset(record, 0, kLayout.recordSize);
      uintptr_t next = i + 1 < adapterNames.size() ? base + (i + 1) * kLayout.recordSize : 0;
      std::memcpy(record, &next, kLayout.nextSize);
      std::memcpy(record + kLayout.nameOffset, adapterNames[i].data(),
                  std::min(adapterNames[i].size(), ADAPTER_NAME_LENGTH));
    }
  }
};

}  // namespace zephyra::testing
