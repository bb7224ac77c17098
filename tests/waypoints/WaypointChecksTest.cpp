#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/WaypointChecks.h"

namespace {

TEST(WaypointChecks, Names) {
  uint32_t error = 7;
  EXPECT_TRUE(td::WPMCheckName(CStr(std::string(255, 'a').c_str()), &error));
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(td::WPMCheckName(CStr(std::string(256, 'a').c_str()), &error));
  EXPECT_EQ(error, 0x80028u);
  EXPECT_TRUE(td::WPMCheckName(CStr(), &error));
}

TEST(WaypointChecks, FontSizes) {
  struct Case {
    int32_t size;
    uint32_t error;
  } cases[] = {{0, 0x8001E}, {1, 0}, {255, 0}, {256, 0x8001F}, {-5, 0x8001E}};
  for (const Case& c : cases) {
    uint32_t error = 7;
    EXPECT_EQ(td::WPMCheckFontSize(c.size, &error), c.error == 0) << c.size;
    EXPECT_EQ(error, c.error) << c.size;
  }
}

TEST(WaypointChecks, IconsInTheirOrder) {
  const float nan = std::nanf("");
  struct Case {
    int32_t w, h;
    float x, y;
    uint32_t error;
  } cases[] = {
      {0, 10, 0, 0, 0x80014},    {65, 0, 0, 0, 0x80014},       {65, 10, 0, 0, 0x80015},
      {32, 32, -0.5f, 31.5f, 0}, {32, 32, 31.6f, 0, 0x80016},  {32, 32, 0, -0.51f, 0x80016},
      {32, 32, 31.5f, 0, 0},     {32, 32, 31.51f, 0, 0x80016}, {32, 32, nan, 0, 0x80016},
      {32, 32, 0, nan, 0x80016}, {64, 64, 63.5f, 63.5f, 0},
  };
  for (const Case& c : cases) {
    uint32_t error = 7;
    EXPECT_EQ(td::WPMCheckIcon(c.w, c.h, c.x, c.y, &error), c.error == 0) << c.w << " " << c.x;
    EXPECT_EQ(error, c.error) << c.w << " " << c.h << " " << c.x << " " << c.y;
  }
}

TEST(WaypointChecks, Overlays) {
  struct Case {
    int32_t w, h;
    uint32_t error;
  } cases[] = {{16, 16, 0}, {17, 1, 0x80015}, {1, 0, 0x80014}, {0, 17, 0x80014}, {1, 1, 0}};
  for (const Case& c : cases) {
    uint32_t error = 7;
    EXPECT_EQ(td::WPMCheckIconOverlay(c.w, c.h, &error), c.error == 0);
    EXPECT_EQ(error, c.error) << c.w << " " << c.h;
  }
}

}  // namespace
