#include "lib/gps/TrackFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "tests/gps/TrackBytes.h"

namespace {

const std::string kName = "track";
constexpr double kDay = 46000.5;  // a day number at noon
constexpr double kTick = 1.0 / 17280000.0;

std::string Written(const std::function<void(CStream&)>& write) {
  CMemoryStream stream;
  write(stream);
  return std::string(reinterpret_cast<const char*>(stream.GetData()),
                     static_cast<size_t>(stream.GetSize()));
}

struct SRecordCase {
  const char* Name;
  int64_t Ticks;
  int32_t North, East, Distance;  // the new point; the previous is (0, 0, 1000)
  std::string Expected;
};

TEST(TrackFile, RecordsTakeTheEscapeFormsAtTheirThresholds) {
  const SNMEATrackPoint previous = {kDay, 0, 0, 1000};
  const double time = kDay + 65535 * kTick;
  const std::vector<SRecordCase> cases = {
      {"ticks 65,534", 65534, 5, -5, 1010, CTrackBytes().U16(65534).I16(5).I16(-5).U16(10).Get()},
      {"ticks 65,535", 65535, 5, -5, 1010,
       CTrackBytes().U16(0xFFFF).F64(time).I16(5).I16(-5).U16(10).Get()},
      {"north +32,766", 1, 32766, 0, 1000, CTrackBytes().U16(1).I16(32766).I16(0).U16(0).Get()},
      {"north -32,766", 1, -32766, 0, 1000, CTrackBytes().U16(1).I16(-32766).I16(0).U16(0).Get()},
      {"north +32,767", 1, 32767, 3, 1000,
       CTrackBytes().U16(1).I16(0x7FFF).I32(32767).I32(3).U16(0).Get()},
      {"east -32,767", 1, 3, -32767, 1000,
       CTrackBytes().U16(1).I16(0x7FFF).I32(3).I32(-32767).U16(0).Get()},
      {"distance +65,534", 1, 0, 0, 1000 + 65534,
       CTrackBytes().U16(1).I16(0).I16(0).U16(65534).Get()},
      {"distance +65,535", 1, 0, 0, 1000 + 65535,
       CTrackBytes().U16(1).I16(0).I16(0).U16(0xFFFF).I32(1000 + 65535).Get()},
      {"distance -1", 1, 0, 0, 999, CTrackBytes().U16(1).I16(0).I16(0).U16(0xFFFF).I32(999).Get()},
  };
  for (const SRecordCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const SNMEATrackPoint point = {time, c.North, c.East, c.Distance};
    uint32_t size = 0;
    const std::string bytes =
        Written([&](CStream& s) { size = WriteTrackRecord(s, previous, c.Ticks, point); });
    EXPECT_EQ(bytes, c.Expected);
    EXPECT_EQ(size, c.Expected.size());
  }
}

TEST(TrackFile, CompanionRecordIsAlwaysAbsolute) {
  const SNMEATrackPoint point = {kDay, 7, -8, 9};
  const std::string bytes =
      Written([&](CStream& s) { EXPECT_EQ(WriteTrackAbsoluteRecord(s, point), 26u); });
  EXPECT_EQ(
      bytes,
      CTrackBytes().U16(0xFFFF).F64(kDay).I16(0x7FFF).I32(7).I32(-8).U16(0xFFFF).I32(9).Get());
}

// Points as a recorder keeps them: times on whole ticks after the first.
std::vector<SNMEATrackPoint> SamplePoints() {
  return {{kDay, 58321333, 5450000, 0},
          {kDay + 2000 * kTick, 58321433, 5450010, 101},
          {kDay + 82000 * kTick, 58400000, 5450020, 80000},
          {kDay + 82400 * kTick, 58400010, 5449990, 80010}};
}

TEST(TrackFile, WholeTrackMatchesTheLayout) {
  const std::vector<SNMEATrackPoint> points = SamplePoints();
  uint32_t lastSize = 0;
  const std::string bytes = Written([&](CStream& s) {
    lastSize = WriteTrack(s, kName.c_str(), points.data(), points.size(), false);
  });
  // Times after the first are kept on whole ticks from the point before.
  const double third = kDay + 2000 * kTick + 80000 * kTick;
  const double fourth = third + 400 * kTick;
  const std::string expected = CTrackBytes()
                                   .Header(0x01010000, &kName)
                                   .F64(kDay)
                                   .I32(58321333)
                                   .I32(5450000)
                                   .U16(2000)
                                   .I16(100)
                                   .I16(10)
                                   .U16(101)
                                   .U16(0xFFFF)
                                   .F64(third)
                                   .I16(0x7FFF)
                                   .I32(58400000)
                                   .I32(5450020)
                                   .U16(0xFFFF)
                                   .I32(80000)
                                   .U16(400)
                                   .I16(10)
                                   .I16(-30)
                                   .U16(10)
                                   .I32(80010)
                                   .F64(fourth)
                                   .U32(4)
                                   .Get();
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(lastSize, 8u);
}

struct SLoaded {
  STrackInfo Info;
  std::vector<SNMEATrackPoint> Points;
  uint32_t LastSize = 0;
};

SLoaded Load(const std::string& bytes) {
  CConstPointerStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
  SLoaded loaded;
  GetTrackInfo(stream, loaded.Info);
  loaded.LastSize = ReadTrackPoints(stream, loaded.Info, loaded.Points);
  return loaded;
}

void ExpectSamePoints(const std::vector<SNMEATrackPoint>& a,
                      const std::vector<SNMEATrackPoint>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(a[i].Time, b[i].Time);
    EXPECT_EQ(a[i].North, b[i].North);
    EXPECT_EQ(a[i].East, b[i].East);
    EXPECT_EQ(a[i].Distance, b[i].Distance);
  }
}

TEST(TrackFile, CurrentVersionAndCompanionReadBack) {
  const std::vector<SNMEATrackPoint> points = SamplePoints();
  for (bool absolute : {false, true}) {
    SCOPED_TRACE(absolute);
    const SLoaded loaded = Load(Written(
        [&](CStream& s) { WriteTrack(s, kName.c_str(), points.data(), points.size(), absolute); }));
    EXPECT_EQ(loaded.Info.Version, 0x01010000u);
    EXPECT_EQ(loaded.Info.Name, CStr("track"));
    EXPECT_EQ(loaded.Info.Count, 4u);
    EXPECT_DOUBLE_EQ(loaded.Info.Length, 8001.0);
    EXPECT_DOUBLE_EQ(loaded.Info.FirstTime, kDay);
    EXPECT_DOUBLE_EQ(loaded.Info.LastTime, points[3].Time);
    EXPECT_EQ(loaded.LastSize, absolute ? 26u : 8u);
    ExpectSamePoints(loaded.Points, points);
  }
}

// Three points on one meridian, 0.0001 and 0.0002 rad apart: 6,367 and
// 12,735 rounded great-circle decimetres on the 6,367,400 m sphere.
TEST(TrackFile, OldVersionsReadBackWithComputedDistances) {
  const std::string name = "old";
  for (uint32_t version : {0x01000000u, 0x01000001u}) {
    SCOPED_TRACE(version);
    CTrackBytes bytes;
    bytes.Header(version, version == 0x01000001u ? &name : nullptr)
        .OldRecord(kDay, 0.5, 0.1)
        .OldRecord(kDay + 0.001, 0.5001, 0.1)
        .OldRecord(kDay + 0.002, 0.5003, 0.1)
        .Text("partial record");
    const SLoaded loaded = Load(bytes.Get());
    EXPECT_EQ(loaded.Info.Count, 3u);
    EXPECT_EQ(loaded.Info.Length, -1.0);
    EXPECT_EQ(loaded.Info.Name, CStr(version == 0x01000001u ? "old" : ""));
    EXPECT_DOUBLE_EQ(loaded.Info.LastTime,
                     kDay + 0.002);  // the last whole record's
    const std::vector<SNMEATrackPoint> expected = {{kDay, 31890685, 6378137, 0},
                                                   {kDay + 0.001, 31897063, 6378137, 6367},
                                                   {kDay + 0.002, 31909819, 6378137, 19102}};
    ExpectSamePoints(loaded.Points, expected);
  }
}

TEST(TrackFile, RefusesAForeignMagicAndANewerVersion) {
  struct SCase {
    std::string Bytes;
    const char* Message;
  };
  const SCase cases[] = {
      {CTrackBytes().Text("TDNV4L_TrackFilf").U32(0x01010000).I32(0).F64(kDay).Get(),
       "GetTrackInfo: Not a valid track."},
      {"TDNV4L_Tra", "GetTrackInfo: Not a valid track."},
      {CTrackBytes().Header(0x01010001, &kName).F64(kDay).Get(), "GetTrackInfo: Invalid version"},
  };
  for (const SCase& c : cases) {
    try {
      Load(c.Bytes);
      ADD_FAILURE() << c.Message;
    } catch (const CNMEATrackError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

TEST(TrackFile, AFileWithNothingAfterItsNameFailsWithTheStreamError) {
  EXPECT_THROW(Load(CTrackBytes().Header(0x01010000, &kName).Get()), CStreamError);
}

// A stream that stops telling its size after the header and the name are
// read (one query): for an old version, whose point count comes from the
// size, the summary fails as a seek does.
class CSizeFailingStream : public CConstPointerStream {
 public:
  using CConstPointerStream::CConstPointerStream;
  int64_t TD_STDCALL GetSize() override {
    return ++m_Queries > 1 ? -1 : CConstPointerStream::GetSize();
  }

 private:
  int m_Queries = 0;
};

TEST(TrackFile, AStreamThatStopsTellingItsSizeFailsTheSummary) {
  const std::string bytes = CTrackBytes()
                                .Header(0x01000001, &kName)
                                .OldRecord(kDay, 0.5, 0.1)
                                .OldRecord(kDay + 0.001, 0.5001, 0.1)
                                .Get();
  CSizeFailingStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
  STrackInfo info;
  EXPECT_THROW(GetTrackInfo(stream, info), CStreamError) << info.Count;
}

TEST(TrackFile, AFileCutInsideARecordKeepsThePointsBeforeTheCut) {
  const std::vector<SNMEATrackPoint> points = SamplePoints();
  std::string bytes = Written(
      [&](CStream& s) { WriteTrack(s, kName.c_str(), points.data(), points.size(), false); });
  // Cut in the middle of the third point's 26-byte record, trailer gone.
  const size_t cut = 24 + kName.size() + 16 + 8 + 13;
  const SLoaded loaded = Load(bytes.substr(0, cut) + CTrackBytes().I32(0).F64(kDay).U32(4).Get());
  // The trailer bytes are taken for the rest of the record: it reads as
  // damaged or as one more point, never as more than the bytes allow.
  ASSERT_GE(loaded.Points.size(), 2u);
  ExpectSamePoints(std::vector<SNMEATrackPoint>(loaded.Points.begin(), loaded.Points.begin() + 2),
                   std::vector<SNMEATrackPoint>(points.begin(), points.begin() + 2));
  const SLoaded bare = Load(bytes.substr(0, cut));
  EXPECT_EQ(bare.Points.size(), 2u);
}

// A count from a damaged file reserves nothing, and sums that leave 32 bits
// or coordinates that are no numbers end the reading like a damaged record.
TEST(TrackFile, DamagedValuesEndTheReading) {
  const std::string huge = CTrackBytes()
                               .Header(0x01010000, &kName)
                               .F64(kDay)
                               .I32(INT32_MAX - 5)
                               .I32(0)
                               .U16(1)
                               .I16(3)
                               .I16(0)
                               .U16(1)
                               .U16(1)
                               .I16(3)
                               .I16(0)
                               .U16(1)
                               .I32(2)
                               .F64(kDay)
                               .U32(855866089)
                               .Get();
  EXPECT_EQ(Load(huge).Points.size(), 2u);
  const std::string name = "n";
  const std::string nan = CTrackBytes()
                              .Header(0x01000001, &name)
                              .OldRecord(kDay, 0.5, 0.1)
                              .OldRecord(kDay, std::nan(""), 0.1)
                              .OldRecord(kDay, 0.5, 0.1)
                              .Get();
  EXPECT_EQ(Load(nan).Points.size(), 1u);
}

}  // namespace
