// write_sharing_script PATH: writes the program's sharing script to PATH, byte for byte,
// so the Wine tests run the very text the share actions write.

#include <cstdio>

#include "sharing/sharing_script.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: write_sharing_script PATH\n", stderr);
    return 2;
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) return 1;
  std::string_view script = zephyra::sharingScript();
  bool written = std::fwrite(script.data(), 1, script.size(), file) == script.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}
