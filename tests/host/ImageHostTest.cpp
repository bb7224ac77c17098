#include <gtest/gtest.h>

#include <string>

extern "C" int RunImageHost(const char* dll_path, const char* folder, char* message);

namespace {

TEST(ImageHost, SavesAndLoadsThroughTheSlotsAndTheExport) {
  char message[160] = "";
  EXPECT_EQ(RunImageHost((std::string(TDLIB_DIST_DIR) + "/TdLib.dll").c_str(),
                         testing::TempDir().c_str(), message),
            1)
      << message;
}

}  // namespace
