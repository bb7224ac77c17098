// Running out of memory at every allocation of reading, writing and
// appending to track files: each allocation n fails in turn until the
// operation completes. A failed operation throws and leaves the log and the
// files whole; one that returns has lost nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib/foundation/files/FileSystem.h"
#include "lib/gps/NMEATrack.h"
#include "tests/AllocationSeam.h"
#include "tests/gps/TrackBytes.h"
#include "tests/gps/TrackTestFolder.h"

namespace {

using namespace track_test;

class TrackAllocationTest : public CTrackFolderTest {
 protected:
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name).c_str(), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const { return ReadAll(Path(name)); }
};

// What a log holds, or what a file reads as ("missing" when it does not read).
std::string Describe(const std::vector<SNMEATrackPoint>& points) {
  std::string text = std::to_string(points.size()) + ':';
  for (const SNMEATrackPoint& p : points)
    text += std::to_string(p.Time) + ',' + std::to_string(p.North) + ',' + std::to_string(p.East) +
            ',' + std::to_string(p.Distance) + ';';
  return text;
}

std::string DescribeLog(const CNMEATrack& track) {
  return std::string(track.GetFileName().c_str()) + '|' + track.GetCompanionName().c_str() + '|' +
         track.GetTrackName().c_str() + '|' + Describe(track.GetPoints());
}

std::string DescribeFile(const CStr& path) {
  try {
    STrackInfo info;
    GetTrackInfo(path, info);
    CNMEATrack loaded(nullptr, false);
    loaded.LoadFile(path);
    return std::to_string(info.Count) + '|' + std::to_string(info.LastTime) + '|' +
           std::to_string(info.Length) + '|' + Describe(loaded.GetPoints());
  } catch (...) {
    return "missing";
  }
}

// A track file of the current version written down from the layout: a first
// point, a step record and a record in the absolute forms.
std::string CurrentFile() {
  const std::string name = "walk";
  return CTrackBytes()
      .Header(0x01010000, &name)
      .F64(kStart)
      .I32(1000)
      .I32(2000)
      .U16(2000)
      .I16(10)
      .I16(-10)
      .U16(14)
      .U16(0xFFFF)
      .F64(kStart + 0.5)
      .I16(0x7FFF)
      .I32(900000)
      .I32(-900000)
      .U16(0xFFFF)
      .I32(120000)
      .I32(120000)
      .F64(kStart + 0.5)
      .U32(3)
      .Get();
}

std::string OldFile(uint32_t version) {
  const std::string name = "old";
  return CTrackBytes()
      .Header(version, version == 0x01000001u ? &name : nullptr)
      .OldRecord(kStart, 0.5, 0.1)
      .OldRecord(kStart + 0.001, 0.5001, 0.1)
      .OldRecord(kStart + 0.002, 0.5003, 0.1)
      .Get();
}

struct SReadRow {
  const char* what;
  std::string bytes;
  bool onEveryBuild;
};

// Loading into a log that holds another track: a failure leaves that track,
// its names included.
TEST_F(TrackAllocationTest, LoadingFailsWholeOrReadsEveryPoint) {
  const SReadRow rows[] = {
      {"version 1.1.0.0", CurrentFile(), true},
      {"version 1.0.0.1", OldFile(0x01000001u), false},
      {"version 1.0.0.0", OldFile(0x01000000u), false},
  };
  Write("prior.trk", OldFile(0x01000001u));
  for (const SReadRow& row : rows) {
    if (!td::test::WalkedHere(row.onEveryBuild)) continue;
    SCOPED_TRACE(row.what);
    Write("walk.trk", row.bytes);
    CNMEATrack reference(nullptr, false);
    reference.LoadFile(Path("walk.trk"));
    const std::string expected = DescribeLog(reference);
    std::unique_ptr<CNMEATrack> track;
    std::string before;
    auto prepare = [&] {
      track = std::make_unique<CNMEATrack>(nullptr, false);
      track->LoadFile(Path("prior.trk"));
      before = DescribeLog(*track);
    };
    prepare();
    const CStr path = Path("walk.trk");
    td::test::WalkAllocations([&](int32_t n) {
      const auto [threw, failed] =
          td::test::RunRefusingAllocation(n, [&] { track->LoadFile(path); });
      SCOPED_TRACE(n);
      if (threw) {
        EXPECT_TRUE(failed);
        EXPECT_EQ(DescribeLog(*track), before);
      } else {
        EXPECT_EQ(DescribeLog(*track), expected);
      }
      prepare();
    });
  }
}

// Saving over an old file: a failure leaves it and no temporary file.
TEST_F(TrackAllocationTest, SavingFailsWholeOrWritesEveryPoint) {
  Write("walk.trk", CurrentFile());
  CNMEATrack track(nullptr, false);
  track.LoadFile(Path("walk.trk"));
  track.SaveToFile(Path("reference.trk"));
  const std::string expected = DescribeFile(Path("reference.trk"));
  const CStr target = Path("saved.trk");
  Write("saved.trk", "old track");
  td::test::WalkAllocations([&](int32_t n) {
    const auto [threw, failed] =
        td::test::RunRefusingAllocation(n, [&] { track.SaveToFile(target); });
    SCOPED_TRACE(n);
    if (threw) {
      EXPECT_TRUE(failed);
      EXPECT_EQ(Read("saved.trk"), "old track");
      EXPECT_FALSE(FileExists(MakeTempFileName(target)));
    } else {
      EXPECT_EQ(DescribeFile(target), expected);
    }
    Write("saved.trk", "old track");
  });
}

// A point recorded into both files. A failure throws with each file reading
// as before the point or as after it, and the next point leaves both files
// holding the log's points. Near the pole a few centimetres east are more
// than 32,767 units of longitude: a drift back towards the anchor shortens
// the record that replaces the last one.
struct SAppendRow {
  const char* what;
  std::vector<SGridFix> before;
  SGridFix fix;
  SGridFix next;
  bool onEveryBuild;
};

TEST_F(TrackAllocationTest, AppendingFailsWithWholeFilesOrRecordsThePoint) {
  const int32_t nearPole = static_cast<int32_t>(std::floor(89.999 * kDeg * kScale + 0.5));
  const SAppendRow rows[] = {
      {"the first point", {}, {0, 0, 0, 0, 5}, {10, 500, 0, 0, 5}, false},
      {"a new record",
       {{0, 0, 0, 0, 5}, {10, 500, 0, 0, 5}},
       {20, 500, 500, 1.5707964f, 5},
       {30, 500, 1000, 1.5707964f, 5},
       true},
      {"a record replaced in place",
       {{0, 0, 0, 0, 5}, {10, 500, 0, 0, 5}},
       {20, 1000, 0, 0, 5},
       {30, 1500, 0, 0, 5},
       false},
      {"a shorter record replacing the last",
       {{0, nearPole, 0, 0, 0}, {10, nearPole, 300000, 0, 0}},
       {20, nearPole, 17000, 0, 0},
       {30, nearPole, 12000, 0, 0},
       true},
  };
  int index = 0;
  for (const SAppendRow& row : rows) {
    if (!td::test::WalkedHere(row.onEveryBuild)) continue;
    SCOPED_TRACE(row.what);
    const std::string prefix = "row" + std::to_string(index++) + "-";
    // The log and its files before the point, for the walk's next run.
    int32_t run = 0;
    std::unique_ptr<CNMEATrack> track;
    std::string main, companion, beforeMain, beforeCompanion;
    auto prepare = [&] {
      main = prefix + std::to_string(run++);
      companion = main + "_2.trk";
      main += ".trk";
      CNMEATrack::SharedLastFix() = SNMEATrackLastFix();
      track = std::make_unique<CNMEATrack>(nullptr, true);
      track->CompanionFileName(Path(main));
      for (const SGridFix& fix : row.before) Add(*track, fix);
      beforeMain = DescribeFile(Path(main));
      beforeCompanion = DescribeFile(Path(companion));
    };
    prepare();
    Add(*track, row.fix);
    const std::string afterMain = DescribeFile(Path(main));
    const std::string afterCompanion = DescribeFile(Path(companion));
    const std::string afterLog = Describe(track->GetPoints());
    ASSERT_NE(afterMain, beforeMain);
    prepare();
    const std::string beforeLog = Describe(track->GetPoints());
    td::test::WalkAllocations([&](int32_t n) {
      const auto [threw, failed] =
          td::test::RunRefusingAllocation(n, [&] { Add(*track, row.fix); });
      SCOPED_TRACE(n);
      const std::string foundMain = DescribeFile(Path(main));
      const std::string foundCompanion = DescribeFile(Path(companion));
      if (threw) {
        EXPECT_TRUE(failed);
        EXPECT_TRUE(foundMain == beforeMain || foundMain == afterMain) << foundMain;
        EXPECT_TRUE(foundCompanion == beforeCompanion || foundCompanion == afterCompanion)
            << foundCompanion;
        const std::string log = Describe(track->GetPoints());
        EXPECT_TRUE(log == beforeLog || log == afterLog) << log;
        if (log == beforeLog) Add(*track, row.fix);
      } else {
        EXPECT_EQ(foundMain, afterMain);
        EXPECT_EQ(foundCompanion, afterCompanion);
        EXPECT_EQ(Describe(track->GetPoints()), afterLog);
      }
      Add(*track, row.next);
      CNMEATrack loaded(nullptr, false);
      for (const std::string& name : {main, companion}) {
        loaded.LoadFile(Path(name));
        EXPECT_EQ(Describe(loaded.GetPoints()), Describe(track->GetPoints())) << name;
      }
      prepare();
    });
  }
}

}  // namespace
