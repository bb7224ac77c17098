// Applying updates to chart files of versions 2.0.0.0 and 1.0.0.2: charts and
// updates written byte by byte from their layouts, the truths computed here
// from the pixels.
#include <gtest/gtest.h>

#include <vector>

#include "lib/charts/TCF2FileUpdate.h"
#include "lib/charts/TileDecoder.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/charts/ChartImageTruths.h"
#include "tests/charts/LegacyChartFileBuilder.h"
#include "tests/charts/LegacyTagAreas.h"
#include "tests/charts/TiledChartBuilder.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

constexpr double kUpdateDate = 46000.25;
constexpr char kUpdateText[] = "Notice to mariners";
constexpr uint32_t kNew = 0xFF8040;  // C, the colour a patch writes

// The 2.0.0.0 chart of 300 x 200: tile 0 (256 x 200) of colour B = 0x101010,
// tile 1 (44 x 200) of 0x202020, ten levels; its tag's GUID is 01 02 .. 10.
STiledChart Chart2000() {
  STiledChart chart;
  chart.width = 300;
  chart.height = 200;
  chart.levels = 10;
  chart.bounds = TriangleBounds(300, 200);
  return chart;
}

SImage Chart2000Image() {
  SImage image{300, 200, {}};
  for (uint32_t y = 0; y < 200; ++y)
    for (uint32_t x = 0; x < 300; ++x)
      image.pixels.push_back(kOpaque | (x < 256 ? 0x101010 : 0x202020));
  return image;
}

SImage Crop(const SImage& image, uint32_t left, uint32_t top, uint32_t width, uint32_t height) {
  SImage part{width, height, {}};
  for (uint32_t y = top; y < top + height; ++y)
    for (uint32_t x = left; x < left + width; ++x) part.pixels.push_back(image.At(x, y));
  return part;
}

// An update for the chart with GUID 01 02 .. 10 (or for any chart).
SBuiltUpdate UpdateOf(std::vector<SBuiltPatch> patches, bool forAnyChart = false) {
  SBuiltUpdate u;
  u.dateTime = kUpdateDate;
  if (!forAnyChart)
    for (int i = 0; i < 16; ++i) u.chart.guid[i] = static_cast<uint8_t>(i + 1);
  u.patches = std::move(patches);
  u.text = kUpdateText;
  return u;
}

// Pixel (x, y) of a tile as a patch counts it: in rows of the tile's width
// (format 2).
uint16_t PixelIndex(uint32_t x, uint32_t y, uint32_t width) {
  return static_cast<uint16_t>(y * width + x);
}

// The chart a.tcf and the update u.upd in one folder.
struct SUpdateCase {
  CScratchDir dir;

  explicit SUpdateCase(const std::vector<uint8_t>& chart) {
    WriteFile(dir.Path("a.tcf"), std::string(chart.begin(), chart.end()));
  }
  CStr Chart() const { return dir.Path("a.tcf"); }

  // Writes the update, opens it and applies it: the error code.
  uint32_t Apply(const SBuiltUpdate& built, uint32_t format = 2,
                 const SProgress* progress = nullptr) {
    WriteFile(dir.Path("u.upd"), format == 1 ? BuildUpdate1(built) : BuildUpdate2(built));
    uint32_t error = 0xDEAD;
    CTCF2Update update(dir.Path("u.upd"), error);
    EXPECT_EQ(error, 0u);
    return ApplyOpened(update, progress);
  }
  uint32_t ApplyOpened(CTCF2Update& update, const SProgress* progress = nullptr) {
    uint32_t error = 0xDEAD;
    uint8_t flag = 0xAA;
    TCF2FileUpdate(Chart(), update, flag, &TestZip(), progress, error);
    EXPECT_EQ(flag, 0);
    return error;
  }
};

std::vector<uint8_t> Bytes(const std::vector<uint8_t>& file, uint64_t position, uint64_t size) {
  return {file.begin() + long(position), file.begin() + long(position + size)};
}

// Per channel (C + 3B) >> 2: a pixel of level 1 over three pixels of B and
// one of C.
uint32_t OneOfFour(uint32_t c, uint32_t b) {
  uint32_t result = kOpaque;
  for (uint32_t shift = 0; shift < 24; shift += 8)
    result |= (((c >> shift & 0xFF) + 3 * (b >> shift & 0xFF)) >> 2) << shift;
  return result;
}

TEST(ChartUpdate, OnePatchedPixelReachesEveryLevel) {
  const std::vector<uint8_t> before = TiledChartFile(Chart2000());
  SUpdateCase c(before);
  SReadBack old(c.Chart());
  ASSERT_EQ(old.error, 0u);
  const double now = NowUTC();
  ASSERT_EQ(c.Apply(UpdateOf({{0, PatchRun(PixelIndex(10, 20, 256), {kNew})}})), 0u);
  SReadBack updated(c.Chart());
  ASSERT_EQ(updated.error, 0u);
  EXPECT_EQ(updated.version, 0x02000000u);
  EXPECT_EQ(updated.header.LevelCount, 10u);
  EXPECT_EQ(updated.header.UpdateTableCount, 1u);
  EXPECT_EQ(updated.header.TableBCount, 9u);
  EXPECT_EQ(c.dir.Names(), (std::vector<std::string>{"a.tcf", "u.upd"}));

  // Tile 0 keeps its bytes as its normal copy; its update copy has C.
  const std::vector<uint8_t> file = FileBytes(c.Chart());
  const STCF2TileTableEntry& tile0 = updated.tiles.At(0);
  EXPECT_EQ(Bytes(file, tile0.Offset, tile0.ColourSize + tile0.AlphaSize),
            SolidTileBytes(0x101010));
  EXPECT_NE(tile0.UpdateOffset, tile0.Offset);
  EXPECT_EQ(updated.tiles.At(1).UpdateOffset, updated.tiles.At(1).Offset);
  SImage image = Chart2000Image();
  image.pixels[20 * 300 + 10] = kOpaque | kNew;
  EXPECT_EQ(updated.Tile(c.Chart(), 0), Crop(image, 0, 0, 256, 200).pixels);
  EXPECT_EQ(updated.Tile(c.Chart(), 1), Crop(image, 256, 0, 44, 200).pixels);

  // Every level above is the halving of the one before; level 1 over the
  // patched pixel is (C + 3B) >> 2.
  const std::vector<uint32_t> level1 = updated.Tile(c.Chart(), 2);
  EXPECT_EQ(level1[10 * 150 + 5], OneOfFour(kNew, 0x101010));
  for (int32_t level = 1; level < 10; ++level) {
    image = Halved(image);
    EXPECT_EQ(updated.Tile(c.Chart(), 1 + level), image.pixels) << level;
  }

  // The update tag: the update's text, now, the previous date-time 2, the
  // update's date-time.
  EXPECT_STREQ(updated.updateTag.GetText()->c_str(), kUpdateText);
  EXPECT_GE(updated.updateTag.GetDateTime1(), now - 1.0 / 86400);
  EXPECT_LE(updated.updateTag.GetDateTime1(), NowUTC() + 1.0 / 86400);
  EXPECT_EQ(updated.updateTag.GetDateTime2(), old.updateTag.GetDateTime2());
  EXPECT_NE(old.updateTag.GetDateTime2(), 0.0);
  EXPECT_EQ(updated.updateTag.GetDateTime3(), kUpdateDate);

  // Bounds and tag sections are the old bytes.
  const STCF2FileHeader &h = updated.header, &o = old.header;
  EXPECT_EQ(Bytes(file, h.BoundsSection.Position, h.BoundsSection.Size),
            Bytes(before, o.BoundsSection.Position, o.BoundsSection.Size));
  EXPECT_EQ(Bytes(file, h.TagSection.Position, h.TagSection.Size),
            Bytes(before, o.TagSection.Position, o.TagSection.Size));
  EXPECT_EQ(h.TagSection.Position + h.TagSection.Size, file.size());
}

TEST(ChartUpdate, ASecondUpdateKeepsOnlyItsOwnTiles) {
  SUpdateCase c(TiledChartFile(Chart2000()));
  ASSERT_EQ(c.Apply(UpdateOf({{0, PatchRun(0, {kNew})}})), 0u);
  ASSERT_EQ(c.Apply(UpdateOf({{1, PatchRun(PixelIndex(3, 4, 44), {kNew})}})), 0u);
  SReadBack updated(c.Chart());
  ASSERT_EQ(updated.error, 0u);
  EXPECT_EQ(updated.header.UpdateTableCount, 1u);
  EXPECT_EQ(updated.tiles.At(0).UpdateOffset, updated.tiles.At(0).Offset);
  EXPECT_NE(updated.tiles.At(1).UpdateOffset, updated.tiles.At(1).Offset);
  SImage image = Chart2000Image();
  image.pixels[4 * 300 + 256 + 3] = kOpaque | kNew;
  EXPECT_EQ(updated.Tile(c.Chart(), 0), Crop(image, 0, 0, 256, 200).pixels);
  EXPECT_EQ(updated.Tile(c.Chart(), 1), Crop(image, 256, 0, 44, 200).pixels);
  EXPECT_EQ(updated.Tile(c.Chart(), 2), Halved(image).pixels);
}

// A 1 x 1 chart of five levels, as a conversion keeps an older chart's:
// every level is rebuilt, none dropped.
TEST(ChartUpdate, TheChartKeepsItsOwnLevels) {
  SChartFileOptions fiveLevels;
  fiveLevels.levels = 5;
  SUpdateCase c(SmallestChartFile(fiveLevels));
  ASSERT_EQ(c.Apply(UpdateOf({{0, PatchRun(0, {kNew})}})), 0u);
  SReadBack updated(c.Chart());
  ASSERT_EQ(updated.error, 0u);
  EXPECT_EQ(updated.header.LevelCount, 5u);
  EXPECT_EQ(updated.header.TableBCount, 4u);
  ASSERT_EQ(updated.tiles.Count(), 5);
  for (int32_t tile = 0; tile < 5; ++tile)
    EXPECT_EQ(updated.Tile(c.Chart(), tile), std::vector<uint32_t>{kOpaque | kNew}) << tile;
}

TEST(ChartUpdate, FormatOneCountsPixelsInRowsOf256) {
  SUpdateCase c(TiledChartFile(Chart2000()));
  // Pixel 257 of the 44-pixel-wide tile 1 is (1, 1).
  ASSERT_EQ(c.Apply(UpdateOf({{1, PatchRun(257, {kNew})}}), 1), 0u);
  SReadBack updated(c.Chart());
  ASSERT_EQ(updated.error, 0u);
  SImage image = Chart2000Image();
  image.pixels[1 * 300 + 256 + 1] = kOpaque | kNew;
  EXPECT_EQ(updated.Tile(c.Chart(), 1), Crop(image, 256, 0, 44, 200).pixels);
}

TEST(ChartUpdate, RecordsOfOneTileCountOnceAndTheLaterWins) {
  SUpdateCase c(TiledChartFile(Chart2000()));
  ASSERT_EQ(
      c.Apply(UpdateOf(
          {{1, PatchRun(0, {0x010203})}, {0, PatchRun(5, {0x040506})}, {1, PatchRun(0, {kNew})}})),
      0u);
  SReadBack updated(c.Chart());
  ASSERT_EQ(updated.error, 0u);
  EXPECT_EQ(updated.header.UpdateTableCount, 2u);
  EXPECT_EQ(updated.header.UpdateTableSize, 2u * 20);
  EXPECT_EQ(updated.Tile(c.Chart(), 1)[0], kOpaque | kNew);
  EXPECT_EQ(updated.Tile(c.Chart(), 0)[5], kOpaque | 0x040506);
}

// Each refusal leaves the folder as it was: the chart byte for byte, no
// temporary file.
void ExpectRefused(const std::vector<uint8_t>& chart, const SBuiltUpdate& update, uint32_t format,
                   uint32_t code) {
  SUpdateCase c(chart);
  EXPECT_EQ(c.Apply(update, format), code);
  EXPECT_EQ(FileBytes(c.Chart()), chart);
  EXPECT_EQ(c.dir.Names(), (std::vector<std::string>{"a.tcf", "u.upd"}));
}

TEST(ChartUpdate, OlderVersionsAreRefused) {
  const SBuiltUpdate update = UpdateOf({{0, PatchRun(0, {kNew})}}, true);
  ExpectRefused(LegacyChartFileV2(kVersion1001, 300, 200, AreaV2()), update, 2, kErrTcf2Version);
}

TEST(ChartUpdate, UpdatesThatDoNotFitTheChartAreRefused) {
  const std::vector<uint8_t> chart = TiledChartFile(Chart2000());
  std::string cutShort = PatchRun(0, {kNew, kNew});
  cutShort.pop_back();
  SBuiltUpdate otherChart = UpdateOf({{0, PatchRun(0, {kNew})}});
  otherChart.chart.guid[15] = 0x77;
  struct SCase {
    const char* name;
    SBuiltUpdate update;
    uint32_t format, code;
  } cases[] = {
      {"another chart", otherChart, 2, kErrUpdateWrongChart},
      {"a tile past level 0", UpdateOf({{2, PatchRun(0, {kNew})}}), 2, kErrFileFormat},
      {"a run past the tile", UpdateOf({{1, PatchRun(44 * 200 - 1, {kNew, kNew})}}), 2,
       kErrFileFormat},
      {"a run past 65,536 pixels", UpdateOf({{0, PatchRun(65535, {kNew, kNew})}}), 1,
       kErrFileFormat},
      {"a run cut short", UpdateOf({{0, cutShort}}), 2, kErrFileFormat},
  };
  for (const SCase& refused : cases) {
    SCOPED_TRACE(refused.name);
    ExpectRefused(chart, refused.update, refused.format, refused.code);
  }
}

// Cancels at the n-th report and counts the reports.
struct SCancelAt {
  int32_t n;
  int32_t calls = 0;
  float last = 0;
  static void TD_STDCALL Callback(void* self, TdProgressInfo* info) {
    auto& me = *static_cast<SCancelAt*>(self);
    EXPECT_GE(info->position + 1e-6f, me.last);
    me.last = info->position;
    if (++me.calls == me.n) info->cancel = 1;
  }
};

TEST(ChartUpdate, ACancelThroughProgressLeavesTheChartAsItWas) {
  const std::vector<uint8_t> chart = TiledChartFile(Chart2000());
  const SBuiltUpdate built = UpdateOf({{0, PatchRun(0, {kNew})}});
  SCancelAt counting{0};
  SProgress progress;
  {
    SUpdateCase c(chart);
    td::ProgressStageInit1(&progress, 1.0f, 0, &SCancelAt::Callback, &counting, 0);
    ASSERT_EQ(c.Apply(built, 2, &progress), 0u);
  }
  EXPECT_EQ(counting.calls, 1 + 2 + 1 + 9);  // the start, tiles copied, patched, made
  EXPECT_NEAR(counting.last, 1.0f, 1e-5f);
  SUpdateCase c(chart);
  for (int32_t n = 1; n <= counting.calls; ++n) {
    SCancelAt cancel{n};
    td::ProgressStageInit1(&progress, 1.0f, 0, &SCancelAt::Callback, &cancel, 0);
    EXPECT_EQ(c.Apply(built, 2, &progress), uint32_t{kErrCanceled});
    EXPECT_EQ(FileBytes(c.Chart()), chart);
    EXPECT_EQ(c.dir.Names(), (std::vector<std::string>{"a.tcf", "u.upd"}));
  }
}

#ifdef _WIN32
TEST(ChartUpdate, AChartHeldOpenElsewhereStaysAsItWas) {
  const std::vector<uint8_t> chart = TiledChartFile(Chart2000());
  SUpdateCase c(chart);
  CFileStream held;
  uint32_t error = 0;
  ASSERT_TRUE(held.Open(c.Chart(), kFileModeRead | kFileShareRead, error));
  EXPECT_NE(c.Apply(UpdateOf({{0, PatchRun(0, {kNew})}})), 0u);
  held.Close();
  EXPECT_EQ(FileBytes(c.Chart()), chart);
  EXPECT_EQ(c.dir.Names(), (std::vector<std::string>{"a.tcf", "u.upd"}));
}
#endif

// ---- version 1.0.0.2 ----

// The 1.0.0.2 chart of 300 x 200 with the pattern image: tile 0 stored
// without an alpha stream, the rest with one; tile 1 has an earlier update
// copy (the bytes of tile 0).
struct SChart1002 {
  SImage image = PatternImage(300, 200);
  std::vector<std::vector<uint8_t>> tiles;
  static constexpr uint64_t kFirstTile = 32 + 16 * 6 + 4 + 20;

  SChart1002() {
    tiles = {Coded(Crop(image, 0, 0, 256, 200), false), Coded(Crop(image, 256, 0, 44, 200), true),
             Coded(PatternImage(150, 100), true),       Coded(PatternImage(75, 50), true),
             Coded(PatternImage(38, 25), true),         Coded(PatternImage(19, 13), true)};
  }
  std::vector<uint8_t> Bytes() const {
    return LegacyChartFileV2Tiles(kVersion1002, 300, 200, AreaV3(), tiles,
                                  {{1, kFirstTile, tiles[0].size()}});
  }
};

// One copy of a tile of an older file, decoded.
std::vector<uint32_t> StoredPixels(const CStr& path, const STCF2TileTableEntry& entry,
                                   bool useUpdate) {
  CFileStream stream;
  uint32_t error = 0;
  EXPECT_TRUE(stream.Open(path, kFileModeRead, error));
  std::vector<uint8_t> data;
  EXPECT_TRUE(TCF2FileReadTileData(stream, data, entry, useUpdate, error)) << error;
  std::vector<uint32_t> pixels(size_t(entry.Width) * entry.Height);
  STileDecodeInfo info;
  EXPECT_EQ(CTileDecoder::Decode(pixels.data(), entry.Width, entry.Height, data.data(), data.size(),
                                 true, info),
            0u);
  return pixels;
}

TEST(ChartUpdate1002, TheChartStaysInItsVersionWithOnlyTheNewUpdateCopies) {
  const SChart1002 chart;
  SUpdateCase c(chart.Bytes());
  SReadBack old(c.Chart());
  ASSERT_EQ(old.error, 0u);
  ASSERT_NE(old.tiles.At(1).UpdateOffset, old.tiles.At(1).Offset);
  // Two records of tile 0: the later wins.
  ASSERT_EQ(c.Apply(UpdateOf({{0, PatchRun(257, {0x010203})}, {0, PatchRun(257, {kNew})}}, true)),
            0u);
  SReadBack updated(c.Chart());
  ASSERT_EQ(updated.error, 0u);
  EXPECT_EQ(updated.version, kVersion1002);
  EXPECT_EQ(c.dir.Names(), (std::vector<std::string>{"a.tcf", "u.upd"}));

  // One update record, for tile 0; tile 1's earlier copy is gone.
  const std::vector<uint8_t> file = FileBytes(c.Chart());
  const std::string bytes(file.begin(), file.end());
  EXPECT_EQ(GetU32(bytes, kLegacyAtCount), 6u);
  EXPECT_EQ(GetU32(bytes, kLegacyAtTiles + 16 * 6), 1u);
  EXPECT_EQ(GetU32(bytes, kLegacyAtTiles + 16 * 6 + 4), 0u);
  EXPECT_EQ(updated.tiles.At(1).UpdateOffset, updated.tiles.At(1).Offset);
  EXPECT_NE(updated.tiles.At(0).UpdateOffset, updated.tiles.At(0).Offset);

  // Tile 0's normal copy: its old bytes, then the opaque alpha stream.
  const STCF2TileTableEntry& tile0 = updated.tiles.At(0);
  std::vector<uint8_t> expected = chart.tiles[0];
  expected.insert(expected.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80});
  EXPECT_EQ(Bytes(file, tile0.Offset, tile0.ColourSize), expected);
  EXPECT_EQ(Bytes(file, updated.tiles.At(1).Offset, updated.tiles.At(1).ColourSize),
            chart.tiles[1]);

  SImage image = chart.image;
  image.pixels[1 * 300 + 1] = kOpaque | kNew;
  EXPECT_EQ(StoredPixels(c.Chart(), tile0, false), Crop(chart.image, 0, 0, 256, 200).pixels);
  EXPECT_EQ(StoredPixels(c.Chart(), tile0, true), Crop(image, 0, 0, 256, 200).pixels);
  for (int32_t level = 1; level < 5; ++level) {
    image = Halved(image);
    EXPECT_EQ(StoredPixels(c.Chart(), updated.tiles.At(1 + level), true), image.pixels) << level;
  }

  // The tag area: the same tag and bounds, the update's text and date (the
  // area keeps no time of day).
  EXPECT_TRUE(updated.tag.IsEqual(&old.tag));
  EXPECT_TRUE(updated.bounds.IsEqual(&old.bounds));
  EXPECT_STREQ(updated.updateTag.GetText()->c_str(), kUpdateText);
  EXPECT_EQ(updated.updateTag.GetDateTime3(), 46000.0);
}

TEST(ChartUpdate1002, TheLastTwoBytesAreTheByteSumOfThePlainTagArea) {
  SUpdateCase c(SChart1002().Bytes());
  ASSERT_EQ(c.Apply(UpdateOf({{1, PatchRun(0, {kNew})}}, true)), 0u);
  const std::vector<uint8_t> file = FileBytes(c.Chart());
  const std::string bytes(file.begin(), file.end());
  const uint64_t area = GetU64(bytes, kLegacyAtTagPosition);
  ASSERT_LT(area, file.size() - 2);
  const uint32_t check = file[file.size() - 2] | file[file.size() - 1] << 8;
  const uint32_t start = (check & 0xFF) ^ (check >> 8);
  uint32_t sum = 0;
  for (uint64_t i = 0; area + i < file.size() - 2; ++i)
    sum += file[area + i] ^ ((start + i) & 0xFF);
  EXPECT_EQ(sum & 0xFFFF, check);
}

// ---- failed file operations ----

TEST(ChartUpdate, EachFailedFileOperationLeavesTheChartAsItWas) {
  struct SCase {
    const char* name;
    std::vector<uint8_t> chart;
  } cases[] = {{"2.0.0.0", TiledChartFile(Chart2000())}, {"1.0.0.2", SChart1002().Bytes()}};
  for (const SCase& failing : cases) {
    SCOPED_TRACE(failing.name);
    SUpdateCase c(failing.chart);
    WriteFile(c.dir.Path("u.upd"), BuildUpdate2(UpdateOf({{0, PatchRun(0, {kNew})}}, true)));
    uint32_t error = 0xDEAD;
    CTCF2Update update(c.dir.Path("u.upd"), error);
    ASSERT_EQ(error, 0u);
    FailEachOperation(c.dir, [&] { return c.ApplyOpened(update) == 0; });
    SReadBack updated(c.Chart());
    EXPECT_EQ(updated.error, 0u);
  }
}

}  // namespace
