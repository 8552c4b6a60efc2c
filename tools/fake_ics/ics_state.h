#pragma once
// The stand-in's world: the connections it reports and its two knobs, read from and
// written back to a small UTF-8 text file (format in README.md).

#include <string>
#include <string_view>
#include <vector>

namespace fake_ics {

struct Connection {
  std::string name, guid, deviceName;
  long status = 2;     // NCS_CONNECTED
  long mediaType = 3;  // NCM_LAN
  bool sharingEnabled = false;
  long sharingType = 0;  // 0 public, 1 private; kept while sharing is off
};

struct State {
  bool sharingInstalledNull = false;  // SharingInstalled answers Null
  bool enableSharingFails = false;    // EnableSharing answers E_FAIL and changes nothing
  std::vector<Connection> connections;
};

// Lines it does not understand go to `problems` (as "line N: text"), the rest still counts.
State parseState(std::string_view text, std::vector<std::string>& problems);
std::string formatState(const State& state);

// Connections shared as `type` (0 public, 1 private), in file order.
std::vector<size_t> sharedAs(const State& state, long type);

}  // namespace fake_ics
