#include "lib/foundation/app/Application.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "lib/foundation/threads/MainThreadEventQueue.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/foundation/app/SystemInfo.h"
#include "lib/foundation/display/WaitCursor.h"

namespace {

TEST(Application, BuiltAtLoadOnTheLoadingThread) {
  EXPECT_EQ(g_Application.GetMainThreadId(), GetCurrentThreadId());
  char path[1024];
  GetModuleFileNameA(nullptr, path, sizeof path);
  EXPECT_EQ(g_Application.GetExePath(), CStr(path));
  ASSERT_NE(g_MainThreadEventQueue, nullptr);
  EXPECT_EQ(g_MainThreadEventQueue->GetOwnerThreadId(), GetCurrentThreadId());
  ASSERT_NE(g_SystemInfo, nullptr);
  EXPECT_GE(g_SystemInfo->GetMajorVersion(), 5u);
  EXPECT_EQ(g_SystemInfo->GetPlatformId(), 2u);
  EXPECT_EQ(g_SystemInfo->GetProcessor(), CStr("Intel x68"));
  ASSERT_NE(g_ScreenInfo, nullptr);
  EXPECT_EQ(g_ScreenInfo->GetWidth(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GT(g_ScreenInfo->GetDPI(), 0);
  EXPECT_EQ(g_WaitCursor, LoadCursorA(nullptr, IDC_WAIT));
}

TEST(Application, FirstNonZeroExitCodeWins) {
  g_Application.SetExitCode(0);
  EXPECT_EQ(g_Application.GetExitCode(), 0u);
  g_Application.SetExitCode(5);
  g_Application.SetExitCode(3);
  EXPECT_EQ(g_Application.GetExitCode(), 5u);
}

}  // namespace
