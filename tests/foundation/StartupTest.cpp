#include "lib/foundation/app/StartupService.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

#include "lib/foundation/text/Language.h"
#include "lib/foundation/app/ProgInfo.h"
#include "lib/foundation/app/RegistryApp.h"

namespace {

const SGuid kGuid{0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};

TEST(StartupTest, VersionSwitches) {
  for (const char* yes : {"-v", "-V", "-d", "-D"}) EXPECT_TRUE(IsVersionSwitch(CStr(yes))) << yes;
  for (const char* no : {"-x", "v", "-vv", ""}) EXPECT_FALSE(IsVersionSwitch(CStr(no))) << no;
}

TEST(StartupTest, FileWithoutVersionResource) {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  CStr name = CStr(path) + "tdlib_no_version.txt";
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(file, "plain text", 10, &written, nullptr);
  CloseHandle(file);
  uint32_t version = 0;
  CStr product;
  try {
    ReadVersionResource(name, &version, &product);
    ADD_FAILURE();
  } catch (const char* text) {
    EXPECT_STREQ(text, "File version info is not included in application.");
  }
  DeleteFileA(name.c_str());
}

// The system's own files carry their strings in another language block.
TEST(StartupTest, VersionResourceWithoutTheDutchBlock) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  uint32_t version = 0;
  CStr product;
  try {
    ReadVersionResource(CStr(system) + "\\kernel32.dll", &version, &product);
    ADD_FAILURE();
  } catch (const char* text) {
    EXPECT_STREQ(text,
                 "File version info is not included in application, problably language not correct.");
  }
}

TEST(StartupTest, VersionStringsStayWithinTheirLength) {
  // A resource whose string lacks its terminator: the bytes after it are not text.
  const char bytes[] = {'1', '.', '2', 'X', 'Y'};
  EXPECT_EQ(VersionStringText(bytes, 3), CStr("1.2"));
  EXPECT_EQ(VersionStringText("1.2.3.4", 8), CStr("1.2.3.4"));  // the length counts the terminator
  EXPECT_EQ(VersionStringText(bytes, 0), CStr(""));
}

TEST(StartupTest, AppendWithComma) {
  EXPECT_EQ(AppendWithComma(CStr(), CStr("SSE")), CStr("SSE"));
  EXPECT_EQ(AppendWithComma(CStr("MMX"), CStr("SSE")), CStr("MMX, SSE"));
}

TEST(StartupTest, TimeZoneBias) {
  EXPECT_EQ(TimeZoneBias(TIME_ZONE_ID_STANDARD, -60, 0, -60), 60);
  EXPECT_EQ(TimeZoneBias(TIME_ZONE_ID_DAYLIGHT, -60, 0, -60), 120);
  EXPECT_EQ(TimeZoneBias(TIME_ZONE_ID_UNKNOWN, -60, 0, -60), 0);
  EXPECT_EQ(TimeZoneBias(TIME_ZONE_ID_INVALID, -60, 0, -60), 0);
}

// The mutex belongs to a thread: a second instance is another thread here.
bool CheckOnOtherThread(uint32_t version) {
  bool result = false;
  std::thread([&] {
    void* mutex = nullptr;
    result = CheckNoInstanceRunning(CStr("NoSuchWindowClass"), kGuid, version, &mutex);
    if (result) ReleaseMutex(mutex);
    CloseHandle(mutex);
  }).join();
  return result;
}

TEST(StartupTest, SingleInstancePerVersion) {
  void* mutex = nullptr;
  ASSERT_TRUE(CheckNoInstanceRunning(CStr("NoSuchWindowClass"), kGuid, 0x01020304, &mutex));
  EXPECT_FALSE(CheckOnOtherThread(0x01020304));
  EXPECT_TRUE(CheckOnOtherThread(0x01020305));
  ReleaseMutex(mutex);
  ReleaseMutex(mutex);  // created owned, then waited on: owned twice
  CloseHandle(mutex);
  EXPECT_TRUE(CheckOnOtherThread(0x01020304));
}

TEST(StartupTest, AbandonedMutexCountsAsObtained) {
  HANDLE held = nullptr;
  std::thread([&] {
    void* mutex = nullptr;
    CheckNoInstanceRunning(CStr("NoSuchWindowClass"), kGuid, 0x07000000, &mutex);
    held = mutex;  // the thread ends without releasing it
  }).join();
  void* mutex = nullptr;
  EXPECT_TRUE(CheckNoInstanceRunning(CStr("NoSuchWindowClass"), kGuid, 0x07000000, &mutex));
  ReleaseMutex(mutex);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
  CloseHandle(held);
}

// How long a start-up host may take to start or end: a Wine process under an
// emulator takes over a minute to start on a busy machine.
constexpr DWORD kHostWaitMs = 10 * 60 * 1000;

// The start-up host beside this test program; its full exit code.
DWORD RunHost(const char* parameters, HANDLE* running = nullptr) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  CStr exe = CStr(path).Left(CStr(path).GetLength() - 4);
  exe = exe.Left(exe.GetLength() - static_cast<int32_t>(std::strlen("foundation_tests"))) + "startup_host.exe";
  CStr commandLine = CStr("\"") + exe + "\" " + parameters;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(exe.c_str(), commandLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return 0xFFFFFFFF;
  }
  CloseHandle(process.hThread);
  if (running) {
    *running = process.hProcess;
    return STILL_ACTIVE;
  }
  WaitForSingleObject(process.hProcess, kHostWaitMs);
  DWORD code = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return code;
}

TEST(StartupHostTest, VersionSwitchesExitWithThePackedVersion) {
  EXPECT_EQ(RunHost("-v"), 0x01020304u);
  EXPECT_EQ(RunHost("-D"), 0x01020304u);
  EXPECT_EQ(RunHost("-x"), 100u);
}

TEST(StartupHostTest, SecondInstanceRefuses) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "TdLibStartupHostReady");
  HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "TdLibStartupHostQuit");
  HANDLE first = nullptr;
  ASSERT_EQ(RunHost("hold", &first), STILL_ACTIVE);
  ASSERT_EQ(WaitForSingleObject(ready, kHostWaitMs), WAIT_OBJECT_0);
  EXPECT_EQ(RunHost(""), 0u);
  SetEvent(quit);
  WaitForSingleObject(first, kHostWaitMs);
  DWORD code = 0;
  GetExitCodeProcess(first, &code);
  EXPECT_EQ(code, 100u);
  CloseHandle(first);
  CloseHandle(ready);
  CloseHandle(quit);
  EXPECT_EQ(RunHost(""), 100u);
}

class ProgInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_.DeleteKey(0, CStr());
    registry_.DeleteKey(1, CStr());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    registry_.WriteString(0, CStr(), CStr("RootDir"), CStr(temp));
  }
  void TearDown() override {
    registry_.DeleteKey(0, CStr());
    registry_.DeleteKey(1, CStr());
    SetAvailableLanguages(1);
    SetLanguage(1);
  }

  CStr StoredLanguage() {
    return registry_.ReadString(1, CStr("International"), CStr("Language"), CStr("<none>"));
  }

  CRegistryApp registry_{CStr("TdLibTest"), CStr("2")};
  CProgInfo info_{CStr("Demo"), 0x01000000, &registry_};
};

TEST_F(ProgInfoTest, LanguageFromTheRegistry) {
  SetAvailableLanguages(6);
  registry_.WriteString(1, CStr("International"), CStr("Language"), CStr("Dutch"));
  ASSERT_TRUE(info_.Startup(3, false));
  EXPECT_EQ(GetLanguage(), 2u);
  EXPECT_EQ(StoredLanguage(), CStr("Dutch"));
  EXPECT_EQ(info_.GetGUIFolder(), info_.GetProgramFolderPath() + "GUI\\");
}

TEST_F(ProgInfoTest, UnknownNameSelectsTheDefaultAndIsWrittenBack) {
  SetAvailableLanguages(6);
  registry_.WriteString(1, CStr("International"), CStr("Language"), CStr("Klingon"));
  ASSERT_TRUE(info_.Startup(3, false));
  EXPECT_EQ(GetLanguage(), 3u);
  EXPECT_EQ(StoredLanguage(), CStr("German"));
}

TEST_F(ProgInfoTest, OneLanguageNeverTouchesTheRegistry) {
  SetAvailableLanguages(1);
  ASSERT_TRUE(info_.Startup(1, false));
  EXPECT_EQ(GetLanguage(), 1u);
  EXPECT_EQ(StoredLanguage(), CStr("<none>"));
}

TEST_F(ProgInfoTest, FoldersAndTempFiles) {
  ASSERT_TRUE(info_.GetProgramFolder(true));
  EXPECT_EQ(info_.GetProgramFolderPath().Right(1), CStr("\\"));
  ASSERT_TRUE(info_.GetProgramFolder(false));
  EXPECT_EQ(info_.GetProgramFolderPath(), info_.GetTempFolder());
  CStr file = info_.NewTempFileName(CStr("tdl"));
  EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(file.c_str());
}

}  // namespace
