#pragma once
// The one seam between the handlers and Windows. No <windows.h> here: texts are
// byte strings in the ANSI code page, codes are plain integers.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace zephyra {

using Text = std::string;   // ANSI bytes; ends at the first zero byte when handed to Windows
using Bytes = std::string;  // counted bytes, zeros allowed

class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // --- Processes and the shell ---
  // CreateProcessA with a zeroed STARTUPINFO (STARTF_USESHOWWINDOW, show mode from
  // the runCommandLine table). True when the process was created.
  virtual bool runCommandLine(const Text& commandLine, bool wait, int showMode) = 0;
  // As runCommandLine with wait true; answers the child's exit code, or nothing when
  // the process could not be created.
  [[nodiscard]] virtual std::optional<uint32_t> runCommandLineForExitCode(const Text& commandLine,
                                                                          int showMode) = 0;
  // ShellExecuteA with the verb and show-mode tables of shellOpen. Does not wait;
  // answers whether the shell reported success (a result above 32).
  virtual bool shellOpen(int verbCode, const Text& file, const std::optional<Text>& parameters,
                         const std::optional<Text>& directory, int showMode) = 0;
  virtual void openWebAddress(const Text& address) = 0;

  // --- Dialogs and cursor ---
  // Task-modal MessageBoxA without owner; answers the button index (0 OK, 1 Cancel, ...).
  virtual int showMessage(const Text& text, int flags, const std::optional<Text>& title) = 0;
  virtual void setWaitCursor() = 0;

  // --- Files, registry and settings ---
  [[nodiscard]] virtual bool writeFileBytes(const Text& path, const std::vector<Bytes>& data) = 0;
  virtual bool deleteFile(const Text& path) = 0;
  virtual bool writeIniValue(const Text& file, const Text& section, const std::optional<Text>& key,
                             const std::optional<Text>& value) = 0;
  [[nodiscard]] virtual Text readRegistryText(int rootCode, const Text& fullPath,
                                              const std::optional<Text>& defaultText) = 0;
  [[nodiscard]] virtual Text runDirectory() = 0;

  // --- Adapter list ---
  // GetAdaptersInfo(buffer, &size): buffer may be null; answers the Win32 error code.
  virtual uint32_t getAdaptersInfo(uint8_t* buffer, uint32_t& size) = 0;

  // --- Single-instance marks ---
  // CreateMutexA(NULL, TRUE, name). When the mutex existed already, releases and closes
  // the handle and answers true; otherwise keeps it open for the life of the process.
  virtual bool createMutexFindsExisting(const Text& name) = 0;
  // SetPropA on the main window.
  virtual void setWindowProperty(const Text& name, intptr_t value) = 0;
  // Walks the top-level windows in Z order; the first one whose property `name` holds
  // `value` is restored if minimised and brought to the foreground.
  virtual void activateWindowWithProperty(const Text& name, intptr_t value) = 0;

  // --- Controls of the main window ---
  [[nodiscard]] virtual Text controlText(Control control) = 0;
  virtual void setControlFocus(Control control) = 0;
  virtual int listAddItem(Control list, const Text& itemText, intptr_t itemData) = 0;
  virtual void listClear(Control list) = 0;
  [[nodiscard]] virtual int listItemCount(Control list) = 0;
  [[nodiscard]] virtual Text listItemText(Control list, int index) = 0;
  [[nodiscard]] virtual uintptr_t windowHandle() = 0;
  virtual void setLinkType(Control link, int type) = 0;
  virtual void setLinkAddress(Control link, const Text& address) = 0;

  // --- Ending the program ---
  // Ends the process with ExitProcess(code); no further handler runs. (The test fake
  // records the call and returns, so callers return right after it.)
  virtual void exitProgram(int code) = 0;
};

}  // namespace zephyra
