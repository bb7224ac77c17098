#include <gtest/gtest.h>

#include "lib/charts/UpdGenerate.h"
#include "lib/charts/Update.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "tests/charts/UpdSources.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

// A chart of 300 x 260 pixels: four tiles, three of them edge tiles.
struct SGeneration {
  CScratchDir dir;
  CStr name = dir.Path("chart.upd");
  CMemoryChart chart{300, 260, 11, SampleUpdate().chart};
  CMemoryImage image{300, 260, chart.Decoded()};
  SUpdGenerateInput input{46000.25, "", nullptr, 0, nullptr, 0};
  uint64_t raw = 99, compressed = 99;

  bool Generate(uint32_t& error, const SProgress* progress = nullptr) {
    return UpdFileGenerate(name, image, chart, input, &TestZip(), progress, raw, compressed, error);
  }
  // The update the builder writes for these patches and this input.
  std::string Expected(std::vector<SBuiltPatch> patches) const {
    SBuiltUpdate u;
    u.dateTime = input.dateTime;
    u.chart = SampleUpdate().chart;
    u.patches = std::move(patches);
    if (input.blockA)
      u.blockA = std::string(static_cast<const char*>(input.blockA), input.blockASize);
    if (input.blockB)
      u.blockB = std::string(static_cast<const char*>(input.blockB), input.blockBSize);
    u.text = input.text.c_str();
    return BuildUpdate2(u);
  }
};

std::string PatchOf(const CStr& name, uint32_t tile) {
  uint32_t error = 0;
  CTCF2Update update(name, error);
  CMemoryStream out;
  update.ReadTilePatch(out, tile, &TestZip(), error);
  return std::string(reinterpret_cast<const char*>(out.GetData()),
                     static_cast<size_t>(out.GetSize()));
}

TEST(UpdGenerate, OnePixelGivesTheBuildersFile) {
  SGeneration g;
  g.image.At(10, 20) = g.image.At(10, 20) == 0xFF445566 ? 0xFF445567 : 0xFF445566;
  g.input.text = "Notice";
  g.input.blockA = "AAA";
  g.input.blockASize = 3;
  uint32_t error = 99;
  ASSERT_TRUE(g.Generate(error));
  EXPECT_EQ(error, 0u);
  const std::string patch("\x0A\x14\x00\x00\x66\x55\x44", 7);
  EXPECT_EQ(ReadFile(g.name), g.Expected({{0, patch}}));
  EXPECT_EQ(g.raw, 7u + 6u);
  EXPECT_EQ(g.compressed, Deflate(patch).size() + Deflate("Notice").size());
  EXPECT_EQ(g.dir.Names(), std::vector<std::string>{"chart.upd"});
}

// A whole tile is one run; records go from the highest tile index down.
TEST(UpdGenerate, WholeTileAndOrderOfTiles) {
  SGeneration g;
  for (uint32_t y = 0; y < 256; ++y)
    for (uint32_t x = 0; x < 256; ++x) g.image.At(x, y) ^= 0x00010101;
  g.image.At(299, 259) ^= 0x00800000;  // last pixel of tile 3
  uint32_t error = 0;
  ASSERT_TRUE(g.Generate(error));
  uint32_t readError = 0;
  CTCF2Update update(g.name, readError);
  ASSERT_EQ(update.GetRecordCount(), 2);
  EXPECT_EQ(update.GetRecordTileIndex(0), 3u);
  EXPECT_EQ(update.GetRecordTileIndex(1), 0u);
  const std::string whole = PatchOf(g.name, 0);
  ASSERT_EQ(whole.size(), 4u + 3 * 65536);
  EXPECT_EQ(whole.substr(0, 4), std::string("\x00\x00\xFF\xFF", 4));
  // Tile 3 is 44 x 4: its last pixel is index 175.
  EXPECT_EQ(PatchOf(g.name, 3).substr(0, 4), std::string("\xAF\x00\x00\x00", 4));
}

TEST(UpdGenerate, NothingDiffersGivesNoFile) {
  SGeneration g;
  uint32_t error = 99;
  EXPECT_FALSE(g.Generate(error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(g.raw, 0u);
  EXPECT_TRUE(g.dir.Names().empty());
}

TEST(UpdGenerate, SizesMustMatch) {
  SGeneration g;
  CMemoryImage other(300, 259, std::vector<uint32_t>(300 * 259));
  uint32_t error = 0;
  EXPECT_FALSE(UpdFileGenerate(g.name, other, g.chart, g.input, &TestZip(), nullptr, g.raw,
                               g.compressed, error));
  EXPECT_EQ(error, kErrUpdateSizeMismatch);
}

TEST(UpdGenerate, TileThatDoesNotDecode) {
  SGeneration g;
  g.image.At(0, 0) ^= 1;
  g.chart.Tile(1).resize(3);
  uint32_t error = 0;
  EXPECT_FALSE(g.Generate(error));
  EXPECT_EQ(error, kErrFileFormat);
  EXPECT_TRUE(g.dir.Names().empty());
}

struct SProgressLog {
  std::vector<float> positions;
  size_t cancelAt = 100;
};

void TD_STDCALL LogProgress(void* userData, SProgressInfo* info) {
  auto* log = static_cast<SProgressLog*>(userData);
  log->positions.push_back(info->position);
  if (log->positions.size() == log->cancelAt) info->cancel = 1;
}

TEST(UpdGenerate, ProgressAndCancel) {
  SGeneration g;
  g.image.At(299, 259) ^= 1;
  SProgressLog log;
  SProgress root;
  td::ProgressStageInit1(&root, 1.0f, 0, LogProgress, &log, 0);
  uint32_t error = 0;
  ASSERT_TRUE(g.Generate(error, &root));
  EXPECT_EQ(log.positions, (std::vector<float>{0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));

  // Cancelled after the first tile was written: the older file stays.
  WriteFile(g.name, "older");
  for (size_t at : {2u, 5u}) {
    log = {};
    log.cancelAt = at;
    EXPECT_FALSE(g.Generate(error, &root));
    EXPECT_EQ(error, kErrCanceled);
    EXPECT_EQ(ReadFile(g.name), "older");
    EXPECT_EQ(g.dir.Names(), std::vector<std::string>{"chart.upd"});
  }
}

TEST(UpdGenerate, FailureOfEachFileOperation) {
  SGeneration g;
  g.image.At(0, 0) ^= 1;
  g.image.At(299, 0) ^= 1;
  g.input.text = "t";
  WriteFile(g.name, "older");
  FailEachOperation(g.dir, [&] {
    uint32_t error = 0;
    return g.Generate(error);
  });
}

}  // namespace
