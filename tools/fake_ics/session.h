#pragma once
// One manager object's view of the state file: loaded when the script creates the
// manager, written back after every change, every call appended to the log.

#include <string>

#include "tools/fake_ics/ics_state.h"

namespace fake_ics {

class Session {
 public:
  Session();  // reads the state file; a missing or odd file is noted in the log
  State& state() { return state_; }
  void log(const std::string& line) const;
  void save() const;

 private:
  std::wstring statePath_, logPath_;
  State state_;
};

}  // namespace fake_ics
