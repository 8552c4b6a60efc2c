// The Win32 platform services on a real Win32 stack (Wine): processes, registry, files,
// INI values and the list operations on a real combo box.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "platform/text.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_platform.h"

namespace zephyra::win32 {
namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PlatformTest : public ::testing::Test {
 protected:
  Win32Platform platform;
  std::string dir = platform.runDirectory();
  std::string report = dir + "\\report.txt";
  void SetUp() override { DeleteFileA(report.c_str()); }
};

TEST_F(PlatformTest, RunDirectoryIsTheProgramFolderAndCurrent) {
  EXPECT_EQ(dir, "C:\\Zephyra");
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), dir);
}

TEST_F(PlatformTest, ShowModeCodesReachTheChild) {
  const int table[][2] = {{0, SW_HIDE},         {1, SW_HIDE},          {2, SW_SHOWNORMAL},
                          {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED}, {5, SW_SHOWNOACTIVATE},
                          {6, SW_MINIMIZE},      {7, SW_MINIMIZE}};
  for (const auto& row : table) {
    DeleteFileA(report.c_str());
    ASSERT_TRUE(platform.runCommandLine("show_report.exe report.txt", true, row[0]));
    std::string got = readFile(report);
    std::string expected = "flags=" + std::to_string(STARTF_USESHOWWINDOW) +
                           " show=" + std::to_string(row[1]) + "\n";
    EXPECT_EQ(got.substr(0, got.find('\n') + 1), expected) << "code " << row[0];
  }
}

TEST_F(PlatformTest, CommandLineReachesTheChildUnchanged) {
  std::string line = "show_report.exe report.txt 0 \"a b\" %PATH% \xB1\xED\r\nnext";
  ASSERT_TRUE(platform.runCommandLine(line, true, 1));
  std::string got = readFile(report);
  EXPECT_EQ(got.substr(got.find('\n') + 1), line);
}

TEST_F(PlatformTest, NonZeroExitIsStillStartedAndItsCodeIsKnown) {
  EXPECT_TRUE(platform.runCommandLine("show_report.exe report.txt 3", true, 1));
  EXPECT_EQ(platform.runCommandLineForExitCode("show_report.exe report.txt 3", 1),
            std::optional<uint32_t>(3));
  EXPECT_EQ(platform.runCommandLineForExitCode("show_report.exe report.txt 0", 1),
            std::optional<uint32_t>(0));
  EXPECT_EQ(platform.runCommandLineForExitCode("cmd /c exit 7", 1), std::optional<uint32_t>(7));
}

TEST_F(PlatformTest, MissingProgramIsNotStarted) {
  EXPECT_FALSE(platform.runCommandLine("no_such_program_here.exe", true, 1));
  EXPECT_FALSE(platform.runCommandLine("", true, 1));
  EXPECT_FALSE(platform.runCommandLineForExitCode("no_such_program_here.exe", 1).has_value());
}

TEST_F(PlatformTest, WithoutWaitReturnsWhileTheChildRuns) {
  EXPECT_TRUE(platform.runCommandLine("cmd /c ping -n 3 127.0.0.1 >nul", false, 1));
}

class RegistryTest : public PlatformTest {
 protected:
  const char* keyPath = "Software\\ZephyraTest\\Connection";
  void SetUp() override {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    ScopedKey key(created);
    setValue(key.get(), "Name", REG_SZ, std::string("本地连接\0", 9));
    setValue(key.get(), "NoZero", REG_SZ, std::string("abc", 3));
    setValue(key.get(), "Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15));
    DWORD number = 5;
    RegSetValueExA(key.get(), "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ZephyraTest"); }
  static void setValue(HKEY key, const char* name, DWORD type, const std::string& data) {
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
  }
  Text read(const std::string& value, const std::optional<Text>& fallback = std::nullopt) {
    return platform.readRegistryText(3, std::string(keyPath) + "\\" + value, fallback);
  }
};

TEST_F(RegistryTest, TextValuesAreReadAndExpanded) {
  EXPECT_EQ(read("Name"), "本地连接");
  EXPECT_EQ(read("NoZero"), "abc");
  char windows[MAX_PATH] = {};
  GetEnvironmentVariableA("SystemRoot", windows, MAX_PATH);
  EXPECT_EQ(read("Expand"), std::string(windows) + "\\x");
}

TEST_F(RegistryTest, OtherTypesAndMissingGiveTheDefault) {
  EXPECT_EQ(read("Number"), "");
  EXPECT_EQ(read("Number", "d"), "d");
  EXPECT_EQ(read("Missing", "d"), "d");
  EXPECT_EQ(platform.readRegistryText(3, "Software\\NoSuchKeyZ\\Name", std::nullopt), "");
}

TEST_F(RegistryTest, LocalMachineConnectionName) {
  const char* key =
      "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}"
      "\\{ZEPHYRA-TEST}\\Connection";
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr,
                            &created, nullptr),
            ERROR_SUCCESS);
  ScopedKey scoped(created);
  setValue(scoped.get(), "Name", REG_SZ, std::string("无线网络连接 2\0", 15));
  EXPECT_EQ(platform.readRegistryText(4, std::string(key) + "\\Name", std::nullopt),
            "无线网络连接 2");
}

TEST_F(PlatformTest, WriteFileBytesCreatesTruncatesAndJoins) {
  std::string path = dir + "\\bytes.bin";
  ASSERT_TRUE(platform.writeFileBytes(path, {"ab", std::string("\0c", 2), "", "d"}));
  EXPECT_EQ(readFile(path), std::string("ab\0cd", 5));
  ASSERT_TRUE(platform.writeFileBytes(path, {""}));
  EXPECT_TRUE(fileExists(path));
  EXPECT_EQ(readFile(path), "");
}

TEST_F(PlatformTest, WriteFileBytesFailures) {
  EXPECT_FALSE(platform.writeFileBytes("", {"x"}));
  EXPECT_FALSE(platform.writeFileBytes(dir + "\\no\\such\\dir\\f.txt", {"x"}));
  std::string held = dir + "\\held.txt";
  ScopedFile other(CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(other);
  EXPECT_FALSE(platform.writeFileBytes(held, {"x"}));
}

TEST_F(PlatformTest, DeleteFileReportsMissing) {
  std::string path = dir + "\\gone.txt";
  ASSERT_TRUE(platform.writeFileBytes(path, {"x"}));
  EXPECT_TRUE(platform.deleteFile(path));
  EXPECT_FALSE(platform.deleteFile(path));
}

TEST_F(PlatformTest, IniValueCreatesFileAndKeepsOtherSections) {
  std::string path = dir + "\\account.txt";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(platform.writeIniValue(path, "Zephyra帐户信息", std::string("WiFi名称　"),
                                     std::string("　N")));
  EXPECT_EQ(readFile(path), "[Zephyra帐户信息]\r\nWiFi名称　=　N\r\n");
  ASSERT_TRUE(platform.writeFileBytes(path, {"[other]\r\nk=v\r\n"}));
  ASSERT_TRUE(platform.writeIniValue(path, "s", std::string("k"), std::string("1")));
  ASSERT_TRUE(platform.writeIniValue(path, "s", std::string("k"), std::string("2")));
  EXPECT_EQ(readFile(path), "[other]\r\nk=v\r\n[s]\r\nk=2\r\n");
}

TEST_F(PlatformTest, ShellOpenReportsFailure) {
  EXPECT_FALSE(platform.shellOpen(4, dir + "\\no_such_file.vbs", std::nullopt, std::nullopt, 1));
}

class ListTest : public PlatformTest {
 protected:
  HWND window = nullptr;
  HWND combo = nullptr;
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                             nullptr, nullptr, nullptr);
    combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 0, 0, 150,
                            160, window, nullptr, nullptr, nullptr);
    ASSERT_TRUE(combo);
    platform.setControlWindow(Control::组合框1, combo);
    platform.setMainWindow(window);
  }
  void TearDown() override { DestroyWindow(window); }
};

TEST_F(ListTest, AddCountTextAndClear) {
  EXPECT_EQ(platform.listAddItem(Control::组合框1, "b\r\n", 0), 0);
  EXPECT_EQ(platform.listAddItem(Control::组合框1, "a\r\n", 7), 1);  // unsorted
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 7);
  EXPECT_EQ(platform.listItemCount(Control::组合框1), 2);
  EXPECT_EQ(platform.listItemText(Control::组合框1, 1), "a\r\n");
  EXPECT_EQ(platform.listItemText(Control::组合框1, -1), "");
  EXPECT_EQ(platform.listItemText(Control::组合框1, 2), "");
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  SetWindowTextA(combo, "typed");
  EXPECT_EQ(platform.controlText(Control::组合框1), "typed");
  platform.listClear(Control::组合框1);
  EXPECT_EQ(platform.listItemCount(Control::组合框1), 0);
  EXPECT_EQ(platform.controlText(Control::组合框1), "");
}

TEST_F(ListTest, WindowPropertyMarksTheMainWindow) {
  platform.setWindowProperty("3D72E324-3CE0-459d-813C-A646E5C0F2ED", 147258369);
  EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(window, "3D72E324-3CE0-459d-813C-A646E5C0F2ED")),
            147258369);
}

TEST_F(PlatformTest, SecondMutexFindsTheFirst) {
  EXPECT_FALSE(platform.createMutexFindsExisting("ZephyraTestMutex"));
  EXPECT_TRUE(platform.createMutexFindsExisting("ZephyraTestMutex"));
}

}  // namespace
}  // namespace zephyra::win32

namespace zephyra::win32 {
namespace {

// Wine hands out the lowest free handle slot, so a probe event made before and after a
// piece of work gets the same value unless the work left a kernel handle open.
template <typename Work>
bool leavesKernelHandles(Work work) {
  HANDLE before = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(before);
  work();
  HANDLE after = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(after);
  return before != after;
}

TEST(KernelHandleLeaks, DetectorSeesADeliberateLeak) {
  HANDLE leaked = nullptr;
  EXPECT_TRUE(leavesKernelHandles([&] { leaked = CreateEventA(nullptr, FALSE, FALSE, nullptr); }));
  CloseHandle(leaked);
}

TEST(KernelHandleLeaks, PlatformOperationsCloseWhatTheyOpen) {
  Win32Platform platform;
  std::string dir = platform.runDirectory();
  EXPECT_FALSE(leavesKernelHandles([&] {
    for (int i = 0; i < 100; ++i) {
      platform.runCommandLine("show_report.exe leak.txt 1", true, 1);
      (void)platform.runCommandLineForExitCode("show_report.exe leak.txt 0", 1);
      platform.runCommandLine("no_such_program_here.exe", true, 1);
      (void)platform.writeFileBytes(dir + "\\leak.bin", {"x"});
      (void)platform.readRegistryText(4, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRoot",
                                      std::nullopt);
      (void)platform.readRegistryText(4, "SOFTWARE\\NoSuchKeyZ\\Name", std::nullopt);
      platform.writeIniValue(dir + "\\leak.ini", "s", std::string("k"), std::string("v"));
      uint32_t size = 0;
      platform.getAdaptersInfo(nullptr, size);
    }
  }));
}

}  // namespace
}  // namespace zephyra::win32
