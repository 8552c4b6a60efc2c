#include "tools/fake_ics/session.h"

#include <windows.h>

#include <vector>

#include "platform/win32/scoped.h"

namespace fake_ics {
namespace {

using zephyra::win32::ScopedFile;

// FAKE_ICS_DIR, else C:\fake_ics: a fixed place also works when the script is started
// by a chain of programs that may not pass the environment on.
std::wstring folder() {
  wchar_t buffer[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"FAKE_ICS_DIR", buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"C:\\fake_ics";
  return std::wstring(buffer, length);
}

bool readFile(const std::wstring& path, std::string& text) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    text.append(chunk, got);
  return true;
}

void writeFile(const std::wstring& path, const std::string& text, bool append) {
  ScopedFile file(CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

Session::Session() : statePath_(folder() + L"\\state.txt"), logPath_(folder() + L"\\calls.log") {
  std::string text;
  if (!readFile(statePath_, text)) {
    log("! no state file");
    return;
  }
  std::vector<std::string> problems;
  state_ = parseState(text, problems);
  for (const std::string& problem : problems) log("! state " + problem);
}

void Session::log(const std::string& line) const { writeFile(logPath_, line + "\n", true); }

void Session::save() const { writeFile(statePath_, formatState(state_), false); }

}  // namespace fake_ics
