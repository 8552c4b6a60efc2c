#include "platform/text.h"

namespace zephyra {
namespace {

bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Length of the character that starts at `pos`; a lead byte at the very end counts alone.
size_t characterLength(std::string_view text, size_t pos) {
  return (isLeadByte(text[pos]) && pos + 1 < text.size()) ? 2 : 1;
}

// Offset of the last one-byte character equal to `c`, or npos.
size_t findLastSingleByte(std::string_view text, char c) {
  size_t found = std::string_view::npos;
  for (size_t pos = 0; pos < text.size(); pos += characterLength(text, pos)) {
    if (text[pos] == c) found = pos;
  }
  return found;
}

}  // namespace

std::string_view asText(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

std::string concatTexts(std::initializer_list<std::string_view> parts) {
  std::string result;
  for (std::string_view part : parts) result += asText(part);
  return result;
}

std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  text = asText(text);
  find = asText(find);
  replacement = asText(replacement);
  if (text.empty() || find.empty()) return std::string(text);
  std::string result;
  size_t pos = 0;
  while (text.size() - pos >= find.size()) {
    if (text.compare(pos, find.size(), find) == 0) {
      result += replacement;
      pos += find.size();
    } else {
      size_t length = characterLength(text, pos);
      result.append(text, pos, length);
      pos += length;
    }
  }
  result.append(text, pos, std::string_view::npos);
  return result;
}

std::string trimEnd(std::string_view text) {
  text = asText(text);
  size_t runStart = std::string_view::npos;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = characterLength(text, pos);
    bool space = text[pos] == ' ' ||
                 (length == 2 && text[pos] == '\xA1' && text[pos + 1] == '\xA1');
    if (!space) {
      runStart = std::string_view::npos;
    } else if (runStart == std::string_view::npos) {
      runStart = pos;
    }
    pos += length;
  }
  return std::string(text.substr(0, runStart));
}

std::string textToBytes(std::string_view text) { return std::string(asText(text)); }

std::string bytesToText(std::string_view bytes) { return std::string(asText(bytes)); }

std::string charFromCode(int code) {
  char byte = static_cast<char>(code & 0xFF);
  return byte == '\0' ? std::string() : std::string(1, byte);
}

RegistryPath splitRegistryPath(std::string_view fullPath) {
  fullPath = asText(fullPath);
  size_t slash = findLastSingleByte(fullPath, '\\');
  if (slash == std::string_view::npos) return {std::string(), std::string(fullPath)};
  return {std::string(fullPath.substr(0, slash)), std::string(fullPath.substr(slash + 1))};
}

size_t findCharacterAware(std::string_view text, std::string_view find) {
  if (find.empty()) return std::string_view::npos;
  for (size_t pos = 0; pos + find.size() <= text.size(); pos += characterLength(text, pos)) {
    if (text.compare(pos, find.size(), find) == 0) return pos;
  }
  return std::string_view::npos;
}

std::string directoryOf(std::string_view path) {
  path = asText(path);
  size_t slash = findLastSingleByte(path, '\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

}  // namespace zephyra
