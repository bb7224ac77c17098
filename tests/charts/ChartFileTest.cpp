// The container, the tables and the reading of version 2.0.0.0 chart files,
// against files written byte by byte from the layout.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2FileTables.h"
#include "lib/charts/TCF2Section.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TCF2TileTableC.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/charts/ChartFileBuilder.h"
#include "tests/charts/ChartFileTestSupport.h"

namespace {

TEST(ChartFile, XorChecksumOfFiveBytes) {
  const uint8_t bytes[] = {1, 2, 3, 4, 5};
  EXPECT_EQ(XorChecksum32(bytes, 5), 0x04030204u);
}

TEST(ChartFile, VersionIndexes) {
  EXPECT_EQ(TCF2FileVersionToIndex(0x01000000), 1u);
  EXPECT_EQ(TCF2FileVersionToIndex(0x01000002), 3u);
  EXPECT_EQ(TCF2FileVersionToIndex(0x02000000), 4u);
  EXPECT_EQ(TCF2FileVersionToIndex(0x01000003), 0u);
}

TEST(ChartFile, SmallestFileReadsEveryField) {
  const std::vector<uint8_t> bytes = SmallestChartFile();
  SChartRead r;
  ASSERT_EQ(r.Read(bytes), 0u);
  EXPECT_EQ(r.fileSize, bytes.size());
  EXPECT_EQ(r.version, 0x02000000u);
  EXPECT_EQ(r.index, 4u);
  EXPECT_EQ(r.warnings, 0u);
  STCF2FileHeader expected;
  std::memcpy(&expected, bytes.data() + 12, sizeof expected);
  EXPECT_EQ(std::memcmp(&r.header, &expected, sizeof expected), 0);
  EXPECT_EQ(r.header.TableAPosition, 1208u);

  ASSERT_EQ(r.mipmap.GetCount(), 1);
  const STCF2Mipmap m = *r.mipmap.GetMipmap(0);
  EXPECT_EQ(m.Width, 1u);
  EXPECT_EQ(m.TilesAcross, 1u);
  EXPECT_EQ(m.FirstTile, 0u);
  ASSERT_EQ(r.tiles.GetCount(), 1);
  const STCF2TileTableEntry& e = *r.tiles.GetEntry(0);
  EXPECT_EQ(e.Offset, 176u);
  EXPECT_EQ(e.UpdateOffset, 176u);
  EXPECT_EQ(e.ColourSize, 1026u);
  EXPECT_EQ(e.AlphaSize, 6u);
  EXPECT_EQ(e.UpdateColourSize, 1026u);
  EXPECT_EQ(e.Width, 1u);
  EXPECT_EQ(e.Height, 1u);

  CTCF2Tag& t = r.tag;
  const SGuid* guid = t.GetGUID();
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(guid)[0], 1);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(guid)[15], 16);
  EXPECT_EQ(t.GetIdNumber(), 0x12345u);
  EXPECT_EQ(t.GetIdCode(), 7);
  EXPECT_EQ(*t.GetIdText1(), "Id1");
  EXPECT_EQ(*t.GetIdText2(), "Id2");
  EXPECT_EQ(*t.GetIdText3(), "Id3");
  EXPECT_EQ(*t.GetIdText4(), "Id4");
  EXPECT_EQ(*t.GetText1(), "Chart");
  EXPECT_EQ(*t.GetText2(), "Area");
  const char* expectedTexts[] = {"T3", "T4",  "T5",  "T6",  "T7", "T8",
                                 "T9", "T10", "T11", "T12", "T13"};
  const CStr* texts[] = {t.GetText3(),  t.GetText4(),  t.GetText5(), t.GetText6(),
                         t.GetText7(),  t.GetText8(),  t.GetText9(), t.GetText10(),
                         t.GetText11(), t.GetText12(), t.GetText13()};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(*texts[i], expectedTexts[i]);
  EXPECT_EQ(t.GetValueU16(), 0xBEEF);
  EXPECT_EQ(t.GetDate(), EncodeDate(2006, 2, 28));
  EXPECT_TRUE(t.HasOptValues());
  EXPECT_EQ(t.GetOptValue1(), 1.5);
  EXPECT_EQ(t.GetOptValue2(), -2.25);
  EXPECT_EQ(t.GetOptValue3(), EncodeDate(2007, 3, 4));
  ASSERT_EQ(t.GetLinkCount(), 1);
  uint32_t type = 9;
  CStr file, description;
  EXPECT_TRUE(t.GetLink(0, &type, &file, &description));
  EXPECT_EQ(type, 0u);
  EXPECT_EQ(file, "next.tcf");
  EXPECT_EQ(description, "Next chart");
  EXPECT_EQ(t.GetCalPointCount(), 2);
  SPointD p;
  t.GetCalPixPoint2(&p);
  EXPECT_EQ(p.x, 1.0);
  t.GetCalMapPoint2(&p);
  EXPECT_EQ(p.x, 155010.0);
  EXPECT_EQ(p.y, 462990.0);
  t.GetCalMapPoint3(&p);
  EXPECT_EQ(p.x, 0.0);
  SGeodeticRef ref, rd;
  t.GetGeodeticRef(&ref);
  GeodeticRefInitRD(rd);
  EXPECT_TRUE(GeodeticRefIsEqual(ref, rd));
  EXPECT_FALSE(t.GetFlag());
  EXPECT_EQ(t.GetKind(), 2);

  EXPECT_EQ(*r.updateTag.GetText(), "Update 7");
  EXPECT_EQ(r.updateTag.GetDateTime1(), EncodeDateTime(2006, 1, 2, 3, 4, 5, 6));
  EXPECT_EQ(r.updateTag.GetDateTime2(), EncodeDateTime(2005, 12, 31, 23, 59, 58, 999));
  EXPECT_EQ(r.updateTag.GetDateTime3(), EncodeDate(2006, 1, 1));

  ASSERT_EQ(r.bounds.GetCount(), 4);
  EXPECT_EQ(r.bounds.PointAt(0).x, -0.5);
  EXPECT_EQ(r.bounds.PointAt(2).x, 0.5);
  EXPECT_EQ(r.bounds.PointAt(2).y, 0.5);
  EXPECT_TRUE(r.bounds.IsRectangle());

  CConstPointerStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
  std::vector<uint8_t> data;
  uint32_t pixels[kTilePixels] = {};
  uint32_t error = 0;
  ASSERT_TRUE(TCF2FileReadTilePixels(stream, pixels, e, true, data, error));
  EXPECT_EQ(data.size(), 1032u);
  EXPECT_EQ(pixels[0], 0xFF000000u | kSmallestColour);

  CBmp32 bitmap(3, 5, false);
  ASSERT_TRUE(TCF2FileReadTileBitmap(stream, bitmap, e, true, data, error));
  ASSERT_EQ(bitmap.GetWidth(), 1);
  ASSERT_EQ(bitmap.GetHeight(), 1);
  EXPECT_EQ(bitmap.GetBits()[0], 0xFF000000u | kSmallestColour);
}

// The writers, fed with what was read, give back the very bytes.
// The copy that the fuzzer's corpus and the C host read.
TEST(ChartFile, CorpusHoldsTheSmallestFile) {
  const std::string stored =
      ReadBytes(CStr(TDLIB_SOURCE_DIR "/fuzz/corpus/ChartFileFuzzer/smallest"));
  const std::vector<uint8_t> bytes = SmallestChartFile();
  EXPECT_EQ(stored, std::string(bytes.begin(), bytes.end()));
}

TEST(ChartFile, WritersReproduceTheSmallestFile) {
  const std::vector<uint8_t> bytes = SmallestChartFile();
  SChartRead r;
  ASSERT_EQ(r.Read(bytes), 0u);
  CMemoryStream out;
  STCF2FileHeader h{};
  uint32_t error = 0;
  ASSERT_TRUE(TCF2FileWriteMagic(out, kTCF2Index2000, error));
  ASSERT_TRUE(TCF2FileWriteHeader(out, h, error));
  h.TileDataPosition = static_cast<uint64_t>(out.GetPosition());
  const std::vector<uint8_t> tile = SmallestTileBytes();
  ASSERT_TRUE(out.WriteBuf(tile.data(), static_cast<int32_t>(tile.size()), error));
  h.TileDataSize = tile.size();
  ASSERT_TRUE(TCF2FileWriteTablesA(out, h, r.mipmap, r.tiles, error));
  h.UpdateTileDataPosition = static_cast<uint64_t>(out.GetPosition());
  ASSERT_TRUE(TCF2FileWriteTablesB(out, h, r.mipmap, r.tiles, error));
  STCF2FileSection* sections[] = {&h.UpdateTagSection, &h.BoundsSection, &h.TagSection};
  const std::function<bool()> writers[] = {
      [&] { return TCF2FileWriteUpdateTagV4(out, r.updateTag, error); },
      [&] { return TCF2FileWriteBoundsV4(out, r.bounds, error); },
      [&] { return TCF2FileWriteTagV4(out, r.tag, error); }};
  for (int i = 0; i < 3; ++i) {
    const int64_t start = out.GetPosition();
    ASSERT_TRUE(writers[i]()) << i << " " << error;
    *sections[i] = {static_cast<uint64_t>(start), static_cast<uint64_t>(out.GetPosition() - start)};
  }
  h.Width = h.Height = 1;
  h.LevelCount = 1;
  ASSERT_TRUE(TCF2FileWriteHeader(out, h, error));
  const std::vector<uint8_t> written(out.GetData(), out.GetData() + out.GetSize());
  EXPECT_EQ(written, bytes);
}

struct SDamage {
  const char* name;
  std::function<std::vector<uint8_t>()> make;
  uint32_t error;
};

std::vector<uint8_t> Patched32(size_t at, uint32_t value, const SChartFileOptions& o = {}) {
  std::vector<uint8_t> bytes = SmallestChartFile(o);
  Put32(bytes, at, value);
  return bytes;
}

std::vector<uint8_t> Patched64(size_t at, uint64_t value, const SChartFileOptions& o = {}) {
  std::vector<uint8_t> bytes = SmallestChartFile(o);
  Put64(bytes, at, value);
  return bytes;
}

SChartFileOptions WithUpdates(std::vector<SUpdateRecord> updates) {
  SChartFileOptions o;
  o.updates = std::move(updates);
  return o;
}

SChartFileOptions Padded(size_t padding) {
  SChartFileOptions o;
  o.padding = padding;
  return o;
}

// Each file is the smallest file with one field changed.
const SDamage kDamages[] = {
    {"width 0", [] { return Patched32(kAtWidth, 0); }, 0x7000A},
    {"width and height 0",
     [] {
       auto b = Patched32(kAtWidth, 0);
       Put32(b, kAtHeight, 0);
       return b;
     },
     0x7000A},
    {"height 0", [] { return Patched32(kAtHeight, 0); }, 0x7000B},
    {"34 levels", [] { return Patched32(kAtLevels, 34); }, 0x7000C},
    {"levels 0x80000000", [] { return Patched32(kAtLevels, 0x80000000); }, 0x7000C},
    {"version 1.0.0.3", [] { return Patched32(kAtVersion, 0x01000003); }, 0x10017},
    {"version 2.0.0.1", [] { return Patched32(kAtVersion, 0x02000001); }, 0x10018},
    {"magic", [] { return Patched32(4, 0x33464354); }, 0x10016},
    {"update entry for tile A count",
     [] {
       return SmallestChartFile(WithUpdates({{1, 176, 1026, 6}}));
     },
     0x10015},
    {"colour size 0", [] { return Patched32(kAtTableA + 8, 0); }, 0x10015},
    {"alpha size 0", [] { return Patched32(kAtTableA + 12, 0); }, 0x10015},
    {"tile offset above the file", [] { return Patched64(kAtTableA, 1u << 20); }, 0x10015},
    // Refused before anything is allocated.
    {"2^31 - 1 pixels a side",
     [] {
       auto b = Patched32(kAtWidth, 0x7FFFFFFF);
       Put32(b, kAtHeight, 0x7FFFFFFF);
       return b;
     },
     0x10015},
    {"65,536 tiles across", [] { return Patched32(kAtWidth, 65536 * 256); }, 0x10015},
    {"A count other than the level-0 tiles", [] { return Patched64(kAtTableACount, 2); }, 0x10015},
    {"A + B other than the total", [] { return Patched64(kAtTableBCount, 1); }, 0x10015},
    {"table A beyond the end", [] { return Patched64(kAtTableAPosition, 1u << 20); }, 0x10015},
    {"update count past the end", [] { return Patched64(kAtUpdateTableCount, 0xFFFFFFFF); },
     0x10015},
    {"table B count huge", [] { return Patched64(kAtTableBCount, 1ull << 60); }, 0x10015},
    {"section size 3", [] { return Patched64(kAtUpdateTagSection + 8, 3); }, 0x10015},
    {"section size 0", [] { return Patched64(kAtUpdateTagSection + 8, 0); }, 0x10015},
    {"section past the end", [] { return Patched64(kAtBoundsSection + 8, 1ull << 40); }, 0x10015},
    {"section position past the end", [] { return Patched64(kAtBoundsSection, ~0ull); }, 0x10015},
    {"tile ending past the file", [] { return Patched64(kAtTableA, 1300); }, 0x10015},
    {"tile offset equal to the file size",
     [] {
       auto b = SmallestChartFile();
       Put64(b, kAtTableA, b.size());
       return b;
     },
     0x10015},
    {"alpha stream above its largest length",
     [] {
       return Patched32(kAtTableA + 12, static_cast<uint32_t>(kTileAlphaStreamLimit + 1),
                        Padded(200000));
     },
     0x10015},
    {"update entry past the end",
     [] {
       return SmallestChartFile(WithUpdates({{0, 1300, 1026, 6}}));
     },
     0x10015},
};

TEST(ChartFile, DamagedFilesGiveTheirCodes) {
  for (const SDamage& d : kDamages) {
    SChartRead r;
    EXPECT_EQ(r.Read(d.make()), d.error) << d.name;
  }
}

TEST(ChartFile, PaddedFileStillReads) {
  SChartRead r;
  EXPECT_EQ(r.Read(SmallestChartFile(Padded(200000))), 0u);
}

std::vector<uint8_t> FlippedBoundsBit() {
  std::vector<uint8_t> bytes = SmallestChartFile();
  uint64_t at = 0;
  std::memcpy(&at, bytes.data() + kAtBoundsSection, 8);
  bytes[at + 5] ^= 0x10;
  return bytes;
}

TEST(ChartFile, FlippedBoundsBitStopsAfterTablesAndUpdateTag) {
  SChartRead r;
  const CStr mark("as passed in");
  r.tag.SetText1(&mark);
  const SPointD seven{7, 7};
  r.bounds.AddPoint(&seven);
  EXPECT_EQ(r.Read(FlippedBoundsBit()), 0x1001Bu);
  EXPECT_EQ(r.tiles.GetCount(), 1);
  EXPECT_EQ(*r.updateTag.GetText(), "Update 7");
  EXPECT_EQ(*r.tag.GetText1(), "as passed in");
  ASSERT_EQ(r.bounds.GetCount(), 1);  // the checksum failed before anything changed
  EXPECT_EQ(r.bounds.PointAt(0).x, 7.0);

  CChartFileOnDisk file(FlippedBoundsBit());
  CTCF2Tag tag;
  uint32_t warnings = 0, error = 9;
  EXPECT_TRUE(TCF2FileReadTag(file.Path(), tag, warnings, error));
  EXPECT_EQ(error, 0u);
  CTCF2UpdateTag update;
  EXPECT_TRUE(TCF2FileReadUpdateTag(file.Path(), update, warnings, error));
  CTCF2Bounds bounds;
  EXPECT_FALSE(TCF2FileReadBoundsTag(file.Path(), bounds, warnings, error));
  EXPECT_EQ(error, 0x1001Bu);
}

TEST(ChartFile, TagReadsFromFileWithDamagedTables) {
  CChartFileOnDisk file(Patched64(kAtTableACount, 2));
  CTCF2Tag tag;
  uint32_t warnings = 0, error = 9;
  EXPECT_TRUE(TCF2FileReadTag(file.Path(), tag, warnings, error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(warnings, 0u);
  EXPECT_EQ(*tag.GetText1(), "Chart");
}

TEST(ChartFile, MissingFileAndAVersionThatDoesNotFit) {
  SChartRead r;
  CStr missing = ScratchPath("no such chart.tcf");
  EXPECT_FALSE(
      TCF2FileRead(missing, r.fileSize, r.version, r.index, r.Parts(), r.warnings, r.error));
  EXPECT_EQ(r.error, 0x10000u);
  // Read as 1.0.0.2, the high half of the tile data size is the height.
  EXPECT_EQ(r.Read(Patched32(kAtVersion, 0x01000002)), 0x7000Bu);
  EXPECT_EQ(r.index, 3u);
}

TEST(ChartFile, FirstUpdateEntryOfATileWins) {
  SChartRead r;
  ASSERT_EQ(r.Read(SmallestChartFile(WithUpdates({{0, 177, 1000, 5}, {0, 178, 900, 4}}))), 0u);
  const STCF2TileTableEntry& e = *r.tiles.GetEntry(0);
  EXPECT_EQ(e.Offset, 176u);
  EXPECT_EQ(e.UpdateOffset, 177u);
  EXPECT_EQ(e.UpdateColourSize, 1000u);
  EXPECT_EQ(e.UpdateAlphaSize, 5u);
  STCF2TileInfo info;
  ASSERT_TRUE(r.tiles.GetTileInfo(0, true, &info));
  EXPECT_EQ(info.Size, 1005u);
  ASSERT_TRUE(r.tiles.GetTileInfo(0, false, &info));
  EXPECT_EQ(info.Size, 1032u);
}

TEST(ChartFile, ThirtyThreeLevelsOfOnePixel) {
  SChartFileOptions o;
  o.levels = 33;
  SChartRead r;
  ASSERT_EQ(r.Read(SmallestChartFile(o)), 0u);
  EXPECT_EQ(r.mipmap.GetCount(), 33);
  EXPECT_EQ(r.tiles.GetCount(), 33);
  EXPECT_EQ(r.mipmap.GetMipmap(32)->FirstTile, 32u);
  EXPECT_EQ(r.mipmap.GetMipmap(32)->Width, 1u);
}

TEST(ChartTables, NumberingOf300By200) {
  CTCF2MipmapTable mipmap;
  uint32_t total = 0;
  mipmap.Build(-1, 300, 200, &total);
  ASSERT_EQ(mipmap.GetCount(), 10);
  EXPECT_EQ(total, 11u);
  EXPECT_EQ(mipmap.GetTileCount(0), 2u);
  const STCF2Mipmap& level1 = *mipmap.GetMipmap(1);
  EXPECT_EQ(level1.Width, 150u);
  EXPECT_EQ(level1.Height, 100u);
  EXPECT_EQ(level1.FirstTile, 2u);
  EXPECT_EQ(mipmap.GetMipmap(9)->Width, 1u);
  CTCF2TileTable tiles;
  ASSERT_TRUE(tiles.Build(static_cast<int32_t>(total), &mipmap));
  EXPECT_EQ(tiles.GetEntry(0)->Width, 256u);
  EXPECT_EQ(tiles.GetEntry(1)->Width, 44u);
  EXPECT_EQ(tiles.GetEntry(1)->Height, 200u);
  EXPECT_EQ(tiles.GetEntry(2)->Width, 150u);
  EXPECT_EQ(tiles.GetEntry(2)->Height, 100u);
  EXPECT_EQ(TCF2FileAutoLevelCount(256, 256), 9);
  EXPECT_EQ(TCF2FileAutoLevelCount(1, 1), 1);
}

TEST(ChartTables, BuildRefusesSizesAndCounts) {
  struct SCase {
    int32_t count, width, height;
  } cases[] = {{0, 10, 10},
               {-2, 10, 10},
               {34, 10, 10},
               {1, 0, 10},
               {1, 10, -1},
               {1, 65536 * 256, 1},
               {1, 0x7FFFFFFF, 0x7FFFFFFF},
               {1, 65535 * 256, 65535 * 256}};
  for (const SCase& c : cases) {
    CTCF2MipmapTable mipmap;
    uint32_t total = 99;
    mipmap.Build(5, 1000, 1000, &total);
    mipmap.Build(c.count, c.width, c.height, &total);
    EXPECT_EQ(mipmap.GetCount(), 0) << c.count << " " << c.width;
    EXPECT_EQ(total, 0u);
  }
  CTCF2MipmapTable mipmap;
  uint32_t total = 0;
  mipmap.Build(33, 1, 1, &total);
  EXPECT_EQ(total, 33u);
  CTCF2TileTable tiles;
  EXPECT_FALSE(tiles.Build(32, &mipmap));
  EXPECT_EQ(tiles.GetCount(), 0);
}

TEST(ChartTables, TileTableTooLargeForMemoryIsRefused) {
  // 65,535 x 1,639 tiles of 40 bytes are 4,296,474,600 bytes: 1,507,304 in
  // 32-bit arithmetic.
  CTCF2MipmapTable mipmap;
  uint32_t total = 0;
  mipmap.Build(1, 65535 * 256, 1639 * 256, &total);
  ASSERT_EQ(total, 107411865u);
  CTCF2TileTable tiles;
  EXPECT_FALSE(tiles.Build(static_cast<int32_t>(total), &mipmap));
  EXPECT_EQ(tiles.GetCount(), 0);
  EXPECT_EQ(tiles.GetMemorySize(false), 0);
}

// Levels a host changed with SetMipmap no longer fit together: the tile table
// refuses them before sizing anything, and keeps what it held.
TEST(ChartTables, TileTableRefusesLevelsThatDoNotFitTogether) {
  struct SCase {
    int32_t level;
    STCF2Mipmap record;
  } cases[] = {
      {1, {256, 256, 1, 1, 0}},                            // level 1 over level 0's tiles
      {1, {256, 256, 1, 1, 5}},                            // a gap after level 0
      {0, {512, 512, 3, 2, 0}},                            // more tiles across than the width needs
      {0, {512, 512, 1, 2, 0}},                            // fewer
      {0, {0, 512, 0, 2, 0}},                              // no width
      {1, {65535 * 256, 256, 65535, 2, 4}},                // more tiles down than the height needs
      {1, {65535u * 256, 65535u * 256, 65535, 65535, 4}},  // more tiles than a table holds
  };
  for (const SCase& c : cases) {
    CTCF2MipmapTable mipmap;
    uint32_t total = 0;
    mipmap.Build(2, 512, 512, &total);
    CTCF2TileTable tiles;
    ASSERT_TRUE(tiles.Build(static_cast<int32_t>(total), &mipmap));
    mipmap.SetMipmap(c.level, &c.record);
    EXPECT_FALSE(tiles.Build(static_cast<int32_t>(mipmap.GetTotalTiles()), &mipmap))
        << c.record.FirstTile;
    EXPECT_EQ(tiles.GetCount(), 5) << c.record.Width;
  }
}

TEST(ChartTables, IndexesOutsideDoNothing) {
  CTCF2MipmapTable mipmap;
  uint32_t total = 0;
  mipmap.Build(-1, 300, 200, &total);
  const STCF2Mipmap record{1, 2, 3, 4, 5};
  mipmap.SetMipmap(10, &record);
  mipmap.SetMipmap(-1, &record);
  EXPECT_EQ(mipmap.GetMipmap(10), nullptr);
  EXPECT_EQ(mipmap.GetMipmap(-1), nullptr);
  EXPECT_EQ(mipmap.GetTileCount(10), 0u);
  CTCF2TileTable tiles;
  tiles.Build(static_cast<int32_t>(total), &mipmap);
  STCF2TileInfo info{};
  EXPECT_EQ(tiles.GetEntry(11), nullptr);
  EXPECT_FALSE(tiles.GetTileInfo(-1, false, &info));
  EXPECT_FALSE(tiles.SetTile(11, 1, 0, 1, 1));
  EXPECT_FALSE(tiles.SetUpdateTile(-1, 1, 0, 1, 1));
  CTCF2TileTableC compact;
  compact.Assign(&tiles);
  EXPECT_FALSE(compact.GetTileInfo(11, &info));
}

TEST(ChartTables, CompactTableKeepsTheUpdateCopy) {
  CTCF2MipmapTable mipmap;
  uint32_t total = 0;
  mipmap.Build(-1, 300, 200, &total);
  CTCF2TileTable tiles;
  tiles.Build(static_cast<int32_t>(total), &mipmap);
  tiles.SetTile(0, 100, 0, 10, 20);
  tiles.SetUpdateTile(0, 0x89ABCDEF, 0x42, 30, 40);
  CTCF2TileTableC compact;
  compact.Assign(&tiles);
  EXPECT_EQ(compact.GetCount(), 11);
  EXPECT_EQ(compact.GetMemorySize(true), compact.GetMemorySize(false) + 20);
  STCF2TileInfo info;
  ASSERT_TRUE(compact.GetTileInfo(0, &info));
  EXPECT_EQ(info.Offset, 0x4289ABCDEFull);
  EXPECT_EQ(info.Size, 70u);
  EXPECT_EQ(info.Width, 256u);
  EXPECT_EQ(info.Height, 200u);
  ASSERT_TRUE(compact.GetTileInfo(1, &info));
  EXPECT_EQ(info.Width, 44u);
  CTCF2TileTable copy(tiles);
  EXPECT_EQ(copy.GetEntry(0)->UpdateColourSize, 30u);
  CTCF2TileTable shaped;
  shaped.Assign(&tiles);
  EXPECT_EQ(shaped.GetEntry(0)->Offset, 0u);
  EXPECT_EQ(shaped.GetEntry(1)->Width, 44u);
}

}  // namespace
