#include "lib/foundation/display/ScreenInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenInfo, OrientationAndReferenceSize) {
  const int32_t cases[][5] = {
      // width, height, class, reference height, reference width
      {1024, 768, kScreenLandscape, 240, 320},
      {768, 1024, kScreenPortrait, 320, 240},
      {800, 800, kScreenSquare, 240, 240},
  };
  for (const auto& c : cases) {
    const CScreenInfo info(c[0], c[1], 96);
    EXPECT_EQ(info.GetOrientation(), c[2]);
    EXPECT_EQ(info.GetReferenceHeight(), c[3]);
    EXPECT_EQ(info.GetReferenceWidth(), c[4]);
    EXPECT_EQ(info.GetWidth(), c[0]);
    EXPECT_EQ(info.GetHeight(), c[1]);
    EXPECT_EQ(info.GetDPI(), 96);
  }
}

}  // namespace
