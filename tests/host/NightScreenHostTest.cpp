#include <gtest/gtest.h>

#include <string>

extern "C" int RunNightScreenHost(const char* dll_path, char* message);

namespace {

TEST(NightScreenHost, EverySlotAndExportPopsItsArgumentsAndWorks) {
  char message[160] = "";
  EXPECT_EQ(RunNightScreenHost((std::string(TDLIB_DIST_DIR) + "/TdLib.dll").c_str(), message), 1) << message;
}

}  // namespace
