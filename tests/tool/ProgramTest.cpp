#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/tool/DeviceKeys.h"
#include "tests/tool/WindowDriver.h"
#include "tool/TdRegistry.h"

namespace {

const uint32_t kPackedVersion = 0x01000205;  // the program's 1.0.2.5

struct Process {
  PROCESS_INFORMATION info{};
  bool Start(const std::string& arguments) {
    std::string command = std::string("\"") + PORTELLE_EXE + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &info) != 0;
  }
  // The full 32-bit exit code, or STILL_ACTIVE after the time-out.
  DWORD Wait(DWORD timeoutMs = 60000) {
    WaitForSingleObject(info.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
  ~Process() {
    if (info.hProcess == nullptr) return;
    if (Wait(0) == STILL_ACTIVE) TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
};

void SetStoredLanguage(const char* name) {
  if (name == nullptr)
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tidemar\\Portelle Guard\\1\\International");
  else
    RegWriteString(1, "International", "Language", name);
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveDevicePorts();
    CreateDevicePort({"A", true, 0, "COM1", "Communications Port", -1});
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    RegWriteString(0, "", "RootDir", windows);
  }
  void TearDown() override { RemoveDevicePorts(); }
};

}  // namespace

TEST_F(ProgramTest, VersionSwitchesExitWithThePackedVersion) {
  for (const char* option : {"-v", "-V", "-d"}) {
    Process p;
    ASSERT_TRUE(p.Start(option));
    EXPECT_EQ(p.Wait(), kPackedVersion) << option;
  }
}

TEST_F(ProgramTest, FirstStartAsksTheLanguageAndStoresIt) {
  SetStoredLanguage(nullptr);
  Process p;
  ASSERT_TRUE(p.Start("-x"));  // another switch runs normally
  HWND dialog = WaitForWindow("TFormLanguage", p.info.dwProcessId, 30000);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Portelle");
  HWND ok = FindChildByText(dialog, "OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_FALSE(IsWindowEnabled(ok));
  ASSERT_NE(FindChildByText(dialog, "Cancel"), nullptr);
  HWND list = FindWindowExA(dialog, nullptr, "SysListView32", nullptr);
  SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);  // English
  SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);  // Nederlands
  EXPECT_NE(FindChildByText(dialog, "Annuleren"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ok));
  SendMessageA(ok, BM_CLICK, 0, 0);
  HWND main = WaitForWindow("TFormMainPortelle", p.info.dwProcessId, 30000);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(FindChildByText(main, "Toepassen"), nullptr);
  EXPECT_EQ(RegReadString(1, "International", "Language", ""), "Dutch");

  // A second start of the same version leaves the first one running.
  Process second;
  ASSERT_TRUE(second.Start(""));
  EXPECT_EQ(second.Wait(), 0u);
  EXPECT_EQ(p.Wait(0), STILL_ACTIVE);

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Wait(), 0u);
}

TEST_F(ProgramTest, StoredLanguageNeedsNoDialog) {
  SetStoredLanguage("english");
  Process p;
  ASSERT_TRUE(p.Start(""));
  HWND main = WaitForWindow("TFormMainPortelle", p.info.dwProcessId, 30000);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(FindChildByText(main, "Apply"), nullptr);
  EXPECT_EQ(WaitForWindow("TFormLanguage", p.info.dwProcessId, 0), nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Wait(), 0u);
}

TEST_F(ProgramTest, CancelledLanguageDialogEndsTheProgram) {
  SetStoredLanguage(nullptr);
  Process p;
  ASSERT_TRUE(p.Start(""));
  HWND dialog = WaitForWindow("TFormLanguage", p.info.dwProcessId, 30000);
  ASSERT_NE(dialog, nullptr);
  SendMessageA(FindChildByText(dialog, "Cancel"), BM_CLICK, 0, 0);
  EXPECT_EQ(p.Wait(), 0u);
  EXPECT_EQ(RegReadString(1, "International", "Language", "none"), "none");
}
