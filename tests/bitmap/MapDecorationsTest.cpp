// The chart view's decorations: the scale bar's lengths and labels by hand,
// and under Windows the drawn needle, cursor and bar of a north-up Mercator
// view, the bar's labels against GDI's own drawing of the same texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "lib/bitmap/MapDecorations.h"
#include "lib/foundation/format/Units.h"
#include "tests/bitmap/BitmapTestHelpers.h"

#if defined(_WIN32)
#include "include/TdLib.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"
#endif

namespace {

struct SBarCase {
  int32_t x;
  double metresPerPixel;
  const char* unit;  // null: the kilometre code
  double rounded;
  int32_t segments;
  int64_t length;
  const char* half;
  const char* full;
};

uint32_t UnitCode(const char* text) {
  InitUnits();
  return text ? UnitFromText(text) : kUnitKilometre;
}

TEST(ScaleBar, RoundedLengthsAndLabels) {
  const SBarCase cases[] = {
      // 174 x 10 x 0.75 = 1305 m: 1500 m in 3 parts, 150 pixels.
      {10, 10, nullptr, 1500, 3, 150, "750.0", "1500.0 m"},
      // 4502.25 m: 5000 m in 5 parts, round(144.93) pixels.
      {10, 34.5, nullptr, 5000, 5, 145, "2500.0", "5000.0 m"},
      // 15660 m: 20 km in 4 parts.
      {10, 120, nullptr, 20000, 4, 167, "10", "20 km"},
      // 13050 m: 15 km, half a bar of 7.5 km.
      {10, 100, nullptr, 15000, 3, 150, "7.5", "15 km"},
      // 0.5 x 84 x 0.75 = 31.5 m at x = 100: 40 m.
      {100, 0.5, nullptr, 40, 4, 80, "20.0", "40.0 m"},
      // 174 x 0.75 x 1000 / 1852 = 70.5 thousandths: a 0.08 nmile bar.
      {10, 1, "nmile", 80, 4, 148, "0.04", "0.08 nmile"},
      // 174 x 0.75 x 1000 / 1609.344 = 81.1 thousandths: a 0.1 mile bar of
      // round(160.93) pixels.
      {10, 1, "mile", 100, 5, 161, "0.05", "0.1 mile"},
  };
  for (const SBarCase& c : cases) {
    SScaleBar bar;
    ASSERT_TRUE(LayoutScaleBar(c.x, c.metresPerPixel, UnitCode(c.unit), bar)) << c.full;
    EXPECT_NEAR(bar.rounded, c.rounded, 1e-9 * c.rounded) << c.full;
    EXPECT_EQ(bar.segments, c.segments) << c.full;
    EXPECT_EQ(bar.length, c.length) << c.full;
    EXPECT_STREQ(bar.half.c_str(), c.half);
    EXPECT_STREQ(bar.full.c_str(), c.full);
  }
}

TEST(ScaleBar, NoBarWithoutAPositiveLength) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  SScaleBar bar;
  EXPECT_FALSE(LayoutScaleBar(184, 10, kUnitKilometre, bar));
  EXPECT_FALSE(LayoutScaleBar(300, 10, kUnitKilometre, bar));
  EXPECT_FALSE(LayoutScaleBar(10, 0, kUnitKilometre, bar));
  EXPECT_FALSE(LayoutScaleBar(10, -5, kUnitKilometre, bar));
  EXPECT_FALSE(LayoutScaleBar(10, nan, kUnitKilometre, bar));
  EXPECT_FALSE(LayoutScaleBar(10, 10, UnitCode("s"), bar));  // a time, no length
  EXPECT_TRUE(LayoutScaleBar(183, 10, kUnitKilometre, bar));
}

#if defined(_WIN32)

constexpr uint32_t kWhite = 0xFFFFFFFF;

// A north-up Mercator view of width x height pixels, 10 m per pixel.
CGeodeticCalibration& NorthUpView(int32_t width, int32_t height) {
  static CGeodeticCalibration calibration;
  GeodeticTablesInitialize();
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, *GeodeticDatumFindByCode("WGE"));
  const SPointD pix1{0, 0}, pix2{100, 100}, proj1{0, 1000}, proj2{1000, 0};
  calibration.Calibrate2(&pix1, &pix2, &proj1, &proj2, width, height, &ref);
  return calibration;
}

TdBmp32* Host(CBmp32& bmp) { return reinterpret_cast<TdBmp32*>(&bmp); }
TdGeodeticCalibration* Host(CGeodeticCalibration& c) {
  return reinterpret_cast<TdGeodeticCalibration*>(&c);
}

TEST(MapDecorations, NeedlePointsNorth) {
  auto bmp = MakeFilled(100, 100, kWhite);
  CGeodeticCalibration& view = NorthUpView(100, 100);
  DrawCompassNeedle(Host(*bmp), Host(view), 50, 50);
  EXPECT_EQ(bmp->Row(60)[47], 0xFF3E3E3Eu);
  EXPECT_EQ(bmp->Row(60)[53], 0xFFFDFDFDu);
  EXPECT_EQ(bmp->Row(10)[50], kWhite);  // 40 pixels above: beyond the tip
  DrawCompassNeedle(nullptr, Host(view), 50, 50);
  DrawCompassNeedle(Host(*bmp), nullptr, 50, 50);
}

TEST(MapDecorations, CursorOnlyInsideTheView) {
  const double arrow[] = {0, -10, 6, 8, -6, 8};
  CGeodeticCalibration& view = NorthUpView(100, 80);
  auto outside = MakeFilled(100, 80, kWhite);
  DrawGPSCursorSimple(Host(*outside), Host(view), 99.5, 40, 0.0f, arrow, 3, 1.0f);
  DrawGPSCursorSimple(Host(*outside), Host(view), 40, 79.5, 0.0f, arrow, 3, 1.0f);
  for (int64_t i = 0; i < outside->PixelCount(); ++i) ASSERT_EQ(outside->Pixels()[i], kWhite);
  auto corner = MakeFilled(100, 80, kWhite);
  DrawGPSCursorSimple(Host(*corner), Host(view), -0.5, -0.5, 0.0f, arrow, 3, 1.0f);
  EXPECT_NE(corner->Row(0)[0], kWhite);
  auto heading = MakeFilled(100, 80, kWhite);
  // Heading east: the line runs right along row 40, the arrow twice as large.
  DrawGPSCursorSimple(Host(*heading), Host(view), 40, 40, 1.5707963f, arrow, 3, 2.0f);
  EXPECT_EQ(heading->Row(40)[90], 0xFF0000FDu);  // blue 255 x 65025 >> 16
  EXPECT_EQ(heading->Row(20)[40], kWhite);
  EXPECT_NE(heading->Row(40)[25], kWhite);  // the arrow's tail, 15 pixels behind
}

TEST(MapDecorations, ScaleBarBlackParts) {
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                           NONANTIALIASED_QUALITY, 0, "Arial");
  ASSERT_NE(font, nullptr);
  // Rows 14..17 of a bar drawn at y = 10 between its outline columns first
  // and last: the black runs, white elsewhere.
  const struct {
    int32_t x;
    double metresPerPixel;
    int32_t first, last;
    std::vector<std::pair<int32_t, int32_t>> black;
  } cases[] = {
      // 150 pixels in 3 parts: black from the middle tick leftwards in 25-pixel parts.
      {10, 10, 13, 163, {{13, 38}, {64, 88}, {163, 163}}},
      // 10 pixels in 5 parts: parts of one pixel, the middle tick at 179.
      {171, 1, 174, 184, {{174, 175}, {177, 177}, {179, 179}, {184, 184}}},
  };
  for (const auto& c : cases) {
    auto bmp = MakeFilled(200, 60, kWhite);
    DrawScale(Host(*bmp), c.x, 10, c.metresPerPixel, kUnitKilometre, font);
    for (int32_t y = 14; y <= 17; ++y)
      for (int32_t x = c.first; x <= c.last; ++x) {
        bool black = false;
        for (auto [from, to] : c.black) black |= x >= from && x <= to;
        ASSERT_EQ(bmp->Row(y)[x], black ? 0xFF000000 : kWhite) << c.x << ": " << x << "," << y;
      }
  }
  DeleteObject(font);
}

TEST(MapDecorations, ScaleBarLabels) {
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                           NONANTIALIASED_QUALITY, 0, "Arial");
  ASSERT_NE(font, nullptr);
  auto bmp = MakeFilled(200, 60, kWhite);
  DrawScale(Host(*bmp), 10, 10, 10, kUnitKilometre, font);
  // The labels as GDI draws "0", "750.0" and "1500.0 m" in the label box.
  const int32_t h = bmp->MeasureText("0", font).cy;
  auto labels = MakeFilled(200, 60, kWhite);
  const char* texts[] = {"0", "750.0", "1500.0 m"};
  for (int i = 0; i < 3; ++i) {
    RECT box = {13, 21, 163, 21 + h};
    const CStr text(texts[i]);
    labels->DrawText(&text, &box, font, 0, 3 * i, 0);
  }
  auto dark = [](uint32_t p) { return (p & 0xFF) < 0x80; };
  int32_t inked = 0;
  for (int32_t y = 22; y < 21 + h; ++y)
    for (int32_t x = 14; x < 163; ++x) {
      ASSERT_EQ(dark(bmp->Row(y)[x]), dark(labels->Row(y)[x])) << x << "," << y;
      inked += dark(labels->Row(y)[x]);
    }
  EXPECT_GT(inked, 20);
  auto none = MakeFilled(200, 60, kWhite);
  DrawScale(Host(*none), 184, 10, 10, kUnitKilometre, font);
  DrawScale(Host(*none), 10, 10, std::nan(""), kUnitKilometre, font);
  DrawScale(nullptr, 10, 10, 10, kUnitKilometre, font);
  for (int64_t i = 0; i < none->PixelCount(); ++i) ASSERT_EQ(none->Pixels()[i], kWhite);
  DeleteObject(font);
}

#endif

}  // namespace
