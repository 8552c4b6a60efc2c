#pragma once
// The small integer codes that handlers pass to the platform services, and what each
// becomes in the Win32 call. Plain numbers, so the tables are testable off Windows.

#include <optional>
#include <string_view>

namespace zephyra {

// runCommandLine: wShowWindow for a show-mode code (out-of-range codes are clamped).
int commandShowWindow(int showMode);
// shellOpen: the nShowCmd for a show-mode code (out-of-range codes give SW_SHOWNORMAL).
int shellShowCommand(int showMode);
// shellOpen: the verb for a verb code; nothing means a null verb (the default action).
std::optional<std::string_view> shellVerb(int verbCode);

enum class RegistryRoot { ClassesRoot, CurrentConfig, CurrentUser, LocalMachine, Users };
RegistryRoot registryRoot(int rootCode);

// showMessage: the flags given to MessageBoxA, and the button index of its answer.
unsigned messageBoxFlags(int flags);
int buttonIndex(int messageBoxResult);

// The show-mode and verb codes the handlers use.
constexpr int SHOW_HIDDEN = 1;
constexpr int VERB_OPEN = 4;
constexpr int ROOT_LOCAL_MACHINE = 4;

// Message flags the handlers pass.
constexpr int MESSAGE_OK = 0;
constexpr int MESSAGE_INFORMATION = 64;
constexpr int MESSAGE_INFORMATION_OK_CANCEL = 65;
constexpr int BUTTON_OK = 0;

}  // namespace zephyra
