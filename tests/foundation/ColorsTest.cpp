#include "lib/foundation/display/Colors.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

TEST(ColorsTest, Conversions) {
  EXPECT_EQ(ColorSwapRB(0x00123456u), 0x00563412u);
  EXPECT_EQ(ColorSwapRB(0xAB123456u), 0x00563412u);
  EXPECT_EQ(ColorToARGB(0x00123456u), 0xFF563412u);
  EXPECT_EQ(MakeARGB(0x80, 1, 2, 3), 0x80010203u);
}

#if defined(_WIN32)
// The system is the oracle: a colour set with SetSysColors comes back.
TEST(ColorsTest, SystemColoursGoThroughTheirIndex) {
  const int kWindowText = COLOR_WINDOWTEXT;
  const COLORREF saved = GetSysColor(kWindowText);
  const COLORREF probe = RGB(0x12, 0x34, 0x56);
  ASSERT_TRUE(SetSysColors(1, &kWindowText, &probe));
  const uint32_t seen = ColorToARGB(kSystemColorFlag | kWindowText);
  SetSysColors(1, &kWindowText, &saved);
  EXPECT_EQ(seen, 0xFF123456u);
}
#endif

}  // namespace
