// The rasteriser of CBmp32 against values worked out by hand from its
// fixed-point rules, and its handling of hostile geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/bitmap/BitmapTestHelpers.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

// Every pixel of the bitmap that differs from `background`, as (x, y, value).
struct SChange {
  int32_t x, y;
  uint32_t value;
  bool operator==(const SChange&) const = default;
};

std::vector<SChange> Changes(const CBmp32& bmp, uint32_t background) {
  std::vector<SChange> changes;
  for (int32_t y = 0; y < bmp.Height(); ++y)
    for (int32_t x = 0; x < bmp.Width(); ++x)
      if (bmp.Row(y)[x] != background) changes.push_back({x, y, bmp.Row(y)[x]});
  return changes;
}

std::vector<SChange> RowRun(int32_t y, int32_t x0, int32_t x1, uint32_t value) {
  std::vector<SChange> run;
  for (int32_t x = x0; x <= x1; ++x) run.push_back({x, y, value});
  return run;
}

void PrintTo(const SChange& c, std::ostream* os) {
  *os << "(" << c.x << ", " << c.y << ") " << std::hex << c.value;
}

TEST(Raster, HorizontalLineFromCentreToCentre) {
  auto bmp = MakeFilled(12, 12, kBlack);
  SPointD from{2, 2}, to{8, 2};
  EXPECT_EQ(bmp->DrawLine(&from, &to, 0xFF204080, 1.0, 0), 1);
  // Channel c becomes (c x 65025) >> 16; row 3 gets opacity 0.
  EXPECT_EQ(Changes(*bmp, kBlack), RowRun(2, 2, 8, 0xFF1F3F7F));
}

TEST(Raster, VerticalLineMirrorsTheHorizontalOne) {
  auto bmp = MakeFilled(12, 12, kBlack);
  SPointD from{3, 8}, to{3, 2};
  EXPECT_EQ(bmp->DrawLine(&from, &to, kWhite, 1.0, 0), 1);
  std::vector<SChange> column;
  for (int32_t y = 2; y <= 8; ++y) column.push_back({3, y, 0xFFFDFDFD});
  EXPECT_EQ(Changes(*bmp, kBlack), column);
}

TEST(Raster, FractionalEndAddsOneFadedPixel) {
  auto bmp = MakeFilled(12, 12, kBlack);
  SPointD from{2, 2}, to{8.5, 2};
  bmp->DrawLine(&from, &to, kWhite, 1.0, 0);
  // The end pair at column 9 has alpha 128: 255 x 128 x 255 >> 16 = 127.
  std::vector<SChange> expected = RowRun(2, 2, 8, 0xFFFDFDFD);
  expected.insert(expected.begin() + 7, {9, 2, 0xFF7F7F7F});
  EXPECT_EQ(Changes(*bmp, kBlack), expected);
}

TEST(Raster, LineBetweenRowsSplitsThroughTheGammaTable) {
  auto bmp = MakeFilled(12, 12, kBlack);
  SPointD from{2, 2.5}, to{4, 2.5};
  bmp->DrawLine(&from, &to, kWhite, 1.0, 0);
  // f = 128: both rows at gamma[127] = gamma[128] = 157; 255 x 157 x 255 >> 16 = 155.
  for (int32_t x = 2; x <= 4; ++x) {
    EXPECT_EQ(bmp->Row(2)[x], 0xFF9B9B9Bu) << x;
    EXPECT_EQ(bmp->Row(3)[x], 0xFF9B9B9Bu) << x;
  }
  EXPECT_EQ(Changes(*bmp, kBlack).size(), 6u);
}

TEST(Raster, LineClippedAtTheInnerBorder) {
  auto bmp = MakeFilled(12, 12, kBlack);
  SPointD from{-10, 5}, to{5, 5};
  EXPECT_EQ(bmp->DrawLine(&from, &to, kWhite, 1.0, 0), 1);
  // Starts at x = 0.5: pixel 0 at alpha 127 (255 x 127 x 255 >> 16 = 126).
  std::vector<SChange> expected = RowRun(5, 1, 5, 0xFFFDFDFD);
  expected.insert(expected.begin(), {0, 5, 0xFF7E7E7E});
  EXPECT_EQ(Changes(*bmp, kBlack), expected);
}

TEST(Raster, LinesThatDrawNothingAnswerFalse) {
  auto bmp = MakeFilled(12, 12, kBlack);
  const SPointD cases[][2] = {{{0, 0}, {0, 0}},
                              {{5, 5}, {5, 5}},
                              {{kNaN, 1}, {5, 5}},
                              {{-5, -5}, {-1, -9}},
                              {{20, 2}, {1e300, 3}}};
  for (const auto& c : cases) EXPECT_EQ(bmp->DrawLine(&c[0], &c[1], kWhite, 1.0, 1), 0) << c[0].x;
  EXPECT_TRUE(Changes(*bmp, kBlack).empty());
}

TEST(Raster, HugeLineStaysInsideTheBitmap) {
  auto bmp = MakeFilled(12, 12, kBlack);
  SPointD from{-1.7e308, -1e308}, to{1.7e308, 1e308};
  bmp->DrawLine(&from, &to, kWhite, 1.0, 0);
  for (const SChange& c : Changes(*bmp, kBlack))
    EXPECT_TRUE(c.x >= 0 && c.x < 12 && c.y >= 0 && c.y < 12);
}

TEST(Raster, PolylineOfOnePoint) {
  auto bmp = MakeFilled(8, 8, kBlack);
  const SPointD corner{0, 0}, inside{3.4, 2.6};
  bmp->DrawPolyline(&inside, 1, kWhite, 0);
  EXPECT_TRUE(Changes(*bmp, kBlack).empty());
  bmp->DrawPolyline(&corner, 1, kWhite, 1);
  bmp->DrawPolyline(&inside, 1, 0xFF00FF00, 1);
  // The solid blend of an opaque colour: 255 x 255 >> 8 = 254.
  EXPECT_EQ(Changes(*bmp, kBlack), (std::vector<SChange>{{0, 0, 0xFFFEFEFE}, {3, 3, 0xFF00FE00}}));
}

TEST(Raster, PolylineWithANonFinitePointDrawsNothing) {
  auto bmp = MakeFilled(12, 12, kBlack);
  const SPointD points[] = {{2, 2}, {8, 2}, {8, kNaN}};
  bmp->DrawPolyline(points, 3, kWhite, 1);
  EXPECT_TRUE(Changes(*bmp, kBlack).empty());
}

TEST(Raster, ClosedPolylineIsTheFourLines) {
  auto lines = MakeFilled(12, 12, kBlack), outline = MakeFilled(12, 12, kBlack);
  const SPointD p[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
  for (int i = 0; i < 4; ++i) lines->DrawLine(&p[i], &p[(i + 1) % 4], kWhite, 1.0, 0);
  outline->DrawPolyline(p, 4, kWhite, 1);
  EXPECT_EQ(Changes(*outline, kBlack), Changes(*lines, kBlack));
}

TEST(Raster, RedSquareCoverage) {
  auto bmp = MakeFilled(8, 8, kWhite);
  const SPointD square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  bmp->FillPolygon(square, 4, 0xFFFF0000);
  // Rows 2-4 at coverage 56 (cell alpha 255), row 1 at 49 (cell alpha 223):
  // red (255 x 65025) >> 16 = 253, green and blue 255 x 8160 >> 16 = 31.
  std::vector<SChange> expected = RowRun(1, 1, 4, 0xFFFD1F1F);
  for (int32_t y = 2; y <= 4; ++y) {
    const std::vector<SChange> row = RowRun(y, 1, 4, 0xFFFD0000);
    expected.insert(expected.end(), row.begin(), row.end());
  }
  EXPECT_EQ(Changes(*bmp, kWhite), expected);
}

TEST(Raster, PolygonsThatFillNothing) {
  auto bmp = MakeFilled(8, 8, kWhite);
  const SPointD square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  const SPointD nan[] = {{1, 1}, {5, kNaN}, {5, 5}};
  const SPointD flat[] = {{1, 3}, {5, 3}, {6, 3.01}};
  bmp->FillPolygon(square, 4, 0x00FF0000);
  bmp->FillPolygon(square, 2, kBlack);
  bmp->FillPolygon(nan, 3, kBlack);
  bmp->FillPolygon(flat, 3, kBlack);
  bmp->FillPolygon(nullptr, 3, kBlack);
  EXPECT_TRUE(Changes(*bmp, kWhite).empty());
}

TEST(Raster, PolygonFarBeyondTheBitmapCoversEveryPixel) {
  for (double distance : {1e9, 1e300, 1.7e308}) {
    auto bmp = MakeFilled(6, 4, kBlack);
    const SPointD square[] = {
        {-distance, -distance}, {distance, -distance}, {distance, distance}, {-distance, distance}};
    bmp->FillPolygon(square, 4, kWhite);
    for (int64_t i = 0; i < bmp->PixelCount(); ++i)
      ASSERT_EQ(bmp->Pixels()[i], 0xFFFDFDFDu) << distance;
  }
}

TEST(Raster, OneVertexFarAwayKeepsTheEdgesInside) {
  // The edges from (2, 0) and (4, 0) to (3, 1e9) are vertical within the
  // bitmap to far below a sub-pixel. Row 0 has coverage 49 (alpha 223,
  // 255 x 223 x 255 >> 16 = 221): its first sub-row holds only the vertices.
  auto bmp = MakeFilled(6, 4, kBlack);
  const SPointD spike[] = {{2, 0}, {4, 0}, {3, 1e9}};
  bmp->FillPolygon(spike, 3, kWhite);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 6; ++x)
      EXPECT_EQ(bmp->Row(y)[x], x == 2 || x == 3 ? (y == 0 ? 0xFFDDDDDD : 0xFFFDFDFD) : kBlack)
          << x << "," << y;
}

TEST(Raster, PolygonAtTheRightEdgeStaysInItsRow) {
  // One pixel row high: coverage 49 (0xDD) on columns 2..7, nothing after.
  auto bmp = MakeFilled(8, 3, kBlack);
  const SPointD band[] = {{2, 0}, {8, 0}, {8, 1}, {2, 1}};
  bmp->FillPolygon(band, 4, kWhite);
  EXPECT_EQ(Changes(*bmp, kBlack), RowRun(0, 2, 7, 0xFFDDDDDD));
  auto last = MakeFilled(8, 3, kBlack);
  const SPointD bottom[] = {{2, 2}, {8, 2}, {8, 3}, {2, 3}};
  last->FillPolygon(bottom, 4, kWhite);
  EXPECT_EQ(Changes(*last, kBlack), RowRun(2, 2, 7, 0xFFDDDDDD));
}

// A square drawn with width 1 whose outer band starts at whole pixel `outer`
// and ends at `outerLast`.
struct SSquareCase {
  int32_t size;
  SRectD rect;
  int32_t outer, outerLast;
};

TEST(Raster, RectangleWithBandAndFill) {
  const SSquareCase cases[] = {
      {32, {10.5, 10.5, 20.5, 20.5}, 10, 21},
      {8, {1.5, 1.5, 4.5, 4.5}, 1, 5},  // an inner part of one whole pixel
  };
  for (const SSquareCase& c : cases) {
    auto bmp = MakeFilled(c.size, c.size, 0xFF808080);
    bmp->DrawRect(&c.rect, kBlack, kWhite, 1.0);
    // Inner whole pixels white; the ones next to them the fill mixed at 0.5
    // (0xFE7F7F7F over grey: 0x7E); inner corners at 0.25 (0xFE3F3F3F:
    // 0x3F); the outer band black at gamma[127] = 157 (0x31); outer corners
    // at gamma[63] = 96 (0x4F).
    auto level = [&](int32_t v) {
      if (v < c.outer || v > c.outerLast) return 0;
      if (v == c.outer || v == c.outerLast) return 1;
      return v == c.outer + 1 || v == c.outerLast - 1 ? 2 : 3;
    };
    static const uint32_t table[4][4] = {{0x80, 0x80, 0x80, 0x80},
                                         {0x80, 0x4F, 0x31, 0x31},
                                         {0x80, 0x31, 0x3F, 0x7E},
                                         {0x80, 0x31, 0x7E, 0xFF}};
    for (int32_t y = 0; y < c.size; ++y)
      for (int32_t x = 0; x < c.size; ++x) {
        const uint32_t v = table[level(x)][level(y)];
        ASSERT_EQ(bmp->Row(y)[x], 0xFF000000 | v << 16 | v << 8 | v)
            << c.size << ": " << x << "," << y;
      }
  }
}

// Thin rectangles drawn with width 1 on grey: along each axis the kind of
// every pixel, written down from the rectangle. With sides at k + 0.5 and
// extent s, the inner part (sides moved in by 0.5) has s - 2 whole pixels and
// one half-covered pixel on each side ('i'), and the band covers half of the
// pixel beyond each ('o'). From 2.25 to 3.75 the inner part, 2.75 to 3.25,
// lies inside pixel 3, which it covers by half ('i'); the band covers three
// quarters of pixels 2 and 4 ('O').
struct SThinCase {
  SRectD rect;
  const char* columns;
  const char* rows;
};

// The value of every channel of a pixel of the given kinds over grey 0x80.
uint32_t ThinRectangleChannel(char column, char row) {
  if (column == '.' || row == '.') return 0x80;
  const bool outerColumn = column == 'o' || column == 'O', outerRow = row == 'o' || row == 'O';
  if (outerColumn && outerRow) {
    // The line faded by the product of the two fractions: 0.25 gives
    // gamma[63] = 96 (128 x 159 >> 8 = 0x4F); 0.5625, gamma[143] = 170
    // (0x2A); 0.375, gamma[95] = 128 (0x3F).
    const int quarters = (column == 'o' ? 2 : 3) * (row == 'o' ? 2 : 3);
    return quarters == 4 ? 0x4F : quarters == 9 ? 0x2A : 0x3F;
  }
  if (outerColumn || outerRow) {
    // Faded by one fraction: 0.5, gamma[127] = 157 (0x31); 0.75, gamma[191]
    // = 208 (128 x 47 >> 8 = 0x17).
    return (outerColumn ? column : row) == 'o' ? 0x31 : 0x17;
  }
  // Fill mixed by its fraction: 0.25, a = 64, b = 191, alpha gamma[254] =
  // 254, channel 255 x 64 >> 8 = 63, over grey (63 x 254 + 128) >> 8 = 0x3F;
  // 0.5, a = 128: channel 127, over grey 0x7E; whole pixels white.
  if (column == 'i' && row == 'i') return 0x3F;
  return column == 'i' || row == 'i' ? 0x7E : 0xFF;
}

TEST(Raster, ThinRectanglesDrawEveryPixelTheyCover) {
  const SThinCase cases[] = {
      {{1.5, 1.5, 3.5, 3.5}, ".oiio...", ".oiio..."},  // no whole pixel
      {{1.5, 1.5, 5.5, 3.5}, ".oi##io.", ".oiio..."},  // none in one direction
      {{1.5, 1.5, 3.5, 5.5}, ".oiio...", ".oi##io."},
      {{1.5, 1.5, 4.5, 3.5}, ".oi#io..", ".oiio..."},    // one by none
      {{1.5, 1.5, 4.5, 4.5}, ".oi#io..", ".oi#io.."},    // one by one
      {{1.5, 1.5, 5.5, 4.5}, ".oi##io.", ".oi#io.."},    // two by one
      {{1.5, 1.5, 5.5, 5.5}, ".oi##io.", ".oi##io."},    // two by two
      {{2.25, 1.5, 3.75, 4.5}, "..OiO...", ".oi#io.."},  // inside one pixel
      {{2.25, 2.25, 3.75, 3.75}, "..OiO...", "..OiO..."},
      {{1.5, 2.25, 5.5, 3.75}, ".oi##io.", "..OiO..."},
  };
  for (const SThinCase& c : cases) {
    auto bmp = MakeFilled(8, 8, 0xFF808080);
    bmp->DrawRect(&c.rect, kBlack, kWhite, 1.0);
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 8; ++x) {
        const uint32_t v = ThinRectangleChannel(c.columns[x], c.rows[y]);
        EXPECT_EQ(bmp->Row(y)[x], 0xFF000000 | v << 16 | v << 8 | v)
            << c.columns << " by " << c.rows << ": " << x << "," << y;
      }
  }
}

TEST(Raster, RectangleOneWholePixelWideWithoutBand) {
  auto bmp = MakeFilled(8, 8, 0xFF808080);
  const SRectD rect{1.5, 1.5, 2.5, 4.5};
  bmp->DrawRect(&rect, kBlack, kWhite, 0.0);
  // Column 2, rows 2..4 filled; the partial pixels around have fraction 0
  // and no line width: their mixed colour is 0 and leaves them.
  std::vector<SChange> expected;
  for (int32_t y = 2; y <= 4; ++y) expected.push_back({2, y, kWhite});
  EXPECT_EQ(Changes(*bmp, 0xFF808080), expected);
}

TEST(Raster, RectanglesThatDrawNothing) {
  auto bmp = MakeFilled(32, 32, 0xFF808080);
  const SRectD rect{10.5, 10.5, 20.5, 20.5}, nan{kNaN, 0, 5, 5}, outside{40, 40, 50, 50};
  bmp->DrawRect(&rect, kBlack, kWhite, 11.0);
  bmp->DrawRect(&rect, kBlack, kWhite, kNaN);
  bmp->DrawRect(&nan, kBlack, kWhite, 1.0);
  bmp->DrawRect(&outside, kBlack, kWhite, 1.0);
  bmp->DrawRect(nullptr, kBlack, kWhite, 1.0);
  EXPECT_TRUE(Changes(*bmp, 0xFF808080).empty());
}

TEST(Raster, RectanglePastTheTopLeftCorner) {
  auto bmp = MakeFilled(8, 8, kBlack);
  const SRectD rect{-5, -5, 3, 3};
  bmp->DrawRect(&rect, 0xFFFF0000, kWhite, 1.0);
  // Fill up to column and row 2 (inner right side 2.5); column 3 is the
  // partial column with fraction 0: the line colour mixed at 254 (0xFEFE0000),
  // blended: 254 x 254 >> 8 = 252.
  EXPECT_EQ(bmp->Row(0)[0], kWhite);
  EXPECT_EQ(bmp->Row(2)[2], kWhite);
  EXPECT_EQ(bmp->Row(0)[3], 0xFFFC0000);
  EXPECT_EQ(bmp->Row(5)[5], kBlack);
}

TEST(Raster, CirclesThatDrawNothing) {
  auto bmp = MakeFilled(32, 32, kBlack);
  bmp->DrawCircle(16, 16, 40000, kWhite);
  bmp->DrawCircle(-50, 10, 10, kWhite);
  bmp->DrawCircle(kNaN, 10, 10, kWhite);
  bmp->DrawCircle(16, 16, std::numeric_limits<double>::infinity(), kWhite);
  EXPECT_TRUE(Changes(*bmp, kBlack).empty());
}

TEST(Raster, CircleDrawsARingAroundItsCentre) {
  auto bmp = MakeFilled(32, 32, kBlack);
  bmp->DrawCircle(16, 16, 8, kWhite);
  const std::vector<SChange> changes = Changes(*bmp, kBlack);
  EXPECT_GT(changes.size(), 40u);
  for (const SChange& c : changes) {
    const double r = std::hypot(c.x - 16.0, c.y - 16.0);
    EXPECT_TRUE(r > 6.5 && r < 9.5) << c.x << "," << c.y;
  }
  // The four points on the axes are whole pixels.
  for (auto [x, y] : {std::pair{24, 16}, {8, 16}, {16, 24}, {16, 8}})
    EXPECT_EQ(bmp->Row(y)[x], 0xFFFDFDFDu) << x << "," << y;
}

TEST(Raster, CircleCutByTheBitmapEdge) {
  auto bmp = MakeFilled(16, 16, kBlack);
  bmp->DrawCircle(0, 0, 10, kWhite);
  bmp->DrawCircle(15, 15, 3, kWhite);
  EXPECT_FALSE(Changes(*bmp, kBlack).empty());
}

}  // namespace
