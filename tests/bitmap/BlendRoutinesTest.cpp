// The routine table, one hand-computed pixel per rule; rows of eleven pixels
// so that any grouping of the loop shows.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "lib/bitmap/BlendRoutines.h"

namespace {

using RowFn = void (*)(uint32_t*, const uint32_t*, int32_t);

struct SRowCase {
  const char* name;
  RowFn routine;
  uint32_t source, destination, expected;
};

TEST(BlendRoutines, RowModesHandValues) {
  const SBlendRoutines& r = g_BlendRoutines;
  const SRowCase cases[] = {
      {"transparent copies alpha 1 whole", r.rowTransparent, 0x01000000, 0xFFFFFFFF, 0x01000000},
      {"transparent skips alpha 0", r.rowTransparent, 0x00FFFFFF, 0xFF123456, 0xFF123456},
      {"blend half white over black", r.rowBlend, 0x80FFFFFF, 0xFF000000, 0xFF7F7F7F},
      {"blend opaque white gives 254", r.rowBlend, 0xFFFFFFFF, 0x00000000, 0x00FEFEFE},
      {"blend alpha 0 darkens by 255/256", r.rowBlend, 0x00FFFFFF, 0xFF808080, 0xFF7F7F7F},
      {"disabled white over black", r.rowBlendDisabled, 0xFFFFFFFF, 0xFF000000, 0xFF3E3E3E},
      {"blend alpha keeps the larger alpha", r.rowBlendAlpha, 0x80FF0000, 0x40000000, 0x807F0000},
      {"blend alpha raises nothing lower", r.rowBlendAlpha, 0x40000000, 0x80FFFFFF, 0x80BEBEBE},
  };
  for (const SRowCase& c : cases) {
    std::vector<uint32_t> d(11, c.destination), s(11, c.source);
    c.routine(d.data(), s.data(), 11);
    for (uint32_t v : d) EXPECT_EQ(v, c.expected) << c.name;
  }
}

// Row mode 2 on every alpha and many colours, by the rule written out per
// channel: (s.c x a + d.c x (255 - a)) >> 8, destination alpha kept.
TEST(BlendRoutines, RowBlendFollowsTheChannelRuleForEveryAlpha) {
  std::mt19937 rng(7);
  std::vector<uint32_t> s(256 * 3 + 5), d(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    s[i] = uint32_t(i % 256) << 24 | (rng() & 0xFFFFFF);
    d[i] = rng();
  }
  std::vector<uint32_t> out = d;
  g_BlendRoutines.rowBlend(out.data(), s.data(), static_cast<int32_t>(s.size()));
  for (size_t i = 0; i < s.size(); ++i) {
    const uint32_t a = s[i] >> 24;
    uint32_t expected = d[i] & 0xFF000000;
    for (int shift : {0, 8, 16})
      expected |= ((((s[i] >> shift) & 0xFF) * a + ((d[i] >> shift) & 0xFF) * (255 - a)) >> 8) << shift;
    ASSERT_EQ(out[i], expected) << i;
  }
}

TEST(BlendRoutines, CoverageRoutinesKeepPixelsAtOpacityZero) {
  std::vector<uint32_t> d(11, 0xFFFFFFFF), s(11, 0xFF000000);
  g_BlendRoutines.coverageRow(d.data(), s.data(), 11, 0);
  for (uint32_t v : d) EXPECT_EQ(v, 0xFFFFFFFFu);
  s.assign(11, 0x00000000);
  g_BlendRoutines.coverageRow(d.data(), s.data(), 11, 255);
  for (uint32_t v : d) EXPECT_EQ(v, 0xFFFFFFFFu);
  uint32_t pixel = 0xFFFFFFFF;
  g_BlendRoutines.coveragePixel(&pixel, 0xFF000000, 0);
  g_BlendRoutines.solidPixel(&pixel, 0x00000000);
  EXPECT_EQ(pixel, 0xFFFFFFFFu);
  g_BlendRoutines.horizontalSpan(d.data(), 0x00000000, 11);
  for (uint32_t v : d) EXPECT_EQ(v, 0xFFFFFFFFu);
}

TEST(BlendRoutines, CoverageArithmetic) {
  // (255 x 65025) >> 16 = 253 for full coverage of white over black.
  std::vector<uint32_t> d(11, 0xFF000000), s(11, 0xFFFFFFFF);
  g_BlendRoutines.coverageRow(d.data(), s.data(), 11, 255);
  for (uint32_t v : d) EXPECT_EQ(v, 0xFFFDFDFDu);
  uint32_t pixel = 0x80000000;
  g_BlendRoutines.coveragePixel(&pixel, 0xFFFFFFFF, 128);  // (255 x 32640) >> 16 = 127
  EXPECT_EQ(pixel, 0x807F7F7Fu);
  pixel = 0xFF000000;
  g_BlendRoutines.solidPixel(&pixel, 0x80FFFFFF);
  EXPECT_EQ(pixel, 0xFF7F7F7Fu);
}

TEST(BlendRoutines, SpansStoreOpaqueColoursAndBlendOthers) {
  std::vector<uint32_t> d(3 * 4, 0xFF000000);
  g_BlendRoutines.horizontalSpan(d.data(), 0xFF123456, 3);
  EXPECT_EQ(d[0], 0xFF123456u);
  EXPECT_EQ(d[2], 0xFF123456u);
  EXPECT_EQ(d[3], 0xFF000000u);
  g_BlendRoutines.verticalSpan(d.data() + 3, 0x80FFFFFF, 3, 4);  // column 3 of a 4-wide block
  EXPECT_EQ(d[3], 0xFF7F7F7Fu);
  EXPECT_EQ(d[7], 0xFF7F7F7Fu);
  EXPECT_EQ(d[11], 0xFF7F7F7Fu);
  EXPECT_EQ(d[4], 0xFF000000u);
}

}  // namespace
