// Reading chart files of versions 1.0.0.0, 1.0.0.1 and 1.0.0.2, written byte
// by byte from their layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "lib/charts/TCF2FileLegacy.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/charts/ChartFileTestSupport.h"
#include "tests/charts/LegacyChartFileBuilder.h"
#include "tests/charts/LegacyTagAreas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;

double Date(int y, int m, int d) {
  double v = 0;
  TryEncodeDate(y, m, d, v);
  return v;
}

void ExpectIdentity(CTCF2Tag& t) {
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(t.GetGUID())[15], 16);
  EXPECT_EQ(t.GetIdNumber(), 0x12345u);
  EXPECT_EQ(t.GetIdCode(), 7);
  EXPECT_EQ(*t.GetIdText4(), "Id4");
  EXPECT_EQ(*t.GetIdText2(), "Id2");
  EXPECT_EQ(*t.GetText1(), "Chart");
  EXPECT_EQ(*t.GetIdText1(), "Id1");
  EXPECT_EQ(*t.GetText12(), "T12");
  EXPECT_EQ(*t.GetText13(), "T13");
  EXPECT_EQ(*t.GetText8(), "T8");
  EXPECT_EQ(*t.GetText7(), "T7");
  EXPECT_EQ(t.GetValueU16(), 0xBEEF);
  EXPECT_EQ(*t.GetText4(), "T4");
  EXPECT_EQ(t.GetDate(), Date(2006, 2, 28));
  EXPECT_TRUE(t.HasOptValues());
  EXPECT_EQ(t.GetOptValue1(), 1.5);
  EXPECT_EQ(t.GetOptValue2(), -2.25);
  EXPECT_EQ(t.GetOptValue3(), Date(2007, 3, 4));
}

void ExpectRectangleBounds(CTCF2Bounds& b) {
  ASSERT_EQ(b.GetCount(), 4);
  SPointD p;
  b.GetPoint(2, &p);
  EXPECT_EQ(p.x, 299.5);
  EXPECT_EQ(p.y, 199.5);
}

TEST(ChartLegacyFile, Version1001ReadsEveryField) {
  const std::vector<uint8_t> bytes = LegacyChartFileV2(0x01000001, 300, 200, AreaV2());
  SChartRead r;
  ASSERT_EQ(r.Read(bytes), 0u);
  EXPECT_EQ(r.index, 2u);
  EXPECT_EQ(r.warnings, 0u);
  const uint64_t tagAt = 32 + 16 * 6 + 4 + 6 * 1032;
  EXPECT_EQ(r.header.TagSection.Position, tagAt);
  EXPECT_EQ(r.header.TagSection.Size, bytes.size() - tagAt);
  EXPECT_EQ(r.header.TableAPosition, ~uint64_t{0});
  EXPECT_EQ(r.header.BoundsSection.Position, ~uint64_t{0});
  EXPECT_EQ(r.header.TableACount, 2u);
  EXPECT_EQ(r.header.TableBCount, 4u);
  EXPECT_EQ(r.header.UpdateTableCount, 0u);
  EXPECT_EQ(r.header.Width, 300);
  EXPECT_EQ(r.header.LevelCount, 5u);
  ASSERT_EQ(r.mipmap.GetCount(), 5);
  EXPECT_EQ(r.mipmap.GetMipmap(4)->Width, 19u);
  EXPECT_EQ(r.mipmap.GetMipmap(4)->Height, 13u);
  ASSERT_EQ(r.tiles.GetCount(), 6);
  const STCF2TileTableEntry& e = *r.tiles.GetEntry(5);
  EXPECT_EQ(e.Offset, 32u + 16 * 6 + 4 + 5 * 1032);
  EXPECT_EQ(e.ColourSize, 1032u);
  EXPECT_EQ(e.AlphaSize, 0u);
  EXPECT_EQ(e.UpdateOffset, e.Offset);
  EXPECT_EQ(e.UpdateColourSize, 1032u);
  EXPECT_EQ(e.Width, 19u);
  EXPECT_EQ(r.tiles.GetEntry(1)->Width, 44u);

  ExpectIdentity(r.tag);
  EXPECT_TRUE(r.tag.GetFlag());
  EXPECT_EQ(r.tag.GetKind(), 2);
  EXPECT_EQ(r.tag.GetCalPointCount(), 2);
  SPointD p;
  r.tag.GetCalPixPoint2(&p);
  EXPECT_EQ(p.x, 299);
  EXPECT_EQ(p.y, 199);
  r.tag.GetCalMapPoint2(&p);
  EXPECT_EQ(p.x, 156000);
  SGeodeticRef ref;
  r.tag.GetGeodeticRef(&ref);
  EXPECT_EQ(ref.Projection, static_cast<uint32_t>(kProjRD));
  ASSERT_EQ(r.tag.GetLinkCount(), 1);
  uint32_t type = 9;
  CStr file, description;
  r.tag.GetLink(0, &type, &file, &description);
  EXPECT_EQ(type, 0u);
  EXPECT_EQ(file, "next.tcf");
  EXPECT_EQ(description, "Next chart");
  EXPECT_EQ(*r.updateTag.GetText(), "Update 3");
  EXPECT_EQ(r.updateTag.GetDateTime3(), Date(2005, 1, 1));
  ExpectRectangleBounds(r.bounds);
}

TEST(ChartLegacyFile, UpdateRecordsSetTheUpdateCopy) {
  const uint64_t at = 32 + 16 * 6 + 4 + 20;
  SChartRead r;
  ASSERT_EQ(r.Read(LegacyChartFileV2(0x01000002, 300, 200, AreaV3(), {{1, at, 1032}})), 0u);
  EXPECT_EQ(r.header.UpdateTableCount, 1u);
  EXPECT_EQ(r.tiles.GetEntry(1)->UpdateOffset, at);
  EXPECT_EQ(r.tiles.GetEntry(1)->Offset, at + 1032);
  EXPECT_EQ(r.tiles.GetEntry(0)->UpdateOffset, at);
}

TEST(ChartLegacyFile, Version1002OnDatumWGE) {
  SChartRead r;
  ASSERT_EQ(r.Read(LegacyChartFileV2(0x01000002, 300, 200, AreaV3())), 0u);
  EXPECT_EQ(r.index, 3u);
  EXPECT_EQ(r.warnings, 0u);
  ExpectIdentity(r.tag);
  EXPECT_EQ(*r.tag.GetIdText3(), "Id3");
  EXPECT_FALSE(r.tag.GetFlag());
  EXPECT_EQ(r.tag.GetKind(), 0);
  SGeodeticRef ref;
  r.tag.GetGeodeticRef(&ref);
  EXPECT_EQ(ref.Projection, static_cast<uint32_t>(kProjMercator));
  EXPECT_EQ(ref.Datum, GeodeticDatumFindByCode("WGE"));
  EXPECT_EQ(ref.Long0, 0);
  SPointD p;
  r.tag.GetCalMapPoint1(&p);
  EXPECT_EQ(p.x, 445277.963);
  uint32_t type = 9;
  CStr file, description;
  r.tag.GetLink(0, &type, &file, &description);
  EXPECT_EQ(type, 1u);
  EXPECT_EQ(description, "A chart");
  ExpectRectangleBounds(r.bounds);
}

TEST(ChartLegacyFile, Version1000MercatorInExtendedFloats) {
  const std::vector<uint8_t> bytes = ChartV1();
  SChartRead r;
  ASSERT_EQ(r.Read(bytes), 0u);
  EXPECT_EQ(r.index, 1u);
  EXPECT_EQ(r.header.UpdateTableCount, 0u);
  EXPECT_EQ(r.header.Height, 200);
  // Stored last tile first: tile 5 at the data start, 15 bytes; tile 0 last.
  EXPECT_EQ(r.tiles.GetEntry(5)->Offset, kV1Data);
  EXPECT_EQ(r.tiles.GetEntry(5)->ColourSize, 15u);
  EXPECT_EQ(r.tiles.GetEntry(0)->ColourSize, 10u);
  EXPECT_EQ(r.tiles.GetEntry(0)->Offset + 10, r.header.TagSection.Position);
  EXPECT_EQ(r.tiles.GetEntry(2)->Width, 150u);
  EXPECT_EQ(*r.tag.GetText1(), "Chart");
  EXPECT_EQ(*r.tag.GetIdText1(), "Id1");
  EXPECT_EQ(*r.tag.GetText7(), "T7");
  EXPECT_TRUE(r.tag.GetFlag());
  SGeodeticRef ref;
  r.tag.GetGeodeticRef(&ref);
  EXPECT_EQ(ref.Projection, static_cast<uint32_t>(kProjMercator));
  EXPECT_EQ(ref.Datum, GeodeticDatumFindByCode("WGE"));
  SPointD p;
  r.tag.GetCalMapPoint1(&p);
  EXPECT_NEAR(p.x, 445277.963, 0.001);
  EXPECT_NEAR(p.y, 6766432.491, 0.001);
  r.tag.GetCalPixPoint2(&p);
  EXPECT_EQ(p.x, 299);
  ExpectRectangleBounds(r.bounds);
}

TEST(ChartLegacyFile, OneObjectReadsTakeOlderVersions) {
  CChartFileOnDisk file(LegacyChartFileV2(0x01000001, 300, 200, AreaV2()));
  CTCF2Tag tag;
  CTCF2Bounds bounds;
  CTCF2UpdateTag updateTag;
  uint32_t warnings = 0, error = 9;
  EXPECT_TRUE(TCF2FileReadTag(file.Path(), tag, warnings, error));
  EXPECT_EQ(*tag.GetText1(), "Chart");
  EXPECT_TRUE(TCF2FileReadBoundsTag(file.Path(), bounds, warnings, error));
  EXPECT_EQ(bounds.GetCount(), 4);
  EXPECT_TRUE(TCF2FileReadUpdateTag(file.Path(), updateTag, warnings, error));
  EXPECT_EQ(*updateTag.GetText(), "Update 3");
  EXPECT_EQ(error, 0u);
}

TEST(ChartLegacyFile, SoftFaultsAreWarnings) {
  SAreaFields f;
  f.date = "20061301";  // month 13
  f.optA = 7.0f;
  SChartRead r;
  ASSERT_EQ(r.Read(LegacyChartFileV2(0x01000001, 300, 200, AreaV2(f))), 0u);
  EXPECT_EQ(r.warnings, 0x0400u);
  EXPECT_EQ(r.tag.GetDate(), 0);
  EXPECT_FALSE(r.tag.HasOptValues());
  EXPECT_EQ(r.tag.GetOptValue1(), 0);
}

using Damage = std::function<void(std::vector<uint8_t>&)>;
struct SDamageCase {
  const char* what;
  bool v1;
  Damage damage;
  uint32_t error;
};

std::vector<uint8_t> V2Base() { return LegacyChartFileV2(0x01000001, 300, 200, AreaV2()); }
std::vector<uint8_t> V3WithDatum(std::vector<uint8_t> record, std::string code = "WGE") {
  SAreaFields f;
  f.datumRecord = std::move(record);
  f.datumCode = std::move(code);
  return LegacyChartFileV2(0x01000002, 300, 200, AreaV3(f));
}

TEST(ChartLegacyFile, DamagedFiles) {
  const size_t f2 = V2Base().size();
  const SDamageCase cases[] = {
      {"width 0", false, [](auto& b) { Put32(b, kLegacyAtWidth, 0); }, 0x7000A},
      {"height -1", false, [](auto& b) { Put32(b, kLegacyAtHeight, ~0u); }, 0x7000B},
      {"tile count 5", false, [](auto& b) { Put32(b, kLegacyAtCount, 5); }, 0x10015},
      {"tag area in the check bytes", false,
       [f2](auto& b) { Put64(b, kLegacyAtTagPosition, f2 - 1); }, 0x10015},
      {"tag area in the header", false, [](auto& b) { Put64(b, kLegacyAtTagPosition, 8); },
       0x10015},
      {"tile length 0", false, [](auto& b) { Put64(b, kLegacyAtTiles + 8, 0); }, 0x10015},
      {"tile past the end", false, [f2](auto& b) { Put64(b, kLegacyAtTiles, f2 - 1000); }, 0x10015},
      {"tile length wrapping in 32 bits", false,
       [](auto& b) { Put64(b, kLegacyAtTiles + 8, (uint64_t{1} << 32) + 1032); }, 0x10015},
      {"tile position in the tables", false, [](auto& b) { Put64(b, kLegacyAtTiles, 40); },
       0x10015},
      {"update count above the level-0 tiles", false,
       [](auto& b) { Put32(b, kLegacyAtTiles + 16 * 6, 3); }, 0x10015},
      {"update count huge", false, [](auto& b) { Put32(b, kLegacyAtTiles + 16 * 6, 0xFFFFFFFF); },
       0x10015},
      {"1.0.0.0 tile count not the levels' sum", true, [](auto& b) { Put32(b, 80, 7); }, 0x10015},
      {"1.0.0.0 tag area before the tiles", true, [](auto& b) { Put64(b, 12, 100); }, 0x10015},
      {"1.0.0.0 tag area past the end", true, [](auto& b) { Put64(b, 12, b.size() + 1); }, 0x10015},
      {"1.0.0.0 two tiles at one position", true, [](auto& b) { Put64(b, 84, kV1Data + 15); },
       0x10015},
      {"1.0.0.0 level of 300 pixels in one tile", true, [](auto& b) { Put32(b, 24 + 4, 0x10001); },
       0x10015},
      {"1.0.0.0 level of width 0", true, [](auto& b) { Put32(b, 20 + 24, 0); }, 0x10015},
      {"1.0.0.0 tile in the position table", true, [](auto& b) { Put64(b, 84 + 40, 90); }, 0x10015},
  };
  for (const SDamageCase& c : cases) {
    std::vector<uint8_t> bytes = c.v1 ? ChartV1() : V2Base();
    c.damage(bytes);
    SChartRead r;
    EXPECT_EQ(r.Read(bytes), c.error) << c.what;
  }
}

// Datum type 2 with nine zero doubles.
std::vector<uint8_t> ZeroDefinition() {
  std::vector<uint8_t> record(1 + 9 * 8, 0);
  record[0] = 2;
  return record;
}

TEST(ChartLegacyFile, TagAreaErrors) {
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    uint32_t error;
  } cases[] = {
      {"unknown datum code", V3WithDatum({0}, "XYZ"), 0x70032},
      {"datum type 3", V3WithDatum({3}), 0x70033},
      {"datum of a zero scale", V3WithDatum(ZeroDefinition()), 0x70032},
      {"1.0.0.0 unknown old datum name", ChartV1("Nowhere 1900"), 0x70032},
  };
  for (const auto& c : cases) {
    SChartRead r;
    EXPECT_EQ(r.Read(c.bytes), c.error) << c.what;
  }
}

// Type 1: the shift applies at the image centre under the tag's calibration.
TEST(ChartLegacyFile, ShiftDatumAtTheCalibratedCentre) {
  CByteWriter record;
  record.U8(1).F64(1e-5).F64(2e-5);
  SChartRead r;
  ASSERT_EQ(r.Read(V3WithDatum(record.bytes)), 0u);
  SGeodeticRef ref;
  r.tag.GetGeodeticRef(&ref);
  ASSERT_NE(ref.Datum, nullptr);
  EXPECT_EQ(ref.Datum->Kind, 1u);
  EXPECT_EQ(ref.Datum->Shift[0], 1e-5);
  EXPECT_EQ(ref.Datum->Shift[1], 2e-5);
  EXPECT_NEAR(ref.Datum->RefPoint[1], 4.5 * kDeg, 0.01 * kDeg);
  EXPECT_GT(ref.Datum->RefPoint[0], 51 * kDeg);
  EXPECT_LT(ref.Datum->RefPoint[0], 52 * kDeg);
}

// Writes the tag area of a read chart after its first tagAt bytes (with a
// zero tag position) and returns the whole stream.
std::vector<uint8_t> RewriteTagArea(const std::vector<uint8_t>& file, SChartRead& r,
                                    uint32_t& error) {
  const auto tagAt = static_cast<size_t>(r.header.TagSection.Position);
  std::vector<uint8_t> head(file.begin(), file.begin() + static_cast<ptrdiff_t>(tagAt));
  Put64(head, kLegacyAtTagPosition, 0);
  CMemoryStream out;
  out.WriteBuf(head.data(), static_cast<int32_t>(head.size()), error);
  TCF2FileWriteTagV3(out, r.tag, r.bounds, r.updateTag, error);
  const auto* data = static_cast<const uint8_t*>(out.GetData());
  return {data, data + out.GetSize()};
}

TEST(ChartLegacyFile, TagAreaV3WrittenAsTheLayoutSays) {
  const std::vector<uint8_t> file = LegacyChartFileV2(0x01000002, 300, 200, AreaV3());
  SChartRead r;
  ASSERT_EQ(r.Read(file), 0u);
  uint32_t error = 0;
  EXPECT_EQ(RewriteTagArea(file, r, error), file);
  EXPECT_EQ(error, 0u);
}

TEST(ChartLegacyFile, AbsentOptionalValuesWrittenAs1e37) {
  SAreaFields f;
  f.optA2 = 1e37;
  const std::vector<uint8_t> file = LegacyChartFileV2(0x01000002, 300, 200, AreaV3(f));
  SChartRead r;
  ASSERT_EQ(r.Read(file), 0u);
  EXPECT_FALSE(r.tag.HasOptValues());
  r.tag.SetOptValues(false, 0, -2.25, r.tag.GetOptValue3());
  uint32_t error = 0;
  const std::vector<uint8_t> written = RewriteTagArea(file, r, error);
  SChartRead back;
  ASSERT_EQ(back.Read(written), 0u);
  EXPECT_FALSE(back.tag.HasOptValues());
}

TEST(ChartLegacyFile, TagAreaV3RefusesWhatItCannotWrite) {
  const std::vector<uint8_t> file = LegacyChartFileV2(0x01000002, 300, 200, AreaV3());
  const struct {
    const char* what;
    std::function<void(CTCF2Tag&)> change;
    uint32_t error;
  } cases[] = {
      {"four calibration points",
       [](CTCF2Tag& t) {
         SPointD p{1, 2};
         t.SetCalibration(4, &p, &p, &p, &p, &p, &p);
       },
       0x70020},
      {"kind 3", [](CTCF2Tag& t) { t.SetKind(3); }, 0x70034},
      {"geographic reference",
       [](CTCF2Tag& t) {
         SGeodeticRef ref;
         GeodeticRefInitGeo(ref, *GeodeticWGS84Datum());
         t.SetGeodeticRef(&ref);
       },
       0x70028},
  };
  for (const auto& c : cases) {
    SChartRead r;
    ASSERT_EQ(r.Read(file), 0u);
    c.change(r.tag);
    uint32_t error = 0;
    CMemoryStream out;
    EXPECT_FALSE(TCF2FileWriteTagV3(out, r.tag, r.bounds, r.updateTag, error)) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(out.GetSize(), 0) << c.what;
  }
}

TEST(ChartLegacyFile, TagAreaStartByteComesFromTheCheckValue) {
  uint8_t bytes[3] = {1, 2, 3};
  TCF2ScrambleTagArea(bytes, 3, 0x1234);  // s = 0x34 ^ 0x12 = 0x26
  EXPECT_EQ(bytes[0], 1 ^ 0x26);
  EXPECT_EQ(bytes[2], 3 ^ 0x28);
}

}  // namespace
