// Fuzzes the create and share handlers through the recording fake with arbitrary names,
// keys and list items: whatever the input, a name never leaves its quotes in a command
// line or in Share.bat, and a refused input runs and writes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "network/hosted_network.h"
#include "platform/text.h"
#include "sharing/share_actions.h"
#include "tests/host/fake_platform.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool unsafe(std::string_view text) {
  return text.find_first_of("\"%\r\n") != std::string_view::npos;
}

// What GetWindowTextA can give: every lead byte followed by a trail byte of 0x40 or above.
// Other bytes would not come from a window, so the quoting rules are not held to them.
bool validGbk(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) < 0x80) continue;
    if (i + 1 >= text.size() || static_cast<unsigned char>(text[i + 1]) < 0x40) return false;
    ++i;
  }
  return true;
}

// In a batch file a lone % starts a variable: every % must come in pairs.
bool percentsPaired(std::string_view line) {
  size_t run = 0;
  for (char c : line) {
    if (c == '%') {
      ++run;
    } else {
      if (run % 2) return false;
      run = 0;
    }
  }
  return run % 2 == 0;
}

std::vector<std::string_view> split(std::string_view input, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t pos; (pos = input.find(separator, start)) != std::string_view::npos; start = pos + 1)
    parts.push_back(input.substr(start, pos - start));
  parts.push_back(input.substr(start));
  return parts;
}

void fuzzCreate(std::string_view name, std::string_view key) {
  zephyra::testing::FakePlatform platform;
  platform.texts[zephyra::Control::编辑框1] = std::string(zephyra::asText(name));
  platform.texts[zephyra::Control::编辑框2] = std::string(zephyra::asText(key));
  zephyra::createHostedNetwork(platform);
  auto runs = platform.callsStartingWith("run|");
  bool refused = zephyra::asText(name).empty() || zephyra::asText(key).empty() ||
                 unsafe(zephyra::asText(name)) || unsafe(zephyra::asText(key));
  check(refused ? runs.empty() && platform.ini.empty() : runs.size() == 1);
  for (const auto& run : runs) {
    std::string line = run.substr(4, run.rfind("|wait=") - 4);
    size_t quotes = 0;
    for (char c : line) quotes += c == '"';
    check(quotes == 4);
  }
}

void fuzzShare(const std::vector<std::string_view>& parts) {
  zephyra::testing::FakePlatform platform;
  platform.texts[zephyra::Control::组合框1] = std::string(zephyra::asText(parts[0]));
  platform.texts[zephyra::Control::组合框2] =
      parts.size() > 1 ? std::string(zephyra::asText(parts[1])) : std::string();
  for (size_t i = 2; i < parts.size() && i < 40; ++i)
    platform.listItems[zephyra::Control::组合框1].push_back(std::string(zephyra::asText(parts[i])));
  zephyra::shareConnection(platform);
  auto batch = platform.files.find(zephyra::SHARE_BATCH_PATH);
  if (batch == platform.files.end()) {
    check(platform.callsStartingWith("run|").empty());
    return;
  }
  const std::string& line = batch->second;
  if (!validGbk(line)) return;
  check(line.find_first_of("\r\n") == std::string::npos);
  check(percentsPaired(line));
  size_t quotes = 0;
  for (char c : line) quotes += c == '"';
  check(quotes == 6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts = split(input, '\xFF');
  fuzzCreate(parts[0], parts.size() > 1 ? parts[1] : std::string_view());
  fuzzShare(parts);
  return 0;
}
