#include <gtest/gtest.h>

#include <vector>

#include "lib/charts/UpdateFile.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/charts/UpdateBuilder.h"

namespace {

constexpr uint32_t kOld = 0x80000000;  // alpha 0x80, black

bool Apply(std::vector<uint32_t>& tile, uint32_t width, uint32_t height, uint32_t format,
           const std::string& patch, uint32_t& error) {
  return ApplyTilePatch(tile.data(), width, height, format,
                        reinterpret_cast<const uint8_t*>(patch.data()),
                        static_cast<int64_t>(patch.size()), error);
}

// An edge tile of 3 x 2: format 2 counts in rows of 3, format 1 in rows of
// 256; exactly the runs' pixels change, each keeping its alpha.
TEST(TilePatch, RowsOfTheFormat) {
  const std::string patch = PatchRun(1, {0xFF112233, 0x00445566}) + PatchRun(4, {0x778899});
  std::vector<uint32_t> tile(6, kOld);
  uint32_t error = 99;
  ASSERT_TRUE(Apply(tile, 3, 2, 2, patch, error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(tile, (std::vector<uint32_t>{kOld, 0x80112233, 0x80445566, kOld, 0x80778899, kOld}));

  // Format 1: index 257 is (1, 1); 1, 2 lie in the first row; 4 is beyond
  // the tile's width and is dropped.
  const std::string patch1 =
      PatchRun(1, {0x112233, 0x445566}) + PatchRun(4, {0x999999}) + PatchRun(257, {0x778899});
  tile.assign(6, kOld);
  ASSERT_TRUE(Apply(tile, 3, 2, 1, patch1, error));
  EXPECT_EQ(tile, (std::vector<uint32_t>{kOld, 0x80112233, 0x80445566, kOld, 0x80778899, kOld}));
}

TEST(TilePatch, WholeTileRun) {
  std::vector<uint32_t> colours(65536, 0x00ABCDEF);
  std::vector<uint32_t> tile(65536, 0xFF000000);
  uint32_t error = 0;
  ASSERT_TRUE(Apply(tile, 256, 256, 2, PatchRun(0, colours), error));
  EXPECT_EQ(tile.front(), 0xFFABCDEFu);
  EXPECT_EQ(tile.back(), 0xFFABCDEFu);
}

// A bad patch changes nothing, even when its earlier runs were good.
TEST(TilePatch, BadPatchesChangeNothing) {
  const std::string good = PatchRun(0, {0x111111});
  std::string cut = good + PatchRun(2, {0x222222, 0x333333});
  cut.pop_back();
  std::string header = good + "\x01";
  const struct {
    const char* what;
    uint32_t width, height, format;
    std::string patch;
  } cases[] = {
      {"run past the tile", 3, 2, 2, good + PatchRun(5, {1, 2})},
      {"run past 256 x 256", 3, 2, 1, good + PatchRun(65535, {1, 2})},
      {"count wraps 16 bits", 256, 256, 2, good + PatchRun(65535, std::vector<uint32_t>(65536, 1))},
      {"run cut short", 3, 2, 2, cut},
      {"header cut short", 3, 2, 2, header},
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> tile(c.width * c.height, kOld);
    uint32_t error = 0;
    EXPECT_FALSE(Apply(tile, c.width, c.height, c.format, c.patch, error)) << c.what;
    EXPECT_EQ(error, kErrFileFormat) << c.what;
    EXPECT_EQ(tile, std::vector<uint32_t>(c.width * c.height, kOld)) << c.what;
  }
}

}  // namespace
