#include "platform/codes.h"

#include <algorithm>

namespace zephyra {

int commandShowWindow(int showMode) {
  // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE
  static constexpr int table[] = {0, 1, 2, 3, 4, 6};
  return table[std::clamp(showMode, 1, 6) - 1];
}

int shellShowCommand(int showMode) {
  // SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNA, SW_MINIMIZE
  static constexpr int table[] = {0, 1, 2, 3, 8, 6};
  return (showMode >= 1 && showMode <= 6) ? table[showMode - 1] : 1;
}

std::optional<std::string_view> shellVerb(int verbCode) {
  static constexpr std::string_view table[] = {"edit", "explore", "find", "open", "print"};
  if (verbCode >= 1 && verbCode <= 5) return table[verbCode - 1];
  return std::nullopt;
}

RegistryRoot registryRoot(int rootCode) {
  switch (rootCode) {
    case 1: return RegistryRoot::ClassesRoot;
    case 2: return RegistryRoot::CurrentConfig;
    case 4: return RegistryRoot::LocalMachine;
    case 5: return RegistryRoot::Users;
    default: return RegistryRoot::CurrentUser;
  }
}

unsigned messageBoxFlags(int flags) {
  constexpr unsigned MB_SYSTEMMODAL_ = 0x1000, MB_TASKMODAL_ = 0x2000;
  unsigned result = static_cast<unsigned>(flags);
  return (result & MB_SYSTEMMODAL_) ? result : (result | MB_TASKMODAL_);
}

int buttonIndex(int messageBoxResult) {
  // IDOK..IDNO (1..7) become 0..6; anything else, a failed call included, counts as OK.
  return (messageBoxResult >= 1 && messageBoxResult <= 7) ? messageBoxResult - 1 : 0;
}

}  // namespace zephyra
