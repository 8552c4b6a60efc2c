#pragma once
// PlatformServices over Win32. The main window tells it which window is which control.

#include <windows.h>

#include <map>

#include "platform/platform_services.h"

namespace zephyra::win32 {

class Win32Platform : public PlatformServices {
 public:
  // Takes the run directory from the executable's path and makes it the current directory.
  Win32Platform();

  void setMainWindow(HWND hwnd) { mainWindow_ = hwnd; }
  void setControlWindow(Control control, HWND hwnd) { controls_[control] = hwnd; }
  HWND controlWindow(Control control) const;

  bool runCommandLine(const Text& commandLine, bool wait, int showMode) override;
  std::optional<uint32_t> runCommandLineForExitCode(const Text& commandLine, int showMode) override;
  bool shellOpen(int verbCode, const Text& file, const std::optional<Text>& parameters,
                 const std::optional<Text>& directory, int showMode) override;
  void openWebAddress(const Text& address) override;
  int showMessage(const Text& text, int flags, const std::optional<Text>& title) override;
  void setWaitCursor() override;
  bool writeFileBytes(const Text& path, const std::vector<Bytes>& data) override;
  bool deleteFile(const Text& path) override;
  bool writeIniValue(const Text& file, const Text& section, const std::optional<Text>& key,
                     const std::optional<Text>& value) override;
  Text readRegistryText(int rootCode, const Text& fullPath,
                        const std::optional<Text>& defaultText) override;
  Text runDirectory() override { return runDirectory_; }
  uint32_t getAdaptersInfo(uint8_t* buffer, uint32_t& size) override;
  bool createMutexFindsExisting(const Text& name) override;
  void setWindowProperty(const Text& name, intptr_t value) override;
  void activateWindowWithProperty(const Text& name, intptr_t value) override;
  Text controlText(Control control) override;
  void setControlFocus(Control control) override;
  int listAddItem(Control list, const Text& itemText, intptr_t itemData) override;
  void listClear(Control list) override;
  int listItemCount(Control list) override;
  Text listItemText(Control list, int index) override;
  uintptr_t windowHandle() override { return reinterpret_cast<uintptr_t>(mainWindow_); }
  void setLinkType(Control link, int type) override;
  void setLinkAddress(Control link, const Text& address) override;
  void exitProgram(int code) override;

 private:
  Text runDirectory_;
  HWND mainWindow_ = nullptr;
  std::map<Control, HWND> controls_;
};

}  // namespace zephyra::win32
