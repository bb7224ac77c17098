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
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/BufferedFileStream.h"
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

// The points a file loads, or "missing".
std::string DescribePoints(const CStr& path) {
  try {
    CNMEATrack loaded(nullptr, false);
    loaded.LoadFile(path);
    return Describe(loaded.GetPoints());
  } catch (...) {
    return "missing";
  }
}

std::string DescribeFile(const CStr& path) {
  try {
    STrackInfo info;
    GetTrackInfo(path, info);
    return std::to_string(info.Count) + '|' + std::to_string(info.LastTime) + '|' +
           std::to_string(info.Length) + '|' + DescribePoints(path);
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

// Every operation that changes a log, each run with one allocation refused.
// A failure leaves the log (its names, points and the last fix shared by the
// logs) and every file of its folder byte for byte as they were; an
// operation that returns has done all it does. Either way the host goes on:
// it tries the operation again if it failed and records the next fix, after
// which the log and every file read as after the same steps with nothing
// refused, and the log's own two files hold its points.
struct SChangeRow {
  const char* what;
  bool writeToFile;
  std::function<void(CNMEATrack&)> setUp;
  std::function<void(CNMEATrack&)> change;
  bool onEveryBuild;
};

class TrackChangeTest : public TrackAllocationTest {
 protected:
  // The log as the host sees it, with the shared last fix, to the bit: its
  // names and the bytes of every field.
  static std::string DescribeState(const CNMEATrack& track) {
    std::string text = std::string(track.GetFileName().c_str()) + '|' +
                       track.GetCompanionName().c_str() + '|' + track.GetTrackName().c_str() + '|';
    auto put = [&text](const auto& value) {
      text.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    for (const SNMEATrackPoint& p : track.GetPoints()) {
      put(p.Time);
      put(p.North);
      put(p.East);
      put(p.Distance);
    }
    const SNMEATrackLastFix& last = CNMEATrack::SharedLastFix();
    put(last.Lat);
    put(last.Lon);
    put(last.Time);
    return text;
  }
  std::map<std::string, std::string> Bytes() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(m_Folder))
      files[entry.path().filename().string()] = ReadAll(CStr(entry.path().string().c_str()));
    return files;
  }
  void Empty() const {
    for (const auto& entry : std::filesystem::directory_iterator(m_Folder))
      std::filesystem::remove_all(entry.path());
  }
  // A fresh log after the row's set-up, in an emptied folder.
  std::unique_ptr<CNMEATrack> SetUpLog(const SChangeRow& row) const {
    Empty();
    CNMEATrack::SharedLastFix() = SNMEATrackLastFix();
    auto track = std::make_unique<CNMEATrack>(nullptr, row.writeToFile);
    row.setUp(*track);
    return track;
  }
  static void GoOn(CNMEATrack& track) { AddNorthward(track); }
};

TEST_F(TrackChangeTest, EveryChangeOfTheLogFailsWholeOrCompletes) {
  auto recording = [this](CNMEATrack& track) {
    track.CompanionFileName(Path("rec.trk"));
    Add(track, {0, 0, 0, 0, 5});
    Add(track, {10, 500, 0, 0, 5});
  };
  auto recordingWithOther = [&](CNMEATrack& track) {
    recording(track);
    Write("other.trk", CurrentFile());
  };
  auto loaded = [this](CNMEATrack& track) {
    Write("long.trk", LongTrackBytes());
    track.LoadFile(Path("long.trk"));
  };
  const int32_t nearPole = static_cast<int32_t>(std::floor(89.999 * kDeg * kScale + 0.5));
  const SChangeRow rows[] = {
      {"naming the files", true, [](CNMEATrack&) {},
       [this](CNMEATrack& track) { track.CompanionFileName(Path("named.trk")); }, false},
      {"the first point", true,
       [this](CNMEATrack& track) { track.CompanionFileName(Path("rec.trk")); },
       [](CNMEATrack& track) {
         Add(track, {0, 0, 0, 0, 5});
       },
       false},
      {"a new record", true, recording,
       [](CNMEATrack& track) {
         Add(track, {20, 500, 500, 1.5707964f, 5});
       },
       true},
      {"a record replaced in place", true, recording,
       [](CNMEATrack& track) {
         Add(track, {20, 1000, 0, 0, 5});
       },
       false},
      {"a shorter record replacing the last", true,
       [&](CNMEATrack& track) {
         track.CompanionFileName(Path("rec.trk"));
         Add(track, {0, nearPole, 0, 0, 0});
         Add(track, {10, nearPole, 300000, 0, 0});
       },
       [&](CNMEATrack& track) {
         Add(track, {20, nearPole, 17000, 0, 0});
       },
       false},
      {"a point after a file failed", true,
       [&](CNMEATrack& track) {
         recording(track);
         td::FileFaultArm(1);
         try {
           Add(track, {20, 500, 500, 1.5707964f, 5});
         } catch (const CStreamError&) {
         }
         td::FileFaultArm(0);
       },
       [](CNMEATrack& track) {
         Add(track, {30, 500, 1000, 1.5707964f, 5});
       },
       false},
      {"a new stretch after a minute of dropped fixes", true,
       [this](CNMEATrack& track) {
         track.CompanionFileName(Path("rec.trk"));
         Add(track, {0, 500000, 0, 0, 5});
         Add(track, {1, 500001, 0, 0, 5});
         for (int s = 2; s <= 60; s += 2) Add(track, {double(s), s * 50, 0, 0, 5});
       },
       [](CNMEATrack& track) {
         Add(track, {62, 62 * 50, 0, 0, 5});
       },
       false},
      {"the split, in memory", false, loaded, AddTurn, true},
      {"the split, with files", true, loaded, AddTurn, false},
      {"loading into a recording log", true, recordingWithOther,
       [this](CNMEATrack& track) { track.LoadFile(Path("other.trk")); }, false},
      {"loading from a stream", true, recordingWithOther,
       [this](CNMEATrack& track) {
         CBufferedFileStream stream(Path("other.trk"), kFileModeRead | kFileShareRead, 4096);
         track.LoadFromStream(stream);
       },
       false},
      {"saving a copy", true, recording,
       [this](CNMEATrack& track) { track.SaveToFile(Path("copy.trk")); }, false},
  };
  for (const SChangeRow& row : rows) {
    if (!td::test::WalkedHere(row.onEveryBuild)) continue;
    SCOPED_TRACE(row.what);
    std::unique_ptr<CNMEATrack> track = SetUpLog(row);
    const std::string unchangedLog = DescribeState(*track);
    const std::map<std::string, std::string> unchangedFiles = Bytes();
    row.change(*track);
    ASSERT_TRUE(DescribeState(*track) != unchangedLog || Bytes() != unchangedFiles);
    GoOn(*track);
    const std::string expectedLog = DescribeState(*track);
    const std::map<std::string, std::string> expectedFiles = Bytes();
    td::test::WalkAllocations([&](int32_t n) {
      track = SetUpLog(row);
      const std::string before = DescribeState(*track);
      const std::map<std::string, std::string> bytes = Bytes();
      const auto [threw, failed] = td::test::RunRefusingAllocation(n, [&] { row.change(*track); });
      SCOPED_TRACE(n);
      if (threw) {
        EXPECT_TRUE(failed);
        EXPECT_TRUE(DescribeState(*track) == before) << "the log changed";
        EXPECT_TRUE(Bytes() == bytes) << "the files changed";
        row.change(*track);
      }
      GoOn(*track);
      EXPECT_TRUE(DescribeState(*track) == expectedLog) << "the log differs";
      EXPECT_TRUE(Bytes() == expectedFiles) << "the files differ";
      if (row.writeToFile)
        for (const CStr& name : {track->GetFileName(), track->GetCompanionName()})
          EXPECT_EQ(DescribePoints(name), Describe(track->GetPoints())) << name.c_str();
    });
  }
}

}  // namespace
