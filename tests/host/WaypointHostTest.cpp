#include <gtest/gtest.h>

#include <string>

extern "C" int RunWaypointHost(const char* dll_path, char* message);

namespace {

TEST(WaypointHost, PlainCHostReachesEveryClassThroughItsTable) {
  char message[128] = "";
  std::string dll = std::string(TDLIB_DIST_DIR) + "/TdLib.dll";
  EXPECT_EQ(RunWaypointHost(dll.c_str(), message), 1) << message;
}

}  // namespace
