#include "lib/foundation/Colors.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorsTest, Conversions) {
  EXPECT_EQ(ColorSwapRB(0x00123456u), 0x00563412u);
  EXPECT_EQ(ColorSwapRB(0xAB123456u), 0x00563412u);
  EXPECT_EQ(ColorToARGB(0x00123456u), 0xFF563412u);
  EXPECT_EQ(MakeARGB(0x80, 1, 2, 3), 0x80010203u);
}

TEST(ColorsTest, SystemColoursGoThroughTheirIndex) {
  const int kWindowText = 8;
  EXPECT_EQ(ColorToARGB(kSystemColorFlag | kWindowText),
            0xFF000000u | ColorSwapRB(SystemColor(kWindowText)));
}

}  // namespace
