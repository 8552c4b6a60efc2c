// Helper of the platform tests: writes what it was started with to the file named by its
// first argument (show flags, then its raw command line) and ends with the exit code
// given as its second argument.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 100;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 101;
  std::fprintf(out, "flags=%lu show=%u\n", static_cast<unsigned long>(startup.dwFlags),
               static_cast<unsigned>(startup.wShowWindow));
  std::fputs(GetCommandLineA(), out);
  std::fclose(out);
  return argc > 2 ? std::atoi(argv[2]) : 0;
}
