#include "tools/fake_ics/ics_state.h"

#include <cstdlib>

namespace fake_ics {
namespace {

bool parseLong(const std::string& text, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 0);
  return *end == '\0';
}

bool parseFlag(const std::string& text, bool& value) {
  long number = 0;
  if (!parseLong(text, number) || (number != 0 && number != 1)) return false;
  value = number == 1;
  return true;
}

bool setManagerKey(State& state, const std::string& key, const std::string& value) {
  if (key == "SharingInstalled") {
    if (value != "null" && value != "true") return false;
    state.sharingInstalledNull = value == "null";
    return true;
  }
  if (key == "EnableSharing") {
    if (value != "fail" && value != "ok") return false;
    state.enableSharingFails = value == "fail";
    return true;
  }
  return false;
}

bool setConnectionKey(Connection& c, const std::string& key, const std::string& value) {
  std::string* text = key == "Name"         ? &c.name
                      : key == "Guid"       ? &c.guid
                      : key == "DeviceName" ? &c.deviceName
                                            : nullptr;
  if (text) {
    *text = value;
    return true;
  }
  if (key == "Status") return parseLong(value, c.status);
  if (key == "MediaType") return parseLong(value, c.mediaType);
  if (key == "SharingEnabled") return parseFlag(value, c.sharingEnabled);
  if (key == "SharingConnectionType") return parseLong(value, c.sharingType);
  return false;
}

// One line without its line end; answers false when it means nothing.
bool applyLine(State& state, std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty() || line[0] == '#') return true;
  if (line == "[connection]") {
    state.connections.emplace_back();
    return true;
  }
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  std::string key = line.substr(0, equals), value = line.substr(equals + 1);
  if (state.connections.empty()) return setManagerKey(state, key, value);
  return setConnectionKey(state.connections.back(), key, value);
}

}  // namespace

State parseState(std::string_view text, std::vector<std::string>& problems) {
  State state;
  size_t number = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!applyLine(state, line)) problems.push_back("line " + std::to_string(number) + ": " + line);
  }
  return state;
}

std::string formatState(const State& state) {
  std::string out;
  out += std::string("SharingInstalled=") + (state.sharingInstalledNull ? "null" : "true") + "\n";
  out += std::string("EnableSharing=") + (state.enableSharingFails ? "fail" : "ok") + "\n";
  for (const Connection& c : state.connections) {
    out += "[connection]\nName=" + c.name + "\nGuid=" + c.guid + "\nDeviceName=" + c.deviceName;
    out += "\nStatus=" + std::to_string(c.status) + "\nMediaType=" + std::to_string(c.mediaType);
    out += std::string("\nSharingEnabled=") + (c.sharingEnabled ? "1" : "0");
    out += "\nSharingConnectionType=" + std::to_string(c.sharingType) + "\n";
  }
  return out;
}

std::vector<size_t> sharedAs(const State& state, long type) {
  std::vector<size_t> found;
  for (size_t i = 0; i < state.connections.size(); ++i) {
    const Connection& c = state.connections[i];
    if (c.sharingEnabled && c.sharingType == type) found.push_back(i);
  }
  return found;
}

}  // namespace fake_ics
