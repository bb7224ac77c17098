// CBmp32 and the CBmp part: sizes, memory, whole-bitmap operations, copies.
#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "lib/bitmap/BmpModule.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/AllocationSeam.h"
#include "tests/bitmap/BitmapTestHelpers.h"

namespace {

TEST(Bmp32, EmptySizesKeepTheSizeButNoPixels) {
  CBmp32 bmp(0, 10, false);
  EXPECT_EQ(bmp.GetMemorySize(0), 0u);
  EXPECT_EQ(bmp.GetBits(), nullptr);
  EXPECT_EQ(bmp.GetScanLine(0), nullptr);
  SRectI rect;
  bmp.GetRect(&rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.right, 0);
  EXPECT_EQ(rect.bottom, 10);
  bmp.SetSize(-5, 3);
  EXPECT_EQ(bmp.GetWidth(), 0);
  EXPECT_EQ(bmp.GetHeight(), 3);
  bmp.Fill(1);
  bmp.FlipHorizontal();
  bmp.FlipVertical();
  bmp.SetAlpha(3);
  bmp.SetAlphaByColor(1, 2, 3);
}

TEST(Bmp32, SizeMemoryRowsAndDescriptor) {
  CBmp32 bmp(3, 2, false);
  EXPECT_EQ(bmp.GetPixelFormat(), 9);
  EXPECT_EQ(bmp.GetStride(), 12);
  EXPECT_EQ(bmp.GetMemorySize(0), 12u * 2 + 2 * 4);
  EXPECT_EQ(bmp.GetMemorySize(1), 12u * 2 + 2 * 4 + 40);
  uint32_t* bits = bmp.GetBits();
  ASSERT_NE(bits, nullptr);
  EXPECT_EQ(bmp.GetScanLine(1), bits + 3);
  EXPECT_EQ(bmp.GetScanLine(2), bits + 6);  // just past the last row
  EXPECT_EQ(bmp.GetScanLine(3), nullptr);
  EXPECT_EQ(bmp.GetScanLine(-1), nullptr);
  SPixelBufferDesc desc;
  bmp.GetBufferDesc(&desc);
  EXPECT_EQ(desc.format, 9);
  EXPECT_EQ(desc.stride, 12);
  EXPECT_EQ(desc.width, 3);
  EXPECT_EQ(desc.height, 2);
  EXPECT_EQ(desc.nextRow, 12);
  EXPECT_EQ(desc.previousRow, -12);
  SRectD bounds;
  bmp.GetPixBounds(&bounds);
  EXPECT_EQ(bounds.left, -0.5);
  EXPECT_EQ(bounds.right, 2.5);
  EXPECT_EQ(bounds.bottom, 1.5);
  bmp.SetSize(3, 2);
  EXPECT_EQ(bmp.GetBits(), bits);  // the same size keeps the pixels
}

int g_Calls = 0;
bool TwiceThenGiveUp(uint32_t) { return ++g_Calls < 3; }

TEST(Bmp32, FailedSetSizeAsksTheHandlerAndLeavesAnEmptyBitmap) {
  CBmp32 bmp(4, 4, false);
  g_Calls = 0;
  AllocFailHandler previous = SetAllocFailHandler(TwiceThenGiveUp);
  bmp.SetSize(20000, 20000);  // 1.6 GB: more than any bitmap may hold
  EXPECT_EQ(SetAllocFailHandler(previous), TwiceThenGiveUp);
  EXPECT_EQ(g_Calls, 3);
  EXPECT_EQ(bmp.GetWidth(), 0);
  EXPECT_EQ(bmp.GetHeight(), 0);
  EXPECT_EQ(bmp.GetStride(), 0);
  EXPECT_EQ(bmp.GetBits(), nullptr);
  EXPECT_EQ(bmp.GetScanLine(0), nullptr);
  bmp.Fill(0xFFFFFFFF);  // writes nothing
  try {
    bmp.Resize(65536, 65536);
    FAIL() << "no exception";
  } catch (const char* message) {
    EXPECT_STREQ(message, "CBmp::SetSize: Can't allocate the DIB handle");
  }
  bmp.SetSize(2, 2);
  EXPECT_NE(bmp.GetBits(), nullptr);
}

// The pixels go through the allocation seam: refused, they throw the
// module's string, and a bitmap of the same size is made once memory is back.
TEST(Bmp32, ARefusedPixelAllocationReachesTheCaller) {
  int32_t refusedPixels = 0;
  const int32_t allocations = td::test::WalkAllocations([&](int32_t n) {
    td::test::ArmAllocationFailure(n);
    try {
      CBmp32 bmp(128, 128, false);  // 64 KB of pixels
      td::test::DisarmAllocationFailure();
      EXPECT_NE(bmp.GetBits(), nullptr);
    } catch (const char* message) {
      EXPECT_TRUE(td::test::DisarmAllocationFailure()) << n;
      EXPECT_STREQ(message, "CBmp::SetSize: Can't allocate the DIB handle");
      ++refusedPixels;
    } catch (const std::bad_alloc&) {
      EXPECT_TRUE(td::test::DisarmAllocationFailure()) << n;
    }
  });
  EXPECT_EQ(refusedPixels, 1);
  EXPECT_GE(allocations, 1);
}

TEST(Bmp32, FillFlipsAndAlpha) {
  auto one = MakeFilled(1, 1, 0x80FF0000);
  one->FlipHorizontal();
  one->FlipVertical();
  EXPECT_EQ(one->Row(0)[0], 0x80FF0000u);

  for (int32_t h : {1, 2, 3, 5, 8, 13}) {
    auto filled = MakeFilled(7, h, 0x12345678);
    for (int64_t i = 0; i < filled->PixelCount(); ++i) ASSERT_EQ(filled->Pixels()[i], 0x12345678u) << h;
  }

  auto bmp = MakeTagged(3, 3);
  bmp->FlipHorizontal();
  EXPECT_EQ(bmp->Row(0)[0], Tag(2, 0));
  EXPECT_EQ(bmp->Row(2)[1], Tag(1, 2));
  bmp->FlipVertical();
  EXPECT_EQ(bmp->Row(0)[0], Tag(2, 2));
  EXPECT_EQ(bmp->Row(1)[2], Tag(0, 1));
  bmp->SetAlpha(0x40);
  EXPECT_EQ(bmp->Row(0)[0], (Tag(2, 2) & 0xFFFFFF) | 0x40000000u);
}

TEST(Bmp32, SetAlphaByColorKeysOneColour) {
  auto bmp = MakeFilled(2, 2, 0x80FF00FF);
  bmp->Row(1)[1] = 0x10FF00FE;
  bmp->SetAlphaByColor(0, 255, 0x00FF00FF);
  EXPECT_EQ(bmp->Row(0)[0], 0x00FF00FFu);
  EXPECT_EQ(bmp->Row(0)[1], 0x00FF00FFu);
  EXPECT_EQ(bmp->Row(1)[1], 0xFFFF00FEu);
}

TEST(Bmp32, AssignCopiesSizeAndPixels) {
  auto source = MakeTagged(5, 3);
  CBmp32 copy(1, 1, false);
  copy.Assign(source.get());
  ASSERT_EQ(copy.GetWidth(), 5);
  EXPECT_EQ(std::memcmp(copy.GetBits(), source->GetBits(), 5 * 3 * 4), 0);
  copy.Assign(&copy);
  EXPECT_EQ(copy.Row(2)[4], Tag(4, 2));
  CBmp32 empty(0, 7, false);
  copy.Assign(&empty);
  EXPECT_EQ(copy.GetBits(), nullptr);
  EXPECT_EQ(copy.GetHeight(), 7);
}

TEST(Bmp32, AssignScaledFitsTheLongerSide) {
  auto source = MakeTagged(4, 2);
  CBmp32 scaled(0, 0, false);
  scaled.AssignScaled(source.get(), 8, 3);  // ratio 8 / 4
  ASSERT_EQ(scaled.GetWidth(), 8);
  ASSERT_EQ(scaled.GetHeight(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(scaled.Row(y)[x], Tag(x / 2, y / 2));
  scaled.AssignScaled(&scaled, 4, 4);  // from itself
  ASSERT_EQ(scaled.GetWidth(), 4);
  EXPECT_EQ(scaled.Row(1)[3], Tag(3, 1));
  CBmp32 empty(0, 0, false);
  scaled.AssignScaled(&empty, 10, 10);
  EXPECT_EQ(scaled.GetWidth(), 0);
  EXPECT_EQ(scaled.GetHeight(), 0);
}

TEST(Bmp32, LoadFromFileChoosesByExtension) {
  CBmp32 bmp(2, 2, false);
  uint32_t* bits = bmp.GetBits();
  uint32_t error = 0;
  const CStr png("C:\\images\\chart.png"), bmpPath("C:\\images\\CHART.BMP"), none("C:\\images.tga\\chart");
  bmp.LoadFromFile(&png, 1, 0, nullptr, &error);
  EXPECT_EQ(error, kErrFileTypeUnknown);
  bmp.LoadFromFile(&none, 1, 0, nullptr, &error);
  EXPECT_EQ(error, kErrFileTypeUnknown);
  error = 0;
  bmp.LoadFromFile(&bmpPath, 1, 0, nullptr, &error);
  EXPECT_NE(error, kErrFileTypeUnknown);  // handed to the .bmp reader
  EXPECT_EQ(bmp.GetBits(), bits);
  EXPECT_EQ(bmp.GetWidth(), 2);
}

}  // namespace
