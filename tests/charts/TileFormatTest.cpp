#include "lib/charts/TileFormat.h"

#include <gtest/gtest.h>

namespace {

// Bits of an index into n + 1 values, for every count a tile can have.
TEST(TileFormat, BitWidths) {
  const std::pair<uint32_t, uint32_t> cases[] = {
      {0, 1},    {1, 1},      {2, 2},      {3, 2},      {4, 3},      {7, 3},       {8, 4},      {15, 4},
      {128, 8},  {252, 8},    {255, 8},    {256, 9},    {32767, 15}, {32768, 16},  {65535, 16}, {65536, 17}};
  for (auto [n, bits] : cases) EXPECT_EQ(TileBitWidth(n), bits) << n;
  static_assert(TileBitWidth(65536) == 17, "a tile of all-different colours");
}

}  // namespace
