// Converting older chart files into version 2.0.0.0: files written byte by
// byte from their layouts, the truths computed here from the pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "lib/charts/TCF2FileConvert.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileFaults.h"
#include "tests/charts/ChartFileBuilder.h"
#include "tests/charts/ChartImageTruths.h"
#include "tests/charts/LegacyChart.h"
#include "tests/charts/UpdateTestFiles.h"

namespace {

uint32_t Convert(const CStr& source, const CStr& target, uint32_t index,
                 const SProgress* progress = nullptr) {
  uint32_t error = 0xDEAD;
  TCF2FileConvert(source, target, index, progress, error);
  return error;
}

TEST(ChartConvert, TheSameVersionIsCopiedByteForByte) {
  const SLegacyChart legacy;
  const std::vector<uint8_t> cases[] = {SmallestChartFile(), legacy.Bytes()};
  const uint32_t indexes[] = {4, 2};
  for (size_t i = 0; i < 2; ++i) {
    CScratchDir dir;
    WriteFile(dir.Path("a.tcf"), std::string(cases[i].begin(), cases[i].end()));
    EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), indexes[i]), 0u);
    EXPECT_EQ(FileBytes(dir.Path("b.tcf")), cases[i]);
    EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("a.tcf"), indexes[i]), 0u);
    EXPECT_EQ(FileBytes(dir.Path("a.tcf")), cases[i]);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.tcf", "b.tcf"}));
  }
}

TEST(ChartConvert, OtherTargetIndexesAreRefusedWithNoNewFile) {
  const SLegacyChart legacy;
  const std::vector<uint8_t> v2000 = SmallestChartFile(), v1001 = legacy.Bytes();
  struct SCase {
    const std::vector<uint8_t>& source;
    uint32_t index;
  } cases[] = {{v2000, 0},          {v2000, 1}, {v2000, 2}, {v2000, 3}, {v2000, 5},
               {v2000, 0xFFFFFFFF}, {v1001, 1}, {v1001, 3}, {v1001, 5}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.index);
    CScratchDir dir;
    WriteFile(dir.Path("a.tcf"), std::string(c.source.begin(), c.source.end()));
    EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), c.index), uint32_t{kErrTcf2Version});
    WriteFile(dir.Path("b.tcf"), "an older target");
    EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), c.index), uint32_t{kErrTcf2Version});
    EXPECT_EQ(ReadFile(dir.Path("b.tcf")), "an older target");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.tcf", "b.tcf"}));
  }
  // An index outside 1..4 is refused before the source is looked at.
  EXPECT_EQ(Convert("no such file.tcf", "b.tcf", 9), uint32_t{kErrTcf2Version});
}

void ExpectConvertedLegacyChart(const SLegacyChart& legacy, const std::vector<uint8_t>& bytes) {
  CScratchDir dir;
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), 0u);
  SReadBack target(dir.Path("b.tcf"));
  ASSERT_EQ(target.error, 0u);
  EXPECT_EQ(target.version, 0x02000000u);
  EXPECT_EQ(target.header.LevelCount, 10u);  // 300 pixels halve 9 times to 1
  EXPECT_EQ(target.header.UpdateTableCount, 0u);
  EXPECT_EQ(target.header.TableBCount, 9u);  // levels 1 to 9, one tile each

  // Tiles 0-5: the old bytes, split into colour and alpha; the tile without
  // an alpha stream gets the opaque one: runs of 32767, 32767 and 2 pixels.
  const std::vector<uint8_t> file = FileBytes(dir.Path("b.tcf"));
  for (int32_t t = 0; t < 6; ++t) {
    SCOPED_TRACE(t);
    const STCF2TileTableEntry& e = target.tiles.At(t);
    const std::vector<uint8_t>& old = legacy.tiles[size_t(t)];
    EXPECT_EQ(e.UpdateOffset, e.Offset);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + long(e.Offset),
                                   file.begin() + long(e.Offset + old.size())),
              old);
    if (t < 5) {
      EXPECT_EQ(e.ColourSize + e.AlphaSize, old.size());
      EXPECT_GT(e.AlphaSize, 0u);
    } else {
      EXPECT_EQ(e.ColourSize, old.size());
      EXPECT_EQ(e.AlphaSize, 6u);
      EXPECT_EQ(std::vector<uint8_t>(file.begin() + long(e.Offset + old.size()),
                                     file.begin() + long(e.Offset + old.size() + 6)),
                (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80}));
    }
  }
  // Levels 5 to 9 are the halvings of level 4.
  SImage expected = legacy.level4;
  for (int32_t level = 5; level < 10; ++level) {
    expected = Halved(expected);
    EXPECT_EQ(target.Tile(dir.Path("b.tcf"), 1 + level), expected.pixels) << level;
  }
  // The descriptive objects read as they did from the old file.
  SReadBack source(dir.Path("a.tcf"));
  ASSERT_EQ(source.error, 0u);
  EXPECT_TRUE(target.tag.IsEqual(&source.tag));
  EXPECT_TRUE(target.bounds.IsEqual(&source.bounds));
}

TEST(ChartConvert, OlderVersionsKeepTheirTilesAndGainTheLevelsTheyLack) {
  const SLegacyChart legacy;
  {
    SCOPED_TRACE("1.0.0.1");
    ExpectConvertedLegacyChart(legacy, legacy.Bytes());
  }
  {
    SCOPED_TRACE("1.0.0.0");
    ExpectConvertedLegacyChart(legacy, ChartV1("WGS 1984", legacy.tiles));
  }
}

// The tag section of the converted 1.0.0.1 chart, field by field from the
// layout of the tag payload; texts that version lacks are empty.
std::vector<uint8_t> TagSectionOfAreaV2() {
  CByteWriter w;
  for (uint32_t i = 1; i <= 16; ++i) w.U8(i);
  w.U32(0x12345).U32(7);
  w.Text("Id4").Text("").Text("Id1").Text("Id2").Text("Chart").Text("");  // id texts 4 3 1 2, 1 2
  w.U16(0xBEEF).Text("T7").Date(2006, 2, 28);
  for (const char* t : {"", "", "", "", "", "", "T8", "T12", "T13"})
    w.Text(t);                                   // 3 5 6 9 11 10 8 12 13
  w.U8(1).F64(1.5).Date(2007, 3, 4).F64(-2.25);  // optional values 1, 3, 2
  w.Text("T4");
  w.U32(1).U8(0).Text("next.tcf").Text("Next chart");
  w.U8(2).F64(0).F64(0).F64(299).F64(199).F64(155000).F64(463000).F64(156000).F64(462000);
  w.U8(1);        // the RD grid
  w.U8(1).U8(3);  // flag, kind 2
  return SectionBytes(w.bytes);
}

TEST(ChartConvert, TagAndBoundsSectionsAreWrittenAsTheLayoutSays) {
  const SLegacyChart legacy;
  CScratchDir dir;
  const std::vector<uint8_t> bytes = legacy.Bytes();
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), 0u);
  SReadBack target(dir.Path("b.tcf"));
  ASSERT_EQ(target.error, 0u);
  const std::vector<uint8_t> file = FileBytes(dir.Path("b.tcf"));
  auto section = [&file](const STCF2FileSection& s) {
    return std::vector<uint8_t>(file.begin() + long(s.Position),
                                file.begin() + long(s.Position + s.Size));
  };
  EXPECT_EQ(section(target.header.TagSection), TagSectionOfAreaV2());
  CByteWriter outline;  // the 300 x 200 rectangle in pixel corners
  PutBounds(outline);
  EXPECT_EQ(section(target.header.BoundsSection), SectionBytes(outline.bytes));
  // The sections follow tables A and B in the writers' order.
  EXPECT_LT(target.header.TableBPosition, target.header.UpdateTagSection.Position);
  EXPECT_LT(target.header.UpdateTagSection.Position, target.header.BoundsSection.Position);
  EXPECT_LT(target.header.BoundsSection.Position, target.header.TagSection.Position);
  EXPECT_EQ(target.header.TagSection.Position + target.header.TagSection.Size, file.size());
}

TEST(ChartConvert, StoredLevelsUnlikeTheTargetsAreRefused) {
  const SLegacyChart legacy;
  CScratchDir dir;
  const std::vector<uint8_t> bytes = ChartV1("WGS 1984", legacy.tiles, 160);
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  SReadBack source(dir.Path("a.tcf"));
  ASSERT_EQ(source.error, 0u);
  EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), uint32_t{kErrFileFormat});
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.tcf"});
}

TEST(ChartConvert, AnUpdatedTileKeepsItsUpdateCopy) {
  // Tile 1's update copy is tile 0's bytes, after the 6 tile entries and the
  // one update record.
  constexpr uint64_t kFirstTile = 32 + 16 * 6 + 4 + 20;
  const std::vector<uint8_t> bytes = LegacyChartFileV2(kVersion1002, 300, 200, AreaV3(),
                                                       {{1, kFirstTile, kSmallestColourSize + 6}});
  CScratchDir dir;
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), 0u);
  SReadBack target(dir.Path("b.tcf"));
  ASSERT_EQ(target.error, 0u);
  EXPECT_EQ(target.header.UpdateTableCount, 1u);
  EXPECT_EQ(target.header.TableBCount, 9u);
  const STCF2TileTableEntry& updated = target.tiles.At(1);
  EXPECT_NE(updated.UpdateOffset, updated.Offset);
  EXPECT_EQ(updated.UpdateColourSize, kSmallestColourSize);
  EXPECT_EQ(updated.UpdateAlphaSize, kSmallestAlphaSize);
  EXPECT_EQ(target.tiles.At(0).UpdateOffset, target.tiles.At(0).Offset);
}

TEST(ChartConvert, InPlaceTheSourceBecomesTheNewFile) {
  const SLegacyChart legacy;
  CScratchDir dir;
  const std::vector<uint8_t> bytes = legacy.Bytes(kVersion1002);
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("a.tcf"), 4), 0u);
  SReadBack target(dir.Path("a.tcf"));
  EXPECT_EQ(target.error, 0u);
  EXPECT_EQ(target.version, 0x02000000u);
  EXPECT_EQ(target.mipmap.Count(), 10);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.tcf"});
}

TEST(ChartConvert, AOnePixelChartKeepsItsFiveLevels) {
  CScratchDir dir;
  const std::vector<uint8_t> bytes = LegacyChartFileV2(kVersion1001, 1, 1, AreaV2());
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), 0u);
  SReadBack target(dir.Path("b.tcf"));
  ASSERT_EQ(target.error, 0u);
  ASSERT_EQ(target.mipmap.Count(), 5);
  for (int32_t t = 0; t < 5; ++t) {
    EXPECT_EQ(target.tiles.At(t).ColourSize, kSmallestColourSize);
    EXPECT_EQ(target.tiles.At(t).AlphaSize, kSmallestAlphaSize);
    EXPECT_EQ(target.Tile(dir.Path("b.tcf"), t), std::vector<uint32_t>{kOpaque | kSmallestColour});
  }
}

// The 1.0.0.2 area with an outline of the first two vertices only.
std::vector<uint8_t> AreaV3WithTwoVertices() {
  std::vector<uint8_t> area = AreaV3();
  CByteWriter outline;
  PutBounds(outline);
  auto at = std::search(area.begin(), area.end(), outline.bytes.begin(), outline.bytes.end());
  EXPECT_NE(at, area.end());
  *at = 2;
  area.erase(at + 4 + 16, at + long(outline.bytes.size()));
  return area;
}

TEST(ChartConvert, AnOutlineOfTwoVerticesBecomesEmpty) {
  CScratchDir dir;
  const std::vector<uint8_t> bytes =
      LegacyChartFileV2(kVersion1002, 300, 200, AreaV3WithTwoVertices());
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  SReadBack source(dir.Path("a.tcf"));
  ASSERT_EQ(source.error, 0u);
  ASSERT_EQ(source.bounds.GetCount(), 2);
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), 0u);
  SReadBack target(dir.Path("b.tcf"));
  EXPECT_EQ(target.error, 0u);
  EXPECT_EQ(target.bounds.GetCount(), 0);
}

TEST(ChartConvert, ATileThatDoesNotDecodeIsRefused) {
  SLegacyChart legacy;
  legacy.tiles[3] = {0x00, 0x00, 0x01};  // no shared colours, then a block cut short
  CScratchDir dir;
  const std::vector<uint8_t> bytes = legacy.Bytes();
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4), uint32_t{kErrFileFormat});
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.tcf"});
}

TEST(ChartConvert, EachFailedFileOperationLeavesTheFolderAsItWas) {
  const SLegacyChart legacy;
  const std::vector<uint8_t> bytes = legacy.Bytes();
  for (bool oldTarget : {false, true}) {
    for (const char* target : {"b.tcf", "a.tcf"}) {
      CScratchDir dir;
      WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
      if (oldTarget) WriteFile(dir.Path("b.tcf"), "an older target");
      FailEachOperation(dir, [&] { return Convert(dir.Path("a.tcf"), dir.Path(target), 4) == 0; });
    }
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

TEST(ChartConvert, ACancelLeavesTheFolderAsItWas) {
  const SLegacyChart legacy;
  const std::vector<uint8_t> bytes = legacy.Bytes();
  CScratchDir dir;
  WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  WriteFile(dir.Path("b.tcf"), "an older target");
  SCancelAt counting{0};
  SProgress progress;
  td::ProgressStageInit1(&progress, 1.0f, 0, &SCancelAt::Callback, &counting, 0);
  ASSERT_EQ(Convert(dir.Path("a.tcf"), dir.Path("c.tcf"), 4, &progress), 0u);
  EXPECT_EQ(counting.calls, 1 + 6 + 5);  // the start, each tile copied, each tile made
  EXPECT_NEAR(counting.last, 1.0f, 1e-5f);
  for (int32_t n = 1; n <= counting.calls; ++n) {
    SCancelAt cancel{n};
    td::ProgressStageInit1(&progress, 1.0f, 0, &SCancelAt::Callback, &cancel, 0);
    EXPECT_EQ(Convert(dir.Path("a.tcf"), dir.Path("b.tcf"), 4, &progress), uint32_t{kErrCanceled});
    EXPECT_EQ(ReadFile(dir.Path("b.tcf")), "an older target");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.tcf", "b.tcf", "c.tcf"}));
  }
}

}  // namespace
