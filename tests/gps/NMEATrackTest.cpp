#include "lib/gps/NMEATrack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/gps/GpsClock.h"
#include "tests/gps/TrackBytes.h"
#include "tests/gps/TrackTestFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace track_test;

class NMEATrackTest : public CTrackFolderTest {};

TEST_F(NMEATrackTest, OneFixNamedTWritesBothFilesByteForByte) {
  CNMEATrack track(nullptr, true);
  track.CompanionFileName(Path("t.trk"));
  EXPECT_EQ(track.GetCompanionName(), Path("t_2.trk"));
  const double lat = 52.390945 * kDeg, lon = 4.9 * kDeg;
  track.AddPoint(kStart, lat, lon, 1.0f, 2.0f);
  ASSERT_EQ(track.GetCount(), 1);
  const int32_t east = static_cast<int32_t>(std::floor(lon * kScale + 0.5));
  // Header and trailer only: 40 + name length + 16 bytes.
  auto onePoint = [&](const std::string& name) {
    return CTrackBytes()
        .Header(0x01010000, &name)
        .F64(kStart)
        .I32(58321333)
        .I32(east)
        .I32(0)
        .F64(kStart)
        .U32(1)
        .Get();
  };
  EXPECT_EQ(onePoint("t").size(), 57u);
  EXPECT_EQ(ReadAll(Path("t.trk")), onePoint("t"));
  EXPECT_EQ(ReadAll(Path("t_2.trk")), onePoint("t_2"));
  STrackInfo info;
  GetTrackInfo(Path("t.trk"), info);
  EXPECT_EQ(info.Name, CStr("t"));
  EXPECT_EQ(info.Count, 1u);
  EXPECT_EQ(info.Length, 0.0);
  EXPECT_EQ(info.FirstTime, kStart);
  EXPECT_EQ(info.LastTime, kStart);
}

// Drops: 0.4 tick after the anchor, 0.05 s after the last point, a receiver
// speed 2.5 m/s off the measured one, a fix implying 500 m/s.
TEST_F(NMEATrackTest, ImplausibleFixesAreDroppedSilently) {
  CNMEATrack track(nullptr, false);
  Add(track, {0, 0, 0, 0, 5});
  Add(track, {0.002, 0, 1, 0, 5});
  Add(track, {10, 500, 0, 0, 5});  // 50 m north in 10 s: kept
  Add(track, {10.05, 502, 0, 0, 5});
  Add(track, {20, 1000, 0, 0, 7.5f});
  Add(track, {20, 1000, 0, 0, 7.5f});
  Add(track, {30, 50000, 0, 0, 5});  // 4.9 km in 10 s
  EXPECT_EQ(track.GetCount(), 2);
  EXPECT_EQ(track.GetPoints()[1].North, 500);
  // The next fix is measured against the last accepted one (10 s), not the
  // jump.
  Add(track, {40, 2000, 0, 0, 5});
  EXPECT_EQ(track.GetCount(), 2);
  EXPECT_EQ(track.GetPoints()[1].North, 2000);
}

TEST_F(NMEATrackTest, SteadyStraightMotionKeepsTwoPointsAndRewritesTheRecordInPlace) {
  CNMEATrack track(nullptr, true);
  track.CompanionFileName(Path("s.trk"));
  for (int i = 0; i <= 20; ++i) Add(track, {i * 2.0, i * 100, 0, 0, 5});
  ASSERT_EQ(track.GetCount(), 2);
  EXPECT_EQ(track.GetPoints()[1].North, 2000);
  // 2,000 units of arc on the great-circle sphere: 200 x 6,367,400 / 6,378,137
  // m.
  EXPECT_EQ(track.GetPoints()[1].Distance, 1997);
  const std::string s = "s";
  const std::string expected = CTrackBytes()
                                   .Header(0x01010000, &s)
                                   .F64(kStart)
                                   .I32(0)
                                   .I32(0)
                                   .U16(8000)
                                   .I16(2000)
                                   .I16(0)
                                   .U16(1997)
                                   .I32(1997)
                                   .F64(track.GetPoints()[1].Time)
                                   .U32(2)
                                   .Get();
  EXPECT_EQ(ReadAll(Path("s.trk")), expected);
  EXPECT_EQ(fs::file_size(m_Folder / "s_2.trk"), 24 + 3 + 16 + 26 + 16u);
}

TEST_F(NMEATrackTest, ATurnKeepsTheLastPointWhenFastEnough) {
  struct SCase {
    float Speed;
    int Count;
  };
  // 20 degrees at 3 m/s weighs 1.0; at 0.5 m/s 0.13, and dead reckoning
  // misses by less than 15 m.
  for (const SCase& c : {SCase{3.0f, 3}, SCase{0.5f, 2}}) {
    SCOPED_TRACE(c.Speed);
    CNMEATrack::SharedLastFix() = SNMEATrackLastFix();
    CNMEATrack track(nullptr, false);
    const int32_t step = static_cast<int32_t>(c.Speed * 10 * 10);  // 10 s, dm
    Add(track, {0, 0, 0, 0, c.Speed});
    Add(track, {10, step, 0, 0, c.Speed});
    Add(track, {20, 2 * step, 0, 0, c.Speed});
    const double turn = 20 * kDeg;
    Add(track, {30, 2 * step + static_cast<int32_t>(step * std::cos(turn)),
                static_cast<int32_t>(step * std::sin(turn)), static_cast<float>(turn), c.Speed});
    EXPECT_EQ(track.GetCount(), c.Count);
  }
}

TEST_F(NMEATrackTest, AKeptCornerMeasuresItsDistanceFromTheLastPoint) {
  CNMEATrack track(nullptr, false);
  Add(track, {0, 0, 0, 0, 12});
  Add(track, {1, 120, 0, 0, 12});
  Add(track, {2, 120, 30, 1.5707964f, 3});
  ASSERT_EQ(track.GetCount(), 3);
  EXPECT_EQ(track.GetPoints()[1].Distance, 120);
  EXPECT_EQ(track.GetPoints()[2].Distance, 150);
}

TEST_F(NMEATrackTest, AFileThatCouldNotBeWrittenIsWrittenWholeAtTheNextFix) {
  CNMEATrack track(nullptr, true);
  track.CompanionFileName(Path("f.trk"));
  Add(track, {0, 0, 0, 0, 5});
  Add(track, {10, 500, 0, 0, 5});
  fs::remove(m_Folder / "f.trk");
  fs::create_directory(m_Folder / "f.trk");
  EXPECT_THROW(Add(track, {20, 500, 500, 1.5707964f, 5}), CStreamError);
  EXPECT_EQ(track.GetCount(), 3);
  fs::remove(m_Folder / "f.trk");
  Add(track, {30, 500, 1000, 1.5707964f, 5});
  EXPECT_EQ(track.GetCount(), 3);
  for (const char* name : {"f.trk", "f_2.trk"}) {
    SCOPED_TRACE(name);
    CNMEATrack loaded(nullptr, false);
    loaded.LoadFile(Path(name));
    ASSERT_EQ(loaded.GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(loaded.GetPoints()[i].North, track.GetPoints()[i].North);
      EXPECT_EQ(loaded.GetPoints()[i].East, track.GetPoints()[i].East);
      EXPECT_EQ(loaded.GetPoints()[i].Distance, track.GetPoints()[i].Distance);
      EXPECT_NEAR(loaded.GetPoints()[i].Time, track.GetPoints()[i].Time, 1e-9);
    }
  }
}

// A file step failing anywhere in an append leaves each file's summary
// either as it was or as it is after the append, never a mix of the two:
// for a new record, and for a shorter record in place of the last one. Near
// the pole a few centimetres east are more than 32,767 units of longitude, so
// there a slow drift back towards the anchor brings the east step back under
// its escape (a 14-byte record becomes an 8-byte one).
TEST_F(NMEATrackTest, AnAppendFailingAtAnyStepLeavesAWholeSummary) {
  const int32_t nearPole = static_cast<int32_t>(std::floor(89.999 * kDeg * kScale + 0.5));
  struct SCase {
    const char* what;
    std::vector<SGridFix> before;
    SGridFix fix;
    int64_t growth;  // of the track file, from the layout
  } cases[] = {
      {"a turn appends a record",
       {{0, 0, 0, 0, 5}, {10, 500, 0, 0, 5}},
       {20, 500, 500, 1.5707964f, 5},
       8},
      {"a shorter record replaces the last",
       {{0, nearPole, 0, 0, 0}, {10, nearPole, 300000, 0, 0}},
       {20, nearPole, 17000, 0, 0},
       8 - 14},
  };
  auto summaries = [&](const std::string& name) {
    std::vector<STrackInfo> infos(2);
    GetTrackInfo(Path(name + ".trk"), infos[0]);
    GetTrackInfo(Path(name + "_2.trk"), infos[1]);
    return infos;
  };
  auto record = [&](const SCase& c, const std::string& name, int32_t fault,
                    std::vector<STrackInfo>* before, int64_t* sizeBefore) {
    CNMEATrack track(nullptr, true);
    track.CompanionFileName(Path(name + ".trk"));
    for (const SGridFix& fix : c.before) Add(track, fix);
    if (before) *before = summaries(name);
    if (sizeBefore) *sizeBefore = static_cast<int64_t>(fs::file_size(m_Folder / (name + ".trk")));
    td::FileFaultArm(fault);
    try {
      Add(track, c.fix);
    } catch (const CStreamError&) {
    }
    const int32_t steps = td::FileFaultCount();
    td::FileFaultArm(0);
    return steps;
  };
  int index = 0;
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string prefix = "case" + std::to_string(index++);
    std::vector<STrackInfo> before;
    int64_t sizeBefore = 0;
    const int32_t steps =
        record(c, prefix + "whole", INT32_MAX, &before, &sizeBefore);  // fails none
    const std::vector<STrackInfo> after = summaries(prefix + "whole");
    ASSERT_EQ(static_cast<int64_t>(fs::file_size(m_Folder / (prefix + "whole.trk"))) - sizeBefore,
              c.growth);
    ASSERT_NE(before[0].LastTime, after[0].LastTime);
    ASSERT_GE(steps, 2);
    for (int32_t fault = 1; fault <= steps; ++fault) {
      SCOPED_TRACE(fault);
      const std::string name = prefix + "cut" + std::to_string(fault);
      record(c, name, fault, nullptr, nullptr);
      const std::vector<STrackInfo> found = summaries(name);
      for (size_t file = 0; file < 2; ++file) {
        SCOPED_TRACE(file);
        const STrackInfo& old = before[file];
        const STrackInfo& now = after[file];
        const STrackInfo& seen = found[file];
        const bool asBefore =
            seen.Count == old.Count && seen.LastTime == old.LastTime && seen.Length == old.Length;
        const bool asAfter =
            seen.Count == now.Count && seen.LastTime == now.LastTime && seen.Length == now.Length;
        EXPECT_TRUE(asBefore || asAfter)
            << seen.Count << " " << seen.LastTime << " " << seen.Length;
      }
    }
  }
}

TEST_F(NMEATrackTest, The12500thPointSplitsTheTrackIntoANewFilePair) {
  WriteLongTrack(Path("long.trk"));
  CGPSClock clock;
  clock.SetTag(90);  // minutes
  CNMEATrack track(&clock, true);
  track.LoadFile(Path("long.trk"));
  ASSERT_EQ(track.GetCount(), 12499);
  CNMEATrack::SharedLastFix() = SNMEATrackLastFix();
  AddTurn(track);
  ASSERT_EQ(track.GetCount(), 2501);
  // 2025-12-09 12:00 + 12,498 x 10 s + 10.5 s + 90 min = 2025-12-11 00:13:10.5.
  EXPECT_STREQ(track.GetFileName().c_str(), Path("2025-12-11 00.13.10.trk").c_str());
  EXPECT_EQ(track.GetPoints()[0].Distance, 0);
  CNMEATrack old(nullptr, false);
  old.LoadFile(Path("long.trk"));
  ASSERT_EQ(old.GetCount(), 10000);
  EXPECT_EQ(old.GetPoints()[9999].North, track.GetPoints()[0].North);
  for (const char* name : {"2025-12-11 00.13.10.trk", "2025-12-11 00.13.10_2.trk"}) {
    SCOPED_TRACE(name);
    CNMEATrack next(nullptr, false);
    next.LoadFile(Path(name));
    ASSERT_EQ(next.GetCount(), 2501);
    EXPECT_EQ(next.GetPoints()[0].Distance, 0);
    EXPECT_EQ(next.GetPoints()[2500].Distance, track.GetPoints()[2500].Distance);
  }
}

// A split whose file steps fail at any one step loses no point: the log
// stays on the old track until the old files and the new track file are
// written, and the next point kept splits it again. The old track file then
// holds the first 10,000 points and the new pair the rest, as after a split
// that failed nowhere; the old companion holds every point of the old track.
TEST_F(NMEATrackTest, ASplitFailingAtAnyFileStepLosesNoPoint) {
  auto points = [](const CStr& path) {
    CNMEATrack loaded(nullptr, false);
    loaded.LoadFile(path);
    return loaded.GetPoints();
  };
  auto same = [](const SNMEATrackPoint& a, const SNMEATrackPoint& b) {
    return a.Time == b.Time && a.North == b.North && a.East == b.East && a.Distance == b.Distance;
  };
  auto sameTrack = [&](const std::vector<SNMEATrackPoint>& a,
                       const std::vector<SNMEATrackPoint>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
  };
  // Splits in its own folder with file step fault failing; the steps counted.
  auto split = [&](const std::string& folder, int32_t fault) {
    fs::create_directory(m_Folder / folder);
    const CStr old = Path(folder + "/long.trk");
    WriteLongTrack(old);
    auto track = std::make_unique<CNMEATrack>(nullptr, true);
    track->LoadFile(old);
    CNMEATrack::SharedLastFix() = SNMEATrackLastFix();
    td::FileFaultArm(fault);
    try {
      AddTurn(*track);
    } catch (const CStreamError&) {
    }
    const int32_t steps = td::FileFaultCount();
    td::FileFaultArm(0);
    AddNorthward(*track);
    AddNorthward(*track);
    return std::make_pair(std::move(track), steps);
  };
  const auto [whole, steps] = split("whole", INT32_MAX);
  const std::vector<SNMEATrackPoint> kept = points(Path("whole/long.trk"));
  const std::vector<SNMEATrackPoint> rest = points(whole->GetFileName());
  ASSERT_EQ(kept.size(), 10000u);
  ASSERT_EQ(rest.size(), 2502u);
  ASSERT_GE(steps, 4);
  for (int32_t fault = 1; fault <= steps; ++fault) {
    SCOPED_TRACE(fault);
    const std::string folder = "cut" + std::to_string(fault);
    const auto [track, unused] = split(folder, fault);
    EXPECT_TRUE(sameTrack(points(Path(folder + "/long.trk")), kept));
    EXPECT_TRUE(sameTrack(points(track->GetFileName()), rest));
    EXPECT_TRUE(sameTrack(points(track->GetCompanionName()), rest));
    const std::vector<SNMEATrackPoint> second = points(Path(folder + "/long_2.trk"));
    ASSERT_GE(second.size(), 12500u);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), second.begin(), same));
    for (const auto& entry : fs::directory_iterator(m_Folder / folder))
      EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
  }
}

// A kept bad fix (the first is never checked) would drop the true track for
// hours; a minute of dropped fixes that agree with one another resumes it.
TEST_F(NMEATrackTest, AMinuteOfAgreeingDroppedFixesStartsANewStretch) {
  CNMEATrack track(nullptr, false);
  Add(track, {0, 500000, 0, 0, 5});  // 50 km off
  Add(track, {1, 500001, 0, 0, 5});  // dropped: 5 m/s reported, 0.01 m/s measured
  for (int s = 2; s <= 62; s += 2) Add(track, {double(s), s * 50, 0, 0, 5});
  ASSERT_EQ(track.GetCount(), 2);
  EXPECT_EQ(track.GetPoints()[1].North, 62 * 50);
  EXPECT_EQ(track.GetPoints()[1].Distance, 0);  // a jump is no travel
  Add(track, {64, 64 * 50, 0, 0, 5});
  EXPECT_EQ(track.GetCount(), 3);
}

TEST_F(NMEATrackTest, QueriesAlongTheTrack) {
  CNMEATrack track(nullptr, false);
  // 10:00:00, then a kept corner, then 10:00:59.9.
  const double t0 = 46000 + 10 / 24.0;
  track.AddPoint(t0, 0, 0, 0, 10);
  track.AddPoint(t0 + 10 * kSecond, 1000 / kScale, 0, 0, 10);
  track.AddPoint(t0 + 59.9 * kSecond, 1000 / kScale, 4990 / kScale, 1.5707964f, 10);
  ASSERT_EQ(track.GetCount(), 3);
  EXPECT_EQ(track.GetDuration(), 59);
  EXPECT_EQ(track.FindPointByTime(t0 - 1), 0);
  EXPECT_EQ(track.FindPointByTime(t0 + 5 * kSecond), 0);
  EXPECT_EQ(track.FindPointByTime(t0 + 10 * kSecond), 1);
  EXPECT_EQ(track.FindPointByTime(t0 + 59.9 * kSecond), 2);
  EXPECT_EQ(track.FindPointByTime(t0 + 1), 2);
  float speed = 0, course = 0;
  track.GetCourseSpeedAt(t0 + 5 * kSecond, speed, course);
  // 1,000 units north are 99.33 m at the equator, where the meridian's
  // radius of curvature is a(1 - e^2) = 6,335,439 m: 9.933 m/s.
  EXPECT_NEAR(speed, 9.933, 0.001);
  EXPECT_NEAR(course, 0.0, 1e-3);
  track.GetCourseSpeedAt(t0 + 1, speed, course);
  EXPECT_NEAR(speed, 10.0,
              0.001);  // 4,990 units are 499.0 m east at the equator
  EXPECT_NEAR(course, 1.5708, 1e-3);
  SNMEATrackSegment segments[2] = {};
  segments[0].First = 0, segments[0].Last = 1;
  segments[1].First = 1, segments[1].Last = 2;
  EXPECT_EQ(track.FindSegmentByTime(t0 - 1, segments, 2), -1);
  EXPECT_EQ(track.FindSegmentByTime(t0 + 5 * kSecond, segments, 2), 0);
  EXPECT_EQ(track.FindSegmentByTime(t0 + 20 * kSecond, segments, 2), 1);
  EXPECT_EQ(track.FindSegmentByTime(t0 + 1, segments, 2), -1);
  segments[1].Last = 3;  // beyond the points
  EXPECT_EQ(track.FindSegmentByTime(t0 + 5 * kSecond, segments, 2), -1);
}

TEST_F(NMEATrackTest, LoadingGivesAnEmptyStoredNameTheFilesBaseName) {
  const std::string empty;
  const std::string bytes = CTrackBytes()
                                .Header(0x01010000, &empty)
                                .F64(kStart)
                                .I32(10)
                                .I32(20)
                                .U16(2000)
                                .I16(100)
                                .I16(0)
                                .U16(100)
                                .I32(100)
                                .F64(kStart + 10 * kSecond)
                                .U32(2)
                                .Get();
  std::ofstream(Path("base.trk").c_str(), std::ios::binary) << bytes;
  CNMEATrack track(nullptr, false);
  track.LoadFile(Path("base.trk"));
  EXPECT_EQ(track.GetTrackName(), CStr("base"));
  EXPECT_EQ(track.GetCount(), 2);
  float speed = 0, course = 0;
  track.GetCourseSpeedAt(kStart, speed, course);
  EXPECT_NEAR(speed, 1.0, 0.01);
}

}  // namespace
