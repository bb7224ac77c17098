// Running out of memory at every allocation of opening, saving and
// destroying waypoint databases: each allocation n fails in turn until the
// operation completes. A failed operation reports code 1 and leaves the
// manager, the database and the file as they were; one that reports success
// has lost nothing.
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/waypoints/WaypointFile.h"
#include "tests/AllocationSeam.h"
#include "tests/foundation/RuntimeTestFiles.h"
#include "tests/waypoints/WaypointFileBytes.h"
#include "tests/waypoints/WaypointDescribe.h"
#include "tests/waypoints/WaypointFileSupport.h"

namespace {

constexpr size_t kModifiedAt = 44;

// The files the readers take, each from a stream or from a file on disk.
struct SReadRow {
  const char* what;
  TBytes bytes;
  bool fromFile;
  bool onEveryBuild;
};

std::vector<SReadRow> ReadRows() {
  return {
      {"version 2.0.0.0 from a file", Bytes(kHandMade), true, true},
      {"version 2.0.0.0 from a stream", Bytes(kHandMade), false, false},
      {"version 1.0.0.0 from a stream", Bytes(kVersion1), false, true},
      {"version 1.0.0.0 from a file", Bytes(kVersion1), true, false},
      {"version 1.0.0.0, a name of 300 characters", Bytes(kVersion1LongName), false, false},
      {"an empty database", Bytes(kEmptyTest), false, false},
  };
}

// A manager before a run; made outside the allocations the walk counts.
class CManagerSlot {
 public:
  CManagerSlot() : manager_(NewManager()) {}
  ~CManagerSlot() { td::Free(manager_); }
  CWaypointManager* operator->() const { return manager_; }
  CWaypointManager* get() const { return manager_; }
  void Renew() {
    td::Free(manager_);
    manager_ = NewManager();
  }

 private:
  CWaypointManager* manager_;
};

CWaypointDatabase* Open(CWaypointManager* manager, const SReadRow& row, const CStr& path,
                        uint32_t* error) {
  if (row.fromFile) return manager->OpenDatabase(&path, error);
  CConstPointerStream stream(row.bytes.data(), static_cast<int64_t>(row.bytes.size()));
  return manager->OpenDatabaseFrom(stream, error);
}

TEST(WaypointAllocation, OpeningEachFileVersionFailsWholeOrReadsEverything) {
  SetLanguage(kLangEnglish);
  const CStr path = ScratchPath("walk-read.wpt");
  for (const SReadRow& row : ReadRows()) {
    if (!td::test::WalkedHere(row.onEveryBuild)) continue;
    SCOPED_TRACE(row.what);
    WriteBytes(path, std::string(row.bytes.begin(), row.bytes.end()));
    CManagerSlot manager;
    uint32_t error = 0xDEAD;
    CWaypointDatabase* reference = Open(manager.get(), row, path, &error);
    ASSERT_NE(reference, nullptr) << std::hex << error;
    manager->EndLoad();
    const std::string expected = Describe(reference);
    const std::array<int32_t, 5> empty = {1, 0, 1, 0, 0};
    manager.Renew();
    const int32_t allocations = td::test::WalkAllocations([&](int32_t n) {
      error = 0xDEAD;
      td::test::ArmAllocationFailure(n);
      CWaypointDatabase* db = Open(manager.get(), row, path, &error);
      const bool failed = td::test::DisarmAllocationFailure();
      SCOPED_TRACE(n);
      if (!db) {
        EXPECT_TRUE(failed);
        EXPECT_EQ(error, 1u);
        EXPECT_EQ(Counts(manager.get()), empty);
        EXPECT_EQ(manager->GetPendingFixups(), nullptr);
      } else {
        EXPECT_EQ(error, 0u);
        manager->EndLoad();
        EXPECT_EQ(Describe(db), expected);
      }
      manager.Renew();
    });
    EXPECT_GT(allocations, 0);
  }
  RemoveFile(path);
}

// The databases saved: every kind of item, references still waiting for
// EndLoad, a converted version 1.0.0.0 file and a name longer than the file
// holds.
struct SSaveRow {
  const char* what;
  TBytes bytes;  // loaded; empty: a new database with a name of 300 characters
  bool endLoad;
  bool onEveryBuild;
};

TEST(WaypointAllocation, SavingFailsWholeOrWritesEverything) {
  SetLanguage(kLangEnglish);
  const SSaveRow rows[] = {
      {"every kind of item", Bytes(kHandMade), true, true},
      {"references waiting for EndLoad", Bytes(kHandMade), false, false},
      {"a converted version 1.0.0.0 file", Bytes(kVersion1), true, false},
      {"a name of 300 characters", TBytes(), true, true},
  };
  const CStr target = ScratchPath("walk-save.wpt");
  const CStr temp = MakeTempFileName(target);
  for (const SSaveRow& row : rows) {
    if (!td::test::WalkedHere(row.onEveryBuild)) continue;
    SCOPED_TRACE(row.what);
    CManagerSlot manager;
    uint32_t error = 0xDEAD;
    CWaypointDatabase* db = nullptr;
    if (row.bytes.empty()) {
      const CStr name(std::string(300, 'n').c_str());
      db = manager->CreateDatabase(&name, 7, 0);
    } else {
      CConstPointerStream stream(row.bytes.data(), static_cast<int64_t>(row.bytes.size()));
      manager->BeginLoad(1, nullptr);
      db = manager->OpenDatabaseFrom(stream, &error);
      if (row.endLoad) manager->EndLoad();
    }
    ASSERT_NE(db, nullptr) << std::hex << error;
    TBytes image = SaveImage(db, &error);
    ASSERT_EQ(error, 0u);
    WriteBytes(target, "old database");
    const bool modified = db->IsModified();
    const uint32_t modifiedTime = db->GetModifiedTime();
    td::test::WalkAllocations([&](int32_t n) {
      error = 0xDEAD;
      td::test::ArmAllocationFailure(n);
      db->Save(&target, &error);
      const bool failed = td::test::DisarmAllocationFailure();
      SCOPED_TRACE(n);
      if (error != 0) {
        EXPECT_TRUE(failed);
        EXPECT_EQ(error, 1u);
        EXPECT_EQ(ReadBytes(target), "old database");
        EXPECT_FALSE(FileExists(temp));
        EXPECT_EQ(db->IsModified(), modified);
        EXPECT_EQ(db->GetModifiedTime(), modifiedTime);
        return;
      }
      EXPECT_FALSE(db->IsModified());
      Put(image, kModifiedAt, db->GetModifiedTime());
      const std::string written = ReadBytes(target);
      EXPECT_EQ(TBytes(written.begin(), written.end()), image);
    });
    RemoveFile(target);
  }
}

template <class List>
std::vector<void*> Items(List& list) {
  std::vector<void*> items;
  for (int32_t i = 0; i < list.GetCount(); ++i) items.push_back(list.GetItem(i));
  return items;
}

// Queries that answer in a host's list: the whole answer, or the list as it
// was; never an answer with entries missing.
TEST(WaypointAllocation, QueriesAnswerWholeOrLeaveTheListAsItWas) {
  SetLanguage(kLangEnglish);
  CManagerSlot manager;
  CStr name("Queries");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  uint32_t error = 0;
  std::vector<CWaypoint*> w;
  for (int i = 0; i < 3; ++i) {
    SGeo3D p = Deg(52.0 + 0.001 * i, 4.0);
    w.push_back(db->AddWaypoint(&p, nullptr));
    w.back()->SetRadius(1000.0f, &error);
    w.back()->SetUserFlags(1, 1);
  }
  CWaypointGroup* g1 = db->AddGroup();
  CWaypointGroup* g2 = db->AddGroup();
  g1->AddWaypoint(w[0], &error);
  g1->AddWaypoint(w[1], &error);
  g2->AddWaypoint(w[2], &error);
  g2->AddWaypoint(w[0], &error);
  CWaypointList waypoints;
  CWaypointGroupList groups, asked;
  asked.Add(g1);
  asked.Add(g2);
  const SGeo2D centre{52.0 * kDeg, 4.0 * kDeg};
  struct SRow {
    const char* what;
    std::function<void()> query;
    std::function<std::vector<void*>()> answer;
  } rows[] = {
      {"the groups of a waypoint", [&] { w[0]->GetGroups(&groups); },
       [&] { return Items(groups); }},
      {"the waypoints of groups", [&] { manager->GetGroupWaypoints(&waypoints, &asked); },
       [&] { return Items(waypoints); }},
      {"the waypoints around a position",
       [&] { manager->FindWaypointsInRadius(&centre, 1, &waypoints); },
       [&] { return Items(waypoints); }},
  };
  for (const SRow& row : rows) {
    SCOPED_TRACE(row.what);
    row.query();
    const std::vector<void*> expected = row.answer();
    ASSERT_GE(expected.size(), 2u);
    td::test::WalkAllocations([&](int32_t n) {
      waypoints.Clear();
      waypoints.Add(w[1]);
      groups.Clear();
      groups.Add(g2);
      const std::vector<void*> before = row.answer();
      td::test::ArmAllocationFailure(n);
      row.query();
      const bool failed = td::test::DisarmAllocationFailure();
      SCOPED_TRACE(n);
      const std::vector<void*> found = row.answer();
      EXPECT_TRUE(found == expected || (failed && found == before));
    });
  }
}

// Slot 0 of a database and of the manager allocates nothing: with the next
// allocation armed to fail, each goes whole (the native build's leak check
// sees what stays), and the armed allocation is still waiting afterwards.
TEST(WaypointAllocation, SlotZeroOfADatabaseAndOfTheManagerAllocatesNothing) {
  SetLanguage(kLangEnglish);
  const CStr path = ScratchPath("walk-destroy.wpt");
  WriteBytes(path, std::string(std::begin(kHandMade), std::end(kHandMade)));
  {
    SCOPED_TRACE("a database read from a file");
    CManagerSlot manager;
    CFixupList fixups;
    uint32_t error = 0xDEAD;
    auto* db = new CWaypointDatabase(manager.get(), path, fixups, nullptr, &error);
    ASSERT_EQ(error, 0u);
    ASSERT_GT(db->GetRouteCount(), 0);
    fixups.Truncate(0);
    td::test::ArmAllocationFailure(0);
    td::Free(db);
    EXPECT_FALSE(td::test::DisarmAllocationFailure());
  }
  {
    SCOPED_TRACE("the manager with its databases and a route of its own");
    CWaypointManager* manager = NewManager();
    uint32_t error = 0xDEAD;
    ASSERT_NE(manager->OpenDatabase(&path, &error), nullptr) << std::hex << error;
    manager->EndLoad();
    ASSERT_NE(manager->CreateRoute(), nullptr);
    td::test::ArmAllocationFailure(0);
    td::Free(manager);
    EXPECT_FALSE(td::test::DisarmAllocationFailure());
  }
  RemoveFile(path);
}

}  // namespace
