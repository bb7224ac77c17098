#include <gtest/gtest.h>

#include <string>

extern "C" int RunCommHost(const char* dll_path, char* message);

TEST(CommHost, PlainCHostDrivesASerialPortThroughItsTable) {
  const std::string dll = std::string(TDLIB_DIST_DIR) + "/TdLib.dll";
  char message[128] = "";
  EXPECT_EQ(RunCommHost(dll.c_str(), message), 1) << message;
}
