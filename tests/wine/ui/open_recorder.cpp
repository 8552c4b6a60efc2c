// A stand-in shell handler for the hyperlink tests: appends what follows its own name on
// the command line to opened.txt beside it, one line per start. A GUI program, so that
// starting it opens no console window that would take the foreground.

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file(path);
  file = file.substr(0, file.rfind('\\')) + "\\opened.txt";
  while (*arguments == ' ') ++arguments;
  if (FILE* f = std::fopen(file.c_str(), "ab")) {
    std::fprintf(f, "%s\n", arguments);
    std::fclose(f);
  }
  return 0;
}
