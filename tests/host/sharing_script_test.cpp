#include "sharing/sharing_script.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace zephyra {
namespace {

std::string script() { return std::string(sharingScript()); }

// The script's lines without their CR LF; the last line's CR LF is checked elsewhere.
std::vector<std::string> lines() {
  std::vector<std::string> out;
  std::string text = script();
  for (size_t start = 0, end; start < text.size(); start = end + 2) {
    end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
  }
  return out;
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string trimmed(const std::string& line) {
  size_t start = line.find_first_not_of(" \t");
  return start == std::string::npos ? "" : line.substr(start);
}

// "Sub Main()" gives "Main", "Function GetConnection(connType)" "GetConnection"; VBScript
// keywords are case-insensitive, so the test is too.
std::string routineName(const std::string& line) {
  std::string rest = trimmed(line);
  for (std::string keyword : {"sub ", "function "}) {
    if (lower(rest.substr(0, keyword.size())) == keyword) {
      std::string name = rest.substr(keyword.size());
      return name.substr(0, name.find_first_of("( "));
    }
  }
  return "";
}

// Printable ASCII and tabs only (so no zero byte), and no CR or LF outside a CR LF pair.
TEST(SharingScriptTest, IsPlainAsciiWithCrLfAfterEveryLine) {
  std::string text = script();
  ASSERT_FALSE(text.empty());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    ASSERT_TRUE(c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F))
        << "byte " << int(c) << " at " << i;
    if (c == '\r') {
      ASSERT_EQ(text[i + 1], '\n') << "lone CR at " << i;
    }
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(SharingScriptTest, FirstStatementIsOptionExplicit) {
  EXPECT_EQ(script().rfind("OPTION EXPLICIT\r\n", 0), 0u);
}

TEST(SharingScriptTest, RoutinesInTheirOrder) {
  std::vector<std::string> routines;
  for (const std::string& line : lines()) {
    std::string name = routineName(line);
    if (!name.empty()) routines.push_back(name);
  }
  EXPECT_EQ(routines, (std::vector<std::string>{"Main", "FirewallTestByName", "Initialize",
                                                "GetConnectionObjects", "GetConnection",
                                                "ConvertConnectionTypeToString"}));
}

TEST(SharingScriptTest, ErrorsIgnoredOnlyInTheWalk) {
  std::string routine;
  std::vector<std::pair<std::string, std::string>> found;  // routine, statement
  for (const std::string& line : lines()) {
    std::string statement = lower(trimmed(line));
    if (!routineName(line).empty()) routine = routineName(line);
    if (statement == "end sub" || statement == "end function") routine.clear();
    if (statement.find("on error") != std::string::npos) found.emplace_back(routine, statement);
  }
  using Found = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(found, (Found{{"FirewallTestByName", "on error resume next"}}));
}

// The texts the console report is made of, as VBScript literals with their quotes, so a
// stray or missing space shows.
TEST(SharingScriptTest, ReportTextsAreExact) {
  const char* literals[] = {
      "\"HNetCfg.HNetShare.1\"",
      "\"Unable to get the HNetCfg.HnetShare.1 object\"",
      "\"Sharing isn't available on this platform.\"",
      "\" objects for connection type \"",
      "\"Not Shared... Enabling private connection share...\"",
      "\"Not Shared... Enabling public connection share...\"",
      "\"Shared... DisEnabling private connection share...\"",
      "\"Shared... DisEnabling public connection share...\"",
      "\" Shared!\"",
      "\"Connection \"",
      "\" was not found\"",
      "\"To share your internet connection, please provide the name of the private and public "
      "connections as the argument.\"",
      "\"Usage:\"",
      "\"       \"",  // seven spaces before the script's name
      "\"Private Connection Name\"",
      "\"Public Connection Name\"",
      "\"Unknown: \"",
  };
  std::string text = script();
  for (const char* literal : literals) {
    EXPECT_NE(text.find(literal), std::string::npos) << literal;
  }
}

}  // namespace
}  // namespace zephyra
