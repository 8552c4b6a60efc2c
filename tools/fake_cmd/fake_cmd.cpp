// A stand-in for netsh, sc and net on the Wine bench; built once per program name.
//
// Each run appends one record to fake_commands.log in the folder of its own executable,
//   <program> <the bytes of GetCommandLineA(), in hex>\r\n
// hex, so that line breaks inside a command line cannot split or fake a record. It then
// exits with the code that fake_exit.ini beside it gives ([exit], key = program name),
// 0 when none is given.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/text.h"
#include "platform/win32/scoped.h"

#ifndef FAKE_PROGRAM_NAME
#error "define FAKE_PROGRAM_NAME as the program's name, e.g. \"netsh\""
#endif

namespace {

using zephyra::win32::ScopedFile;

constexpr char LOG_NAME[] = "\\fake_commands.log";
constexpr char EXIT_CODES_NAME[] = "\\fake_exit.ini";
constexpr char EXIT_SECTION[] = "exit";

std::string ownDirectory() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return zephyra::directoryOf(std::string(path, length));
}

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// FILE_APPEND_DATA alone: every write lands at the end, also with two writers.
bool appendRecord(const std::string& logPath, const std::string& record) {
  ScopedFile log(CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log) return false;
  DWORD written = 0;
  return WriteFile(log.get(), record.data(), static_cast<DWORD>(record.size()), &written,
                   nullptr) &&
         written == record.size();
}

}  // namespace

int main() {
  const std::string directory = ownDirectory();
  const std::string record =
      std::string(FAKE_PROGRAM_NAME) + " " + hex(GetCommandLineA()) + "\r\n";
  if (!appendRecord(directory + LOG_NAME, record))
    std::fprintf(stderr, "%s (fake): cannot append to %s%s\n", FAKE_PROGRAM_NAME,
                 directory.c_str(), LOG_NAME);
  const std::string exitCodes = directory + EXIT_CODES_NAME;
  return static_cast<int>(
      GetPrivateProfileIntA(EXIT_SECTION, FAKE_PROGRAM_NAME, 0, exitCodes.c_str()));
}
