#include <gtest/gtest.h>

#include "platform/codes.h"
#include "platform/text.h"

namespace zephyra {
namespace {

// GBK "表" is B1 ED, "\xD5\x5C" a two-byte character whose second byte is a backslash.
const std::string kTrailBackslash = "\xD5\x5C";

struct ReplaceCase {
  const char* what;
  std::string text, find, replacement, expected;
};

class ReplaceAllTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesAtCharacterBoundariesOnly) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(replaceAll(c.text, c.find, c.replacement), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    ::testing::Values(
        ReplaceCase{"removes every CR LF", "a\r\nb\r\n\r\n", "\r\n", "", "ab"},
        ReplaceCase{"lone CR and LF stay", "a\rb\nc", "\r\n", "", "a\rb\nc"},
        ReplaceCase{"empty find leaves text", "abc", "", "x", "abc"},
        ReplaceCase{"empty text stays empty", "", "a", "x", ""},
        ReplaceCase{"no overlap, left to right", "aaa", "aa", "b", "ba"},
        ReplaceCase{"replacement not searched again", "ab", "a", "aa", "aab"},
        ReplaceCase{"case-sensitive", "Aa", "a", "", "A"},
        ReplaceCase{"second byte of a character is not a match start",
                    kTrailBackslash + "\\n", "\\", "/", kTrailBackslash + "/n"},
        ReplaceCase{"find spanning trail and next lead byte not found",
                    "\xB1\xED\xB1\xED", "\xED\xB1", "x", "\xB1\xED\xB1\xED"},
        ReplaceCase{"whole two-byte characters match", "本地连接 2", "本地连接", "", " 2"},
        ReplaceCase{"tail shorter than find copied", "abc", "cd", "", "abc"}));

struct TrimCase {
  std::string text, expected;
};

class TrimEndTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimEndTest, RemovesTrailingHalfAndFullWidthSpaces) {
  EXPECT_EQ(trimEnd(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimEndTest,
                         ::testing::Values(TrimCase{"ab \xA1\xA1 ", "ab"},
                                           TrimCase{"  \xA1\xA1", ""},
                                           TrimCase{"ab  \r\n", "ab  \r\n"},
                                           TrimCase{"a\tb\t", "a\tb\t"},
                                           TrimCase{" a b", " a b"},
                                           // 0xA1 as a second byte does not make a space
                                           TrimCase{"\xB1\xA1\xA1", "\xB1\xA1\xA1"},
                                           TrimCase{"", ""}));

TEST(TextBytes, TextEndsAtFirstZeroByte) {
  EXPECT_EQ(bytesToText(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(bytesToText(std::string("\0ab", 3)), "");
  EXPECT_EQ(bytesToText(std::string(260, 'x')).size(), 260u);
  EXPECT_EQ(textToBytes(""), "");
  EXPECT_EQ(concatTexts({"a", "", std::string_view("b\0z", 3), "c"}), "abc");
  EXPECT_EQ(charFromCode(0), "");
  EXPECT_EQ(charFromCode(0x141), "A");
  EXPECT_EQ("x" + charFromCode(256), "x");
}

struct SplitCase {
  std::string path, key, value;
};

class RegistryPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(RegistryPathTest, SplitsAtLastOneByteBackslash) {
  RegistryPath split = splitRegistryPath(GetParam().path);
  EXPECT_EQ(split.keyPath, GetParam().key);
  EXPECT_EQ(split.valueName, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryPathTest,
    ::testing::Values(SplitCase{"A\\{G}\\Connection\\Name", "A\\{G}\\Connection", "Name"},
                      SplitCase{"Name", "", "Name"},
                      SplitCase{"Key\\" + kTrailBackslash, "Key", kTrailBackslash},
                      SplitCase{"K" + kTrailBackslash + "x", "", "K" + kTrailBackslash + "x"},
                      SplitCase{"Key\\", "Key", ""}));

TEST(Directory, CutAtLastOneByteBackslash) {
  EXPECT_EQ(directoryOf("C:\\Prog\\Zephyra.exe"), "C:\\Prog");
  EXPECT_EQ(directoryOf("C:\\Zephyra.exe"), "C:");
  EXPECT_EQ(directoryOf("Zephyra.exe"), "");
  EXPECT_EQ(directoryOf("C:\\" + kTrailBackslash + "\\z.exe"), "C:\\" + kTrailBackslash);
}

TEST(Codes, CommandShowModesAreClamped) {
  const int expected[][2] = {{-5, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 2},
                             {4, 3},  {5, 4}, {6, 6}, {7, 6}, {99, 6}};
  for (const auto& row : expected) EXPECT_EQ(commandShowWindow(row[0]), row[1]) << row[0];
}

TEST(Codes, ShellShowModesFallBackToNormal) {
  const int expected[][2] = {{0, 1}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 8}, {6, 6}, {7, 1}};
  for (const auto& row : expected) EXPECT_EQ(shellShowCommand(row[0]), row[1]) << row[0];
}

TEST(Codes, VerbsAndRoots) {
  EXPECT_EQ(shellVerb(1).value(), "edit");
  EXPECT_EQ(shellVerb(4).value(), "open");
  EXPECT_EQ(shellVerb(5).value(), "print");
  EXPECT_FALSE(shellVerb(0).has_value());
  EXPECT_FALSE(shellVerb(6).has_value());
  EXPECT_EQ(registryRoot(1), RegistryRoot::ClassesRoot);
  EXPECT_EQ(registryRoot(2), RegistryRoot::CurrentConfig);
  EXPECT_EQ(registryRoot(3), RegistryRoot::CurrentUser);
  EXPECT_EQ(registryRoot(4), RegistryRoot::LocalMachine);
  EXPECT_EQ(registryRoot(5), RegistryRoot::Users);
  EXPECT_EQ(registryRoot(0), RegistryRoot::CurrentUser);
  EXPECT_EQ(registryRoot(9), RegistryRoot::CurrentUser);
}

TEST(Codes, MessageFlagsAndButtons) {
  EXPECT_EQ(messageBoxFlags(0), 0x2000u);
  EXPECT_EQ(messageBoxFlags(64), 0x2040u);
  EXPECT_EQ(messageBoxFlags(65), 0x2041u);
  EXPECT_EQ(messageBoxFlags(0x1040), 0x1040u);
  const int expected[][2] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {0, 0}, {8, 0}};
  for (const auto& row : expected) EXPECT_EQ(buttonIndex(row[0]), row[1]) << row[0];
}

}  // namespace
}  // namespace zephyra
