#include "platform/win32/win32_platform.h"

#include <algorithm>

#include <winsock2.h>
#include <iphlpapi.h>
#include <shellapi.h>

#include "platform/codes.h"
#include "platform/text.h"
#include "platform/win32/scoped.h"
#include "platform/win32/window_messages.h"

namespace zephyra::win32 {
namespace {

// A null pointer for an absent text, as the A functions take it.
const char* orNull(const std::optional<Text>& text) { return text ? text->c_str() : nullptr; }

HKEY rootKey(int rootCode) {
  switch (registryRoot(rootCode)) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
    case RegistryRoot::CurrentUser: break;
  }
  return HKEY_CURRENT_USER;
}

// The process and thread of a started command line, closed on scope exit.
struct StartedProcess {
  ScopedHandle process;
  ScopedHandle thread;
};

std::optional<StartedProcess> startProcess(const Text& commandLine, int showMode) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(commandShowWindow(showMode));
  PROCESS_INFORMATION info = {};
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::string line(asText(commandLine));
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return std::nullopt;
  }
  return StartedProcess{ScopedHandle(info.hProcess), ScopedHandle(info.hThread)};
}

std::optional<Text> readValue(HKEY key, const char* valueName, DWORD type, DWORD size) {
  std::string data(size, '\0');
  if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size);
  return bytesToText(data);
}

Text expandEnvironment(const Text& text) {
  DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (size == 0) return text;
  std::string expanded(size, '\0');
  DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
  if (written == 0 || written > size) return text;
  return bytesToText(expanded);
}

}  // namespace

Win32Platform::Win32Platform() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  runDirectory_ = directoryOf(std::string_view(path, length));
  SetCurrentDirectoryA(runDirectory_.c_str());
}

HWND Win32Platform::controlWindow(Control control) const {
  auto found = controls_.find(control);
  return found != controls_.end() ? found->second : nullptr;
}

bool Win32Platform::runCommandLine(const Text& commandLine, bool wait, int showMode) {
  std::optional<StartedProcess> started = startProcess(commandLine, showMode);
  if (!started) return false;
  if (wait) {
    WaitForSingleObject(started->process.get(), INFINITE);
  } else {
    WaitForInputIdle(started->process.get(), 1000);
  }
  return true;
}

std::optional<uint32_t> Win32Platform::runCommandLineForExitCode(const Text& commandLine,
                                                                 int showMode) {
  std::optional<StartedProcess> started = startProcess(commandLine, showMode);
  if (!started) return std::nullopt;
  WaitForSingleObject(started->process.get(), INFINITE);
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(started->process.get(), &exitCode)) return std::nullopt;
  return static_cast<uint32_t>(exitCode);
}

bool Win32Platform::shellOpen(int verbCode, const Text& file, const std::optional<Text>& parameters,
                              const std::optional<Text>& directory, int showMode) {
  std::optional<std::string_view> verb = shellVerb(verbCode);
  std::string verbText = verb ? std::string(*verb) : std::string();
  HINSTANCE result = ShellExecuteA(nullptr, verb ? verbText.c_str() : nullptr, file.c_str(),
                                   orNull(parameters), directory.value_or("").c_str(),
                                   shellShowCommand(showMode));
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Platform::openWebAddress(const Text& address) {
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int Win32Platform::showMessage(const Text& text, int flags, const std::optional<Text>& title) {
  int result = MessageBoxA(nullptr, text.c_str(), title.value_or("信息：").c_str(),
                           messageBoxFlags(flags));
  return buttonIndex(result);
}

void Win32Platform::setWaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }

bool Win32Platform::writeFileBytes(const Text& path, const std::vector<Bytes>& data) {
  if (asText(path).empty()) return false;
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  for (const Bytes& part : data) {
    size_t done = 0;
    while (done < part.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(part.size() - done, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file.get(), part.data() + done, chunk, &written, nullptr) || written == 0)
        return false;
      done += written;
    }
  }
  return true;
}

bool Win32Platform::deleteFile(const Text& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32Platform::writeIniValue(const Text& file, const Text& section,
                                  const std::optional<Text>& key,
                                  const std::optional<Text>& value) {
  return WritePrivateProfileStringA(section.c_str(), orNull(key), orNull(value), file.c_str()) !=
         FALSE;
}

Text Win32Platform::readRegistryText(int rootCode, const Text& fullPath,
                                     const std::optional<Text>& defaultText) {
  RegistryPath path = splitRegistryPath(fullPath);
  HKEY opened = nullptr;
  if (RegOpenKeyExA(rootKey(rootCode), path.keyPath.c_str(), 0, KEY_READ, &opened) !=
      ERROR_SUCCESS) {
    return defaultText.value_or("");
  }
  ScopedKey key(opened);
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), path.valueName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return defaultText.value_or("");
  }
  std::optional<Text> data = readValue(key.get(), path.valueName.c_str(), type, size);
  key.reset();
  if (!data) return defaultText.value_or("");
  return type == REG_EXPAND_SZ ? expandEnvironment(*data) : *data;
}

uint32_t Win32Platform::getAdaptersInfo(uint8_t* buffer, uint32_t& size) {
  ULONG length = size;
  DWORD result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer), &length);
  size = length;
  return result;
}

bool Win32Platform::createMutexFindsExisting(const Text& name) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
  if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return true;
  }
  // The first copy holds its owned mutex for the life of the process: it marks the copy.
  return false;
}

void Win32Platform::setWindowProperty(const Text& name, intptr_t value) {
  SetPropA(mainWindow_, name.c_str(), reinterpret_cast<HANDLE>(value));
}

void Win32Platform::activateWindowWithProperty(const Text& name, intptr_t value) {
  for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD);
       static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd)) > 0;
       hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    if (reinterpret_cast<intptr_t>(GetPropA(hwnd, name.c_str())) != value) continue;
    if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    return;
  }
}

Text Win32Platform::controlText(Control control) {
  HWND hwnd = controlWindow(control);
  int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return Text();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void Win32Platform::setControlFocus(Control control) { SetFocus(controlWindow(control)); }

int Win32Platform::listAddItem(Control list, const Text& itemText, intptr_t itemData) {
  HWND hwnd = controlWindow(list);
  LRESULT index = SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
  if (index < 0) return -1;
  SendMessageA(hwnd, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(itemData));
  return static_cast<int>(index);
}

void Win32Platform::listClear(Control list) {
  SendMessageA(controlWindow(list), CB_RESETCONTENT, 0, 0);
}

int Win32Platform::listItemCount(Control list) {
  return static_cast<int>(SendMessageA(controlWindow(list), CB_GETCOUNT, 0, 0));
}

Text Win32Platform::listItemText(Control list, int index) {
  if (index < 0 || index >= listItemCount(list)) return Text();
  HWND hwnd = controlWindow(list);
  LRESULT length = SendMessageA(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return Text();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  return bytesToText(text);
}

void Win32Platform::setLinkType(Control link, int type) {
  SendMessageA(controlWindow(link), ZM_SETLINKTYPE, static_cast<WPARAM>(type), 0);
}

void Win32Platform::setLinkAddress(Control link, const Text& address) {
  SendMessageA(controlWindow(link), ZM_SETLINKADDRESS, 0,
               reinterpret_cast<LPARAM>(address.c_str()));
}

void Win32Platform::exitProgram(int code) { ExitProcess(static_cast<UINT>(code)); }

}  // namespace zephyra::win32
