// Fuzzes the text operations: no read outside the input, and the results agree with a
// plain reference walk (matches only at character boundaries, nothing else changed).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace {

using zephyra::asText;

size_t characterLength(std::string_view text, size_t pos) {
  return (static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size()) ? 2 : 1;
}

// The replacement as a list of kept characters and matches, built another way.
std::string referenceReplace(std::string_view text, std::string_view find, std::string_view with) {
  if (text.empty() || find.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    if (text.size() - pos >= find.size() && text.substr(pos, find.size()) == find) {
      out.append(with);
      pos += find.size();
      continue;
    }
    size_t length = text.size() - pos < find.size() ? text.size() - pos : characterLength(text, pos);
    out.append(text.substr(pos, length));
    pos += length;
  }
  return out;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Input: text \xFF find \xFF replacement (missing parts are empty).
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t first = input.find('\xFF');
  std::string_view text = input.substr(0, first);
  std::string_view rest = first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
  size_t second = rest.find('\xFF');
  std::string_view find = rest.substr(0, second);
  std::string_view with = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);

  std::string replaced = zephyra::replaceAll(text, find, with);
  check(replaced == referenceReplace(asText(text), asText(find), asText(with)));
  if (zephyra::findCharacterAware(asText(text), asText(find)) == std::string_view::npos)
    check(replaced == asText(text));

  std::string trimmed = zephyra::trimEnd(text);
  check(asText(text).substr(0, trimmed.size()) == trimmed);
  check(zephyra::trimEnd(trimmed) == trimmed);

  zephyra::RegistryPath split = zephyra::splitRegistryPath(text);
  bool noSeparator = split.keyPath.empty() && split.valueName == asText(text);
  check(noSeparator || split.keyPath + "\\" + split.valueName == asText(text));
  check(zephyra::directoryOf(text).size() <= asText(text).size());
  return 0;
}
