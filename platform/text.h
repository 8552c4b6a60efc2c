#pragma once
// Text operations over ANSI (GBK) byte strings. Where a walk is character-aware, a
// byte of 0x80 or above begins a two-byte character whatever its second byte is.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace zephyra {

std::string concatTexts(std::initializer_list<std::string_view> parts);
std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement);
std::string trimEnd(std::string_view text);
std::string textToBytes(std::string_view text);
std::string bytesToText(std::string_view bytes);
std::string charFromCode(int code);

// The text up to its first zero byte: what Windows sees of a std::string.
std::string_view asText(std::string_view bytes);

// Splits a registry path at its last one-byte backslash into key path and value name.
struct RegistryPath {
  std::string keyPath;
  std::string valueName;
};
RegistryPath splitRegistryPath(std::string_view fullPath);

// Byte offset of the first character-aware occurrence of `find`, or npos.
size_t findCharacterAware(std::string_view text, std::string_view find);

// Everything before the last one-byte backslash; the empty text when there is none.
std::string directoryOf(std::string_view path);

}  // namespace zephyra
