#include <gtest/gtest.h>

#include <string>

extern "C" int RunBmpHost(const char* dll_path, char* message);

namespace {

TEST(BmpHost, EverySlotPopsExactlyItsArguments) {
  char message[160] = "";
  EXPECT_EQ(RunBmpHost((std::string(TDLIB_DIST_DIR) + "/TdLib.dll").c_str(), message), 1) << message;
}

}  // namespace
