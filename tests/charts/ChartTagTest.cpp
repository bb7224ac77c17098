// Sections and the chart tag: envelopes and payloads written from the layout.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <new>

#include "lib/charts/TCF2Section.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/AllocationSeam.h"
#include "tests/charts/ChartFileBuilder.h"
#include "tests/AllocationSeam.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<uint8_t> Bytes(CMemoryStream& s) { return {s.GetData(), s.GetData() + s.GetSize()}; }

std::vector<uint8_t> WrittenSection(const std::vector<uint8_t>& payload) {
  CMemoryStream plain, file;
  uint32_t error = 0;
  plain.WriteBuf(payload.data(), static_cast<int32_t>(payload.size()), error);
  EXPECT_TRUE(TCF2WriteSection(file, plain, error));
  return Bytes(file);
}

TEST(ChartSection, WrittenAsTheLayoutSays) {
  std::vector<uint8_t> payload(300);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7);
  const std::vector<uint8_t> written = WrittenSection(payload);
  EXPECT_EQ(written, SectionBytes(payload));
  // The key wraps after 256 bytes: zeros scramble to the key itself.
  const std::vector<uint8_t> zeros = WrittenSection(std::vector<uint8_t>(300, 0));
  EXPECT_EQ(zeros[0], 0x3B);
  EXPECT_EQ(zeros[0xC4], 0xFF);
  EXPECT_EQ(zeros[0xC5], 0x00);
  EXPECT_EQ(zeros[10], zeros[266]);
  EXPECT_EQ(WrittenSection({}), (std::vector<uint8_t>{0, 0, 0, 0}));
}

struct SSectionRead {
  CMemoryStream payload;
  uint32_t error = 0;
  bool ok = false;
};

void ReadSection(const std::vector<uint8_t>& file, uint64_t size, uint64_t position,
                 SSectionRead& r) {
  CConstPointerStream in(file.data(), static_cast<int64_t>(file.size()));
  r.ok = TCF2ReadSection(in, size, position, r.payload, r.error);
}

TEST(ChartSection, ReadChecksAndUnscrambles) {
  const std::vector<uint8_t> payload = {1, 2, 3, 4, 5};
  std::vector<uint8_t> file = {9, 9};
  const std::vector<uint8_t> section = SectionBytes(payload);
  file.insert(file.end(), section.begin(), section.end());
  SSectionRead good;
  ReadSection(file, 9, 2, good);
  ASSERT_TRUE(good.ok);
  EXPECT_EQ(Bytes(good.payload), payload);
  EXPECT_EQ(good.payload.GetPosition(), 0);

  SSectionRead empty;
  ReadSection({0, 0, 0, 0}, 4, 0, empty);
  EXPECT_TRUE(empty.ok);
  EXPECT_EQ(empty.payload.GetSize(), 0);

  struct SCase {
    uint64_t size, position;
    uint32_t error;
  } cases[] = {{9, 2, 0x1001B}, {3, 2, 0x10015},     {0, 2, 0x10015},    {10, 2, 0x10015},
               {9, 3, 0x10015}, {9, ~0ull, 0x10015}, {~0ull, 2, 0x10015}};
  file[4] ^= 1;
  for (const SCase& c : cases) {
    SSectionRead r;
    ReadSection(file, c.size, c.position, r);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, c.error) << c.size << " at " << c.position;
  }
}

struct STagRead {
  CTCF2Tag tag;
  uint32_t warnings = 0, error = 0;
  bool ok = false;
};

void ReadTag(const std::vector<uint8_t>& payload, STagRead& r) {
  CConstPointerStream in(payload.data(), static_cast<int64_t>(payload.size()));
  r.ok = TCF2TagReadPayload(in, r.tag, r.warnings, r.error);
}

std::vector<uint8_t> Reference(uint8_t code, std::vector<uint8_t> rest) {
  rest.insert(rest.begin(), code);
  return rest;
}

std::vector<uint8_t> DatumByCode(const char* code) {
  CByteWriter w;
  w.U8(0).Text(code);
  return w.bytes;
}

std::vector<uint8_t> DatumByShift(double lat, double lon, double dlat, double dlon) {
  CByteWriter w;
  w.U8(1).F64(lat).F64(lon).F64(dlat).F64(dlon);
  return w.bytes;
}

std::vector<uint8_t> DatumByDefinition(double dx, double scale, double a, double invF) {
  CByteWriter w;
  w.U8(2).F64(dx).F64(-20).F64(30).F64(0).F64(0).F64(0).F64(scale).F64(a).F64(invF);
  return w.bytes;
}

std::vector<uint8_t> TransverseMercator(const std::vector<uint8_t>& datum) {
  CByteWriter w;
  w.U8(2).F64(0.9996).F64(0.05).Raw(datum);
  return w.bytes;
}

struct STagCase {
  const char* name;
  void (*edit)(STagFields&);
  uint32_t warnings, error;
};

const STagCase kTagCases[] = {
    {"clean", [](STagFields&) {}, 0, 0},
    {"identity number 0x100000", [](STagFields& f) { f.idNumber = 0x100000; }, 0x0002, 0},
    {"identity number 0xFFFFF", [](STagFields& f) { f.idNumber = 0xFFFFF; }, 0, 0},
    {"identity code 48", [](STagFields& f) { f.idCode = 48; }, 0x0004, 0},
    {"identity code -1", [](STagFields& f) { f.idCode = -1; }, 0x0004, 0},
    {"Text1 empty", [](STagFields& f) { f.text1 = ""; }, 0x0008, 0},
    {"Text2 empty", [](STagFields& f) { f.text2 = ""; }, 0x0010, 0},
    {"IdText1 empty", [](STagFields& f) { f.idText1 = ""; }, 0x0020, 0},
    {"IdText2 empty", [](STagFields& f) { f.idText2 = ""; }, 0x0040, 0},
    {"IdText3 empty", [](STagFields& f) { f.idText3 = ""; }, 0x0080, 0},
    {"IdText4 empty", [](STagFields& f) { f.idText4 = ""; }, 0x0100, 0},
    {"2006-02-30", [](STagFields& f) { f.day = 30; }, 0x0400, 0},
    {"optional date month 13", [](STagFields& f) { f.optMonth = 13; }, 0x0800, 0},
    {"no optional values", [](STagFields& f) { f.optPresent = false; }, 0, 0},
    {"no links", [](STagFields& f) { f.linkCount = 0; }, 0, 0},
    {"link count -1", [](STagFields& f) { f.linkCount = -1; }, 0, 0},
    {"link type 2", [](STagFields& f) { f.linkType = 2; }, 0, 0x70035},
    {"three calibration points", [](STagFields& f) { f.calCount = 3; }, 0, 0},
    {"one calibration point", [](STagFields& f) { f.calCount = 1; }, 0, 0x70020},
    {"four calibration points", [](STagFields& f) { f.calCount = 4; }, 0, 0x70020},
    {"projection code 3", [](STagFields& f) { f.reference = {3}; }, 0, 0x70028},
    {"Mercator on WGS 84", [](STagFields& f) { f.reference = Reference(0, DatumByCode("WGE")); }, 0,
     0},
    {"unknown datum code", [](STagFields& f) { f.reference = Reference(0, DatumByCode("NOPE")); },
     0, 0x70032},
    {"datum type 3",
     [](STagFields& f) {
       f.reference = {0, 3};
     },
     0, 0x70033},
    {"datum by shift",
     [](STagFields& f) { f.reference = Reference(0, DatumByShift(0.9, 0.1, 1e-5, 2e-5)); }, 0, 0},
    {"shift NaN",
     [](STagFields& f) { f.reference = Reference(0, DatumByShift(kNaN, 0.1, 1e-5, 2e-5)); }, 0,
     0x70032},
    {"shift infinite",
     [](STagFields& f) { f.reference = Reference(0, DatumByShift(0.9, 0.1, kInf, 0)); }, 0,
     0x70032},
    {"datum by definition",
     [](STagFields& f) { f.reference = Reference(0, DatumByDefinition(5, 1, 6378000, 298)); }, 0,
     0},
    {"definition NaN",
     [](STagFields& f) { f.reference = Reference(0, DatumByDefinition(kNaN, 1, 6378000, 298)); }, 0,
     0x70032},
    {"definition a = 0",
     [](STagFields& f) { f.reference = Reference(0, DatumByDefinition(5, 1, 0, 298)); }, 0,
     0x70032},
    {"definition 1/f negative",
     [](STagFields& f) { f.reference = Reference(0, DatumByDefinition(5, 1, 6378000, -1)); }, 0,
     0x70032},
    {"definition scale 0",
     [](STagFields& f) { f.reference = Reference(0, DatumByDefinition(5, 0, 6378000, 298)); }, 0,
     0x70032},
    {"transverse Mercator",
     [](STagFields& f) { f.reference = TransverseMercator(DatumByCode("WGE")); }, 0, 0},
    {"transverse Mercator, NaN shift",
     [](STagFields& f) { f.reference = TransverseMercator(DatumByShift(0, kNaN, 0, 0)); }, 0,
     0x70032},
    {"source format byte 2", [](STagFields& f) { f.kindByte = 2; }, 0, 0x70034},
    {"source format byte 0", [](STagFields& f) { f.kindByte = 0; }, 0, 0},
};

TEST(ChartTag, PayloadWarningsAndErrors) {
  GeodeticTablesInitialize();
  for (const STagCase& c : kTagCases) {
    STagFields fields;
    c.edit(fields);
    STagRead r;
    ReadTag(TagPayload(fields), r);
    EXPECT_EQ(r.warnings, c.warnings) << c.name;
    EXPECT_EQ(r.error, c.error) << c.name;
    EXPECT_EQ(r.ok, c.error == 0) << c.name;
  }
}

TEST(ChartTag, ValuesBehindWarningsAreKept) {
  STagFields fields;
  fields.idNumber = 0x100000;
  fields.day = 30;
  fields.linkCount = 0;
  STagRead r;
  ReadTag(TagPayload(fields), r);
  EXPECT_EQ(r.tag.GetIdNumber(), 0x100000u);
  EXPECT_EQ(r.tag.GetDate(), 0.0);
  EXPECT_EQ(r.tag.GetLinkCount(), 0);
}

TEST(ChartTag, ShortPayloadThrows) {
  std::vector<uint8_t> payload = TagPayload();
  payload.pop_back();
  STagRead r;
  EXPECT_THROW(ReadTag(payload, r), CStreamError);
}

void SetTexts(CTCF2Tag& tag) {
  for (int i = 0; i < kTagTextCount; ++i) {
    const CStr text(("text " + std::to_string(i)).c_str());
    tag.SetText(static_cast<ETCF2TagText>(i), &text);
  }
}

bool RoundTrip(CTCF2Tag& written, CTCF2Tag& read, uint32_t& warnings) {
  CMemoryStream payload;
  uint32_t error = 0;
  if (!TCF2TagWritePayload(payload, written, error)) return false;
  payload.Seek(0, 0);
  return TCF2TagReadPayload(payload, read, warnings, error);
}

TEST(ChartTag, RoundTripsCompareEqual) {
  GeodeticTablesInitialize();
  SGeodeticRef mercator, transverse, shifted, defined;
  GeodeticRefInitMercator(mercator, 0, *GeodeticDatumFindByCode("WGE"));
  GeodeticRefInitTransverseMercator(transverse, 0.9996, 0, 0.05, *GeodeticDatumFindByCode("WGE"));
  GeodeticRefInitTransverseMercator(
      shifted, 0.9996, 0, 0.05,
      *GeodeticDatumCreateByShiftWorker(SGeo2D{0.9, 0.1}, SGeo2D{1e-5, 2e-5}));
  const SGeodeticEllipsoid* e = GeodeticEllipsoidCreateByDefWorker(6378100, 297.5);
  GeodeticRefInitMercator(
      defined, 0,
      *GeodeticDatumCreateByDefWorker(e, SDatumParams{1, 2, 3, 4e-6, 5e-6, 6e-6, 1.000001}));
  for (const SGeodeticRef* ref : {&mercator, &transverse, &shifted, &defined}) {
    CTCF2Tag tag, back;
    SetTexts(tag);
    const SPointD pix[3] = {{1, 2}, {300, 4}, {5, 600}}, map[3] = {{7, 8}, {9, 10}, {11, 12}};
    tag.SetCalibration(3, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
    tag.SetGeodeticRef(ref);
    tag.SetOptValues(true, 1.25, -3.5, EncodeDate(2010, 10, 10));
    tag.SetDate(EncodeDate(1999, 12, 31));
    const CStr a("a.tcf"), b("b");
    tag.AddLink(1, &a, &b);
    tag.SetKind(1);
    tag.SetIdCode(47);
    uint32_t warnings = 0;
    ASSERT_TRUE(RoundTrip(tag, back, warnings));
    EXPECT_EQ(warnings, 0u);
    EXPECT_TRUE(back.IsEqual(&tag));
    back.SetValueU16(1);
    EXPECT_FALSE(back.IsEqual(&tag));
  }
}

TEST(ChartTag, MercatorMeridianAndTwoPointsAreNotStored) {
  GeodeticTablesInitialize();
  CTCF2Tag tag, back;
  SetTexts(tag);
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.2, *GeodeticDatumFindByCode("WGE"));
  tag.SetGeodeticRef(&ref);
  const SPointD p{3, 4};
  tag.SetCalibration(3, &p, &p, &p, &p, &p, &p);
  tag.SetCalibration(2, &p, &p, &p, &p, &p, &p);
  uint32_t warnings = 0;
  ASSERT_TRUE(RoundTrip(tag, back, warnings));
  SGeodeticRef read;
  back.GetGeodeticRef(&read);
  EXPECT_EQ(read.Long0, 0.0);
  SPointD third{9, 9};
  back.GetCalPixPoint3(&third);
  EXPECT_EQ(third.x, 0.0);
  EXPECT_EQ(third.y, 0.0);
}

TEST(ChartTag, WriterRefusesWhatTheFileCannotHold) {
  GeodeticTablesInitialize();
  CTCF2Tag tag;
  CMemoryStream file;
  uint32_t error = 0;
  EXPECT_FALSE(TCF2FileWriteTagV4(file, tag, error));  // a cleared reference has no projection
  EXPECT_EQ(error, 0x70028u);
  SGeodeticRef ref;
  GeodeticRefInitRD(ref);
  tag.SetGeodeticRef(&ref);
  tag.SetKind(3);
  EXPECT_FALSE(TCF2FileWriteTagV4(file, tag, error));
  EXPECT_EQ(error, 0x70034u);
  GeodeticRefInitMercator(ref, 0, *GeodeticDatumFindByCode("WGE"));
  ref.Datum = nullptr;
  tag.SetGeodeticRef(&ref);
  tag.SetKind(0);
  EXPECT_FALSE(TCF2FileWriteTagV4(file, tag, error));
  EXPECT_EQ(error, 0x70033u);
  GeodeticRefInitRD(ref);
  tag.SetGeodeticRef(&ref);
  const SPointD p{1, 2};
  tag.SetCalibration(4, &p, &p, &p, &p, &p, &p);
  EXPECT_FALSE(TCF2FileWriteTagV4(file, tag, error));
  EXPECT_EQ(error, 0x70020u);
  EXPECT_EQ(file.GetSize(), 0);
}

TEST(ChartTag, ReadingTwiceKeepsOnlyTheSecondChart) {
  std::vector<uint8_t> file(12, 0);
  const std::vector<uint8_t> section = SectionBytes(TagPayload());
  file.insert(file.end(), section.begin(), section.end());
  STCF2FileHeader header{};
  header.TagSection = {12, section.size()};
  CTCF2Tag tag;
  for (int i = 0; i < 2; ++i) {
    CConstPointerStream in(file.data(), static_cast<int64_t>(file.size()));
    uint32_t warnings = 0, error = 0;
    ASSERT_TRUE(TCF2FileReadTagV4(in, header, tag, warnings, error));
  }
  EXPECT_EQ(tag.GetLinkCount(), 1);
}

// A host's byte flag is true when it is not 0; what comes back is 0 or 1.
TEST(ChartTag, ByteFlagsAreStoredAsBooleans) {
  CTCF2Tag a, b;
  a.SetFlag(2);
  b.SetFlag(1);
  EXPECT_EQ(static_cast<int>(a.GetFlag()), 1);
  a.SetOptValues(0x80, 1, 2, 3);
  b.SetOptValues(1, 1, 2, 3);
  EXPECT_EQ(static_cast<int>(a.HasOptValues()), 1);
  EXPECT_EQ(a.GetOptValue2(), 2.0);
  EXPECT_TRUE(a.IsEqual(&b));
  a.SetFlag(0);
  EXPECT_EQ(static_cast<int>(a.GetFlag()), 0);
  EXPECT_FALSE(a.IsEqual(&b));
}

// AddLink fails without a trace when memory runs out: the tag keeps the
// links it had.
TEST(ChartTag, AddLinkOutOfMemoryLeavesTheLinksAsTheyWere) {
  CTCF2Tag tag;
  const CStr file("a.tcf"), description("chart a"), other("b.tcf");
  tag.AddLink(1, &file, &description);
  td::test::ArmAllocationFailure(0);
  tag.AddLink(1, &other, &description);
  td::test::DisarmAllocationFailure();
  ASSERT_EQ(tag.GetLinkCount(), 1);
  uint32_t type = 0;
  CStr kept, text;
  EXPECT_TRUE(tag.GetLink(0, &type, &kept, &text));
  EXPECT_EQ(kept, "a.tcf");
}

// A link type the file cannot store is refused by the link list with an
// exception, which the slot keeps inside.
TEST(ChartTag, AddLinkOfAnUnstorableTypeAddsNothing) {
  CTCF2Tag tag;
  const CStr file("a.tcf"), description("chart a");
  tag.AddLink(2, &file, &description);
  EXPECT_EQ(tag.GetLinkCount(), 0);
}

TEST(ChartTag, ClearAndAccessors) {
  CTCF2Tag tag;
  EXPECT_EQ(tag.GetIdNumber(), 4096u);
  EXPECT_TRUE(tag.GetFlag());
  EXPECT_EQ(tag.GetMemorySize(true) - tag.GetMemorySize(false), 896);
  uint32_t type = 0;
  CStr a, b;
  EXPECT_FALSE(tag.GetLink(0, &type, &a, &b));
  const CStr text("x");
  tag.SetText13(&text);
  tag.SetOptValues(false, 1, 2, 3);
  EXPECT_EQ(tag.GetOptValue2(), 0.0);
  EXPECT_EQ(*tag.GetText13(), "x");
  tag.Clear();
  EXPECT_EQ(tag.GetText13()->GetLength(), 0);
}

// Reading links that runs out of memory reports it (the export gives code 1)
// and never returns with a link missing.
TEST(ChartTag, ReadingLinksOutOfMemoryDropsNone) {
  CTCF2Tag written;
  const CStr a("a.tcf"), b("b.tcf"), description("next chart");
  written.AddLink(kLinkFile, &a, &description);
  written.AddLink(kLinkOther, &b, &description);
  CMemoryStream stored;
  TCF2TagWriteLinks(stored, written);
  td::test::WalkAllocations([&](int32_t n) {
    stored.Seek(0, kSeekBegin);
    CTCF2Tag tag;
    uint32_t error = 0;
    bool read = false, thrown = false;
    td::test::ArmAllocationFailure(n);
    try {
      read = TCF2TagReadLinks(stored, tag, error);
    } catch (const std::bad_alloc&) {
      thrown = true;
    }
    if (td::test::DisarmAllocationFailure()) {
      EXPECT_TRUE(thrown) << n;
      EXPECT_FALSE(read) << n;
      return;
    }
    EXPECT_TRUE(read);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(tag.GetLinkCount(), 2);
  });
}

// Clearing a tag that runs out of memory leaves every field as it was.
TEST(ChartTag, ClearOutOfMemoryLeavesTheTagAsItWas) {
  const CStr text("kept"), file("a.tcf");
  td::test::WalkAllocations([&](int32_t n) {
    CTCF2Tag tag, before;
    for (CTCF2Tag* t : {&tag, &before}) {
      t->SetText1(&text);
      t->SetText13(&text);
      t->SetIdNumber(7);
      t->AddLink(kLinkFile, &file, &text);
    }
    td::test::ArmAllocationFailure(n);
    tag.Clear();
    if (td::test::DisarmAllocationFailure()) {
      EXPECT_TRUE(tag.IsEqual(&before)) << n;
      return;
    }
    EXPECT_EQ(tag.GetLinkCount(), 0);
    EXPECT_EQ(tag.GetText13()->GetLength(), 0);
  });
}

}  // namespace
