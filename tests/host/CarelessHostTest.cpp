#include <gtest/gtest.h>

#include <string>

extern "C" int RunCarelessHost(const char* dll_path, char* message);

namespace {

TEST(CarelessHost, EveryCarelessCallGetsItsFailureResult) {
  char message[128] = "";
  std::string dll = std::string(TDLIB_DIST_DIR) + "/TdLib.dll";
  EXPECT_EQ(RunCarelessHost(dll.c_str(), message), 1) << message;
}

}  // namespace
