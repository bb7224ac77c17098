#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tool/TdProgInfo.h"
#include "tool/TdUtils.h"

// An instance that ended without releasing its mutex left it abandoned: the
// next start takes it and holds it against the starts after it.
TEST(SingleInstance, AnAbandonedMutexIsTaken) {
  const uint8_t guid[16] = {0x5A, 0x11, 0x7E, 0x44, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const uint32_t version = 0x01000205;
  const std::string name = GUIDToStr(guid) + VersionToStr(version, 4);
  HANDLE abandoned = nullptr;
  std::thread([&] { abandoned = CreateMutexA(nullptr, TRUE, name.c_str()); }).join();
  ASSERT_NE(abandoned, nullptr);
  EXPECT_TRUE(CheckNoInstanceRunning("NoSuchWindowClass", guid, version));
  DWORD later = WAIT_FAILED;
  std::thread([&] {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    later = WaitForSingleObject(mutex, 0);
    CloseHandle(mutex);
  }).join();
  EXPECT_EQ(later, static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(abandoned);
}
