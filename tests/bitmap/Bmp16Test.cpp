// CBmp16: padded rows, fills and the clipped copy.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/bitmap/Bmp16.h"

namespace {

TEST(Bmp16, PaddedRowsAndMemory) {
  CBmp16 bmp(3, 2, false);
  EXPECT_EQ(bmp.GetPixelFormat(), 5);
  EXPECT_EQ(bmp.GetStride(), 8);
  EXPECT_EQ(bmp.GetMemorySize(0), 8u * 2 + 2 * 4);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(bmp.GetScanLine(1)) - reinterpret_cast<uint8_t*>(bmp.GetBits()), 8);
  EXPECT_EQ(bmp.GetScanLine(3), nullptr);
  EXPECT_EQ(bmp.Reserved2(1, 2, 3, 4, 5), 0);
}

TEST(Bmp16, FillCoversOddWidthsAndEveryRow) {
  for (int32_t w : {1, 3, 4, 7}) {
    CBmp16 bmp(w, 5, false);
    bmp.Fill(0x7C1F);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(bmp.GetScanLine(y)[x], 0x7C1F) << w << ":" << x << "," << y;
  }
}

TEST(Bmp16, FillRectRoundsEverySideUp) {
  CBmp16 bmp(5, 5, false);
  bmp.Fill(0);
  bmp.FillRect(0.5, 0.2, 2.7, 2.0, 0x8001);  // columns 1..2, rows 1
  bmp.FillRect(-10, 4, 100, 1e300, 0x0002);  // clipped: row 4, every column
  bmp.FillRect(NAN, 0, 5, 5, 0x0003);        // nothing
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const uint16_t expected = y == 4 ? 0x0002 : (y == 1 && (x == 1 || x == 2)) ? 0x8001 : 0;
      EXPECT_EQ(bmp.GetScanLine(y)[x], expected) << x << "," << y;
    }
}

TEST(Bmp16, DrawCopiesEqualRectanglesClipped) {
  CBmp16 source(4, 4, false), destination(4, 4, false);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) source.GetScanLine(y)[x] = static_cast<uint16_t>(y * 4 + x + (x == 3 ? 0x8000 : 0));
  destination.Fill(0xFFFF);
  source.Draw(&destination, 2, -1, 5, 2, 0, 0, 3, 3, 0);  // 3 x 3 to (2, -1): clipped to 2 x 2
  EXPECT_EQ(destination.GetScanLine(0)[2], 4);           // source (0, 1)
  EXPECT_EQ(destination.GetScanLine(1)[3], 9);           // source (1, 2)
  EXPECT_EQ(destination.GetScanLine(0)[1], 0xFFFF);
  EXPECT_EQ(destination.GetScanLine(2)[2], 0xFFFF);
  source.Draw(&destination, 0, 0, 2, 2, 0, 0, 3, 3, 0);  // sizes differ: nothing
  EXPECT_EQ(destination.GetScanLine(0)[0], 0xFFFF);
  source.Draw(&destination, 0, 3, 4, 4, 0, 0, 4, 1, 1);  // transparent: only bit 15 clear
  EXPECT_EQ(destination.GetScanLine(3)[0], 0);
  EXPECT_EQ(destination.GetScanLine(3)[2], 2);
  EXPECT_EQ(destination.GetScanLine(3)[3], 0xFFFF);
}

// Pixel (x, y) of an 8 x 8 bitmap holds y x 16 + x, bit 15 clear.
uint16_t Value(int x, int y) { return static_cast<uint16_t>(y * 16 + x); }

TEST(Bmp16, CopyWithinOneBitmapActsAsIfTheSourceWereCopiedFirst) {
  const struct {
    int32_t left, top, right, bottom, dx, dy;
    uint8_t transparent;
    const char* what;
  } cases[] = {
      {0, 0, 8, 4, 0, 2, 0, "rows 0..3 to 2..5"},
      {0, 0, 8, 4, 0, 2, 1, "rows 0..3 to 2..5, transparent"},
      {0, 3, 8, 8, 0, -3, 0, "up"},
      {0, 0, 5, 8, 2, 0, 0, "right"},
      {0, 0, 5, 8, 2, 0, 1, "right, transparent"},
      {3, 0, 8, 8, -3, 0, 1, "left, transparent"},
      {0, 0, 6, 6, 2, 2, 1, "down and right, transparent"},
      {1, 1, 8, 8, -1, -1, 0, "up and left"},
      {2, 0, 7, 6, -2, 2, 1, "down and left, transparent"},
  };
  for (const auto& c : cases) {
    CBmp16 bmp(8, 8, false);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) bmp.GetScanLine(y)[x] = Value(x, y);
    bmp.Draw(&bmp, c.left + c.dx, c.top + c.dy, c.right + c.dx, c.bottom + c.dy, c.left, c.top,
             c.right, c.bottom, c.transparent);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const int sx = x - c.dx, sy = y - c.dy;
        const bool moved = sx >= c.left && sx < c.right && sy >= c.top && sy < c.bottom;
        EXPECT_EQ(bmp.GetScanLine(y)[x], moved ? Value(sx, sy) : Value(x, y))
            << c.what << ": " << x << "," << y;
      }
  }
}

}  // namespace
