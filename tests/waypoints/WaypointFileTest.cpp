// The waypoint-database file: images written down from the layout
// (WaypointFileBytes.h, made by scripts/gen_waypoint_files.py), bad files,
// batches of files that refer to each other, and saving with failures.
#include <cmath>
#include <cstdint>
#include <functional>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/display/Progress.h"
#include "lib/waypoints/WaypointFile.h"
#include "lib/waypoints/WaypointSelfTest.h"
#include "tests/foundation/RuntimeTestFiles.h"
#include "tests/waypoints/WaypointFileBytes.h"
#include "tests/waypoints/WaypointFileSupport.h"

namespace {

constexpr size_t kIdAt = 24, kModifiedAt = 44;

class WaypointFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(kLangEnglish);
    manager = NewManager();
  }
  void TearDown() override { td::Free(manager); }

  CWaypointManager* manager = nullptr;
  uint32_t error = 0xDEAD;
};

TEST_F(WaypointFileTest, AnEmptyDatabaseSavesAsItsSixtyFourBytes) {
  CStr name("Test");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0x01020304, 1);
  TBytes saved = SaveImage(db, &error);
  ASSERT_EQ(error, 0u);
  TBytes expected = Bytes(kEmptyTest);
  std::memcpy(expected.data() + kIdAt, db->GetId(), 16);
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(saved.size(), 64u);
}

TEST_F(WaypointFileTest, TheHandMadeFileReadsBackEveryValue) {
  CWaypointDatabase* db = LoadImage(manager, Bytes(kHandMade), &error);
  ASSERT_NE(db, nullptr) << std::hex << error;
  EXPECT_EQ(std::memcmp(db->GetId(), IdOf(0x11).bytes, 16), 0);
  EXPECT_EQ(db->GetContentVersion(), 0x01020304u);
  EXPECT_EQ(db->GetModifiedTime(), 1000u);
  EXPECT_STREQ(db->GetName().c_str(), "Hand");
  EXPECT_FALSE(db->IsLocked());
  EXPECT_FALSE(db->IsModified());

  CWaypointType* type = db->GetType(0);
  EXPECT_EQ(type->GetCreatedSeconds(), 10u);
  EXPECT_EQ(type->GetModifiedSeconds(), 11u);
  EXPECT_EQ(type->GetDayColor(), 0x80000000u);
  EXPECT_EQ(type->GetCommentDayColor(), 0xFF123456u);
  EXPECT_EQ(type->GetFontStyle(), 1u);
  EXPECT_EQ(type->GetCommentFontStyle(), 2u);
  EXPECT_EQ(type->GetFontSize(), 12);
  EXPECT_EQ(type->GetCommentFontSize(), 9);
  EXPECT_TRUE(type->GetShowOverlay());
  ASSERT_NE(type->GetPlainIcon(), nullptr);
  EXPECT_EQ(type->GetPlainIcon()->Row(1)[1], 0x000A0B0Cu);
  EXPECT_EQ(type->GetPlainIcon()->Row(0)[0], 0xFF010203u);
  EXPECT_EQ(type->GetOverlay()->Row(0)[0], 0x7F0D0E0Fu);
  EXPECT_STREQ(type->GetName()->c_str(), "Tp");

  // Identifier order: W2 (0x31), W3 (0x32), Full (0x33).
  ASSERT_EQ(db->GetWaypointCount(), 3);
  CWaypoint* plain = db->GetWaypoint(0);
  CWaypoint* untyped = db->GetWaypoint(1);
  CWaypoint* full = db->GetWaypoint(2);
  EXPECT_STREQ(full->GetName()->c_str(), "Full");
  EXPECT_EQ(full->GetPosition()->lat, 0.5);
  EXPECT_EQ(full->GetPosition()->lon, -0.25);
  EXPECT_EQ(full->GetPosition()->h, 12.5);
  EXPECT_STREQ(full->GetComment()->c_str(), "c");
  EXPECT_EQ(full->GetLabelPlacement(), 2);
  EXPECT_EQ(full->GetFloatAttribute1(), 1.5f);
  EXPECT_EQ(full->GetFloatAttribute2(), 0.0f);
  EXPECT_EQ(full->GetRadius(), 50.0f);
  EXPECT_EQ(full->GetIntAttribute(), 7u);
  EXPECT_STREQ(full->GetDescription()->c_str(), "desc");
  EXPECT_EQ(full->GetType(), type);
  ASSERT_EQ(full->GetLinkCount(), 2);
  EXPECT_STREQ(full->GetLink(1)->GetText2()->c_str(), "d");
  EXPECT_EQ(full->GetChosenLink1(), full->GetLink(1));
  EXPECT_EQ(full->GetChosenLink2(), full->GetLink(0));

  EXPECT_STREQ(plain->GetName()->c_str(), "W2");
  EXPECT_EQ(plain->GetLabelPlacement(), 5);
  EXPECT_EQ(plain->GetFloatAttribute2(), -1.0f);
  EXPECT_EQ(plain->GetType(), manager->GetDefaultType());
  EXPECT_EQ(plain->GetLinkCount(), 0);
  EXPECT_EQ(untyped->GetType(), manager->GetDefaultType());

  CWaypointGroup* group = db->GetGroup(0);
  ASSERT_EQ(group->GetCount(), 3);
  EXPECT_EQ(group->GetWaypoint(0), plain);
  EXPECT_EQ(group->GetWaypoint(2), full);
  EXPECT_EQ(full->GetGroupCount(), 1);
  EXPECT_EQ(untyped->GetGroupCount(), 1);
  EXPECT_EQ(manager->GetDefaultGroup()->GetCount(), 0);

  CWaypointRoute* route = db->GetRoute(0);
  ASSERT_EQ(route->GetPointCount(), 3);
  EXPECT_EQ(route->GetPoint(1)->GetWaypoint(), plain);
  EXPECT_EQ(route->GetPoint(1)->GetPosition()->lat, plain->GetPosition()->lat);
  EXPECT_EQ(route->GetPoint(2)->GetAltitude(), 100.0);
  EXPECT_EQ(route->GetPoint(2)->GetRadius(), 3.0f);
  EXPECT_EQ(route->GetPoint(0)->GetDistance(), 0.0);
  EXPECT_NEAR(route->GetPoint(1)->GetDistance(), 111132.0948, 1e-3);
  EXPECT_NEAR(route->GetPoint(2)->GetDistance(), 222264.1896, 1e-3);
}

TEST_F(WaypointFileTest, TheHandMadeFileSavedAgainGivesTheBytesOfTheLayout) {
  CWaypointDatabase* db = LoadImage(manager, Bytes(kHandMade), &error);
  ASSERT_NE(db, nullptr);
  TBytes saved = SaveImage(db, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(saved, Bytes(kHandMadeSaved));
}

TEST_F(WaypointFileTest, AVersion1FileOpensLockedWithFreshIdentifiers) {
  CWaypointDatabase* first = LoadImage(manager, Bytes(kVersion1), &error);
  ASSERT_NE(first, nullptr) << std::hex << error;
  CWaypointDatabase* second = LoadImage(manager, Bytes(kVersion1), &error);
  ASSERT_NE(second, nullptr) << std::hex << error;
  EXPECT_NE(std::memcmp(first->GetId(), second->GetId(), 16), 0);
  EXPECT_NE(std::memcmp(first->GetWaypoint(0)->GetId(), second->GetWaypoint(0)->GetId(), 16), 0);
  EXPECT_TRUE(first->IsLocked());
  EXPECT_FALSE(first->IsReadOnly());
  EXPECT_EQ(first->GetContentVersion(), 0u);
  EXPECT_EQ(first->GetTypeCount(), 0);
  EXPECT_EQ(first->GetGroupCount(), 0);
  ASSERT_EQ(first->GetWaypointCount(), 1);
  CWaypoint* alive = first->GetWaypoint(0);
  EXPECT_STREQ(alive->GetName()->c_str(), "Alive");
  EXPECT_EQ(alive->GetCreatedSeconds(), 108000u);
  EXPECT_STREQ(alive->GetDescription()->c_str(), "Described");
  EXPECT_EQ(alive->GetLinkCount(), 1);
  EXPECT_EQ(alive->GetFloatAttribute2(), -1.0f);
  CWaypointRoute* route = first->GetRoute(0);
  EXPECT_EQ(route->GetCreatedSeconds(), 108000u);
  ASSERT_EQ(route->GetPointCount(), 3);
  EXPECT_EQ(route->GetPoint(0)->GetWaypoint(), nullptr);
  EXPECT_EQ(route->GetPoint(0)->GetLatitude(), 0.1);
  EXPECT_EQ(route->GetPoint(0)->GetLongitude(), 0.2);
  EXPECT_EQ(route->GetPoint(0)->GetRadius(), 5.0f);
  EXPECT_EQ(route->GetPoint(1)->GetWaypoint(), alive);
  EXPECT_EQ(route->GetPoint(2)->GetLatitude(), 0.5);
  EXPECT_EQ(route->GetPoint(2)->GetRadius(), 7.0f);
}

struct SBadFile {
  const char* what;
  std::function<TBytes()> make;
  uint32_t code;
};

TBytes Patched(TBytes bytes, size_t at, std::initializer_list<uint8_t> values) {
  std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

// The file start of version 1.0.0.0, the given bytes and room for a few
// records, so that the counts pass their size check.
TBytes Version1Start(std::initializer_list<uint8_t> rest) {
  TBytes bytes(kVersion1, kVersion1 + 16);
  bytes.insert(bytes.end(), rest);
  bytes.resize(bytes.size() + 64);
  return bytes;
}

TEST_F(WaypointFileTest, EachBadFileGivesItsCodeAndLeavesTheManagerAsItWas) {
  const TBytes hand = Bytes(kHandMade);
  const SBadFile cases[] = {
      {"identifier", [&] { return Patched(hand, 0, {'X'}); }, 0x10016},
      {"version 2.0.0.1",
       [&] {
         return Patched(hand, 12, {1, 0, 0, 2});
       },
       0x10018},
      {"version 1.0.0.1",
       [&] {
         return Patched(hand, 12, {1, 0, 0, 1});
       },
       0x10017},
      {"version 0",
       [&] {
         return Patched(hand, 12, {0, 0, 0, 0});
       },
       0x10017},
      {"empty file", [&] { return TBytes(); }, 0x10005},
      {"count bomb", [&] { return Bytes(kCountBomb); }, 0x10005},
      {"waypoint count 2^24",
       [&] {
         return Patched(hand, 48, {0, 0, 0, 1});
       },
       0x10015},
      {"waypoint count signed",
       [&] {
         return Patched(hand, 48, {3, 0, 0, 0x80});
       },
       0x10015},
      {"icon width 0", [&] { return Patched(hand, kHandMadeAtIconSize, {0}); }, 0x80014},
      {"icon width 65", [&] { return Patched(hand, kHandMadeAtIconSize, {65}); }, 0x80015},
      {"icon origin", [&] { return Patched(hand, kHandMadeAtTypeOrigin + 3, {0x42}); }, 0x80016},
      {"name font 0", [&] { return Patched(hand, kHandMadeAtNameFontSize, {0}); }, 0x8001E},
      {"placement 9", [&] { return Patched(hand, kHandMadeAtPlacement, {9}); }, 0x10015},
      {"negative float", [&] { return Patched(hand, kHandMadeAtFloat1 + 3, {0xBF}); }, 0x10015},
      {"chosen link 2 of 2", [&] { return Patched(hand, kHandMadeAtChosen1, {2}); }, 0x10015},
      {"members 2^24",
       [&] {
         return Patched(hand, kHandMadeAtMemberCount, {0, 0, 0, 1});
       },
       0x10015},
      {"member bomb",
       [&] {
         return Patched(hand, kHandMadeAtMemberCount, {0xFF, 0xFF, 0xFF});
       },
       0x10005},
      {"zero type identifier",
       [&] {
         return Patched(hand, kHandMadeAtType, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
       },
       0x10015},
      {"repeated waypoint identifier",
       [&] {
         return Patched(
             hand, kHandMadeAtWaypoints,
             std::initializer_list<uint8_t>({0x31, 0x31, 0x31, 0x31, 0x31, 0x31, 0x31, 0x31, 0x31,
                                             0x31, 0x31, 0x31, 0x31, 0x31, 0x31, 0x31}));
       },
       0x10015},
      {"v1 negative type count",
       [] {
         return Version1Start({0xFF, 0xFF, 0xFF, 0xFF});
       },
       0x10015},
      {"v1 type count 65536",
       [] {
         return Version1Start({0, 0, 1, 0});
       },
       0x10015},
      {"v1 missing marker",
       [] {
         return Version1Start({1, 0, 0, 0, 0xAB});
       },
       0x10015},
      {"v1 type pixel bomb",
       [] {
         return Version1Start({1, 0, 0, 0, 0xAA, 0,    0,    0,    0,    0,    0,    0,
                               0, 0, 0, 0, 0,    0,    0,    0,    0,    0,    0,    0,
                               0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
       },
       0x10005},
      {"v1 waypoint kind 2",
       [] {
         return Version1Start({0, 0, 0, 0, 1, 0, 0, 0, 0xAA, 2, 0, 0, 0});
       },
       0x10015},
      {"v1 waypoint count 2^24",
       [] {
         return Version1Start({0, 0, 0, 0, 0, 0, 0, 1});
       },
       0x10015},
      {"v1 waypoint bomb",
       [] {
         return Version1Start({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
       },
       0x10005},
  };
  for (const SBadFile& bad : cases) {
    SCOPED_TRACE(bad.what);
    auto before = Counts(manager);
    error = 0;
    EXPECT_EQ(LoadImage(manager, bad.make(), &error), nullptr);
    EXPECT_EQ(error, bad.code) << std::hex << error;
    EXPECT_EQ(Counts(manager), before);
    EXPECT_EQ(manager->GetPendingFixups(), nullptr);
  }
}

TEST_F(WaypointFileTest, AFileCutAnywhereGivesAShortRead) {
  const TBytes hand = Bytes(kHandMade);
  for (size_t size = 0; size < hand.size(); ++size) {
    SCOPED_TRACE(size);
    error = 0;
    EXPECT_EQ(
        LoadImage(manager, TBytes(hand.begin(), hand.begin() + static_cast<long>(size)), &error),
        nullptr);
    EXPECT_EQ(error, 0x10005u);
  }
  const TBytes v1 = Bytes(kVersion1);
  for (size_t size = 16; size < v1.size(); ++size) {
    error = 0;
    EXPECT_EQ(LoadImage(manager, TBytes(v1.begin(), v1.begin() + static_cast<long>(size)), &error),
              nullptr);
    EXPECT_TRUE(error == 0x10005u || error == 0x10015u) << size;
  }
  EXPECT_EQ(Counts(manager), (std::array<int32_t, 5>{1, 0, 1, 0, 0}));
}

TEST_F(WaypointFileTest, TheSameDatabaseTwiceIsRefused) {
  ASSERT_NE(LoadImage(manager, Bytes(kHandMade), &error), nullptr);
  auto before = Counts(manager);
  EXPECT_EQ(LoadImage(manager, Bytes(kHandMade), &error), nullptr);
  EXPECT_EQ(error, 0x80001u);
  EXPECT_EQ(Counts(manager), before);
}

// Two databases whose items refer to each other's, read in one batch.
TEST_F(WaypointFileTest, FilesOfOneBatchResolveEachOthersReferences) {
  CStr a("A"), b("B");
  CWaypointDatabase* dbA = manager->CreateDatabase(&a, 0, 0);
  CWaypointDatabase* dbB = manager->CreateDatabase(&b, 0, 0);
  CBmp32 icon(4, 4, false);
  CWaypointType* typeB =
      dbB->AddType(&icon, nullptr, 0, 1.0f, 1.0f, 10, 0, 0xFF000000u, 8, 0, 0xFF000000u);
  SGeo3D p = Deg(1, 1);
  CWaypoint* wa = dbA->AddWaypoint(&p, typeB);
  CWaypoint* wb = dbB->AddWaypoint(&p, nullptr);
  CWaypointGroup* groupA = dbA->AddGroup();
  groupA->AddWaypoint(wb, &error);
  CWaypointRoute* routeB = dbB->AddRoute();
  routeB->AddWaypoint(wa, 3.0f, &error);
  TBytes imageA = SaveImage(dbA, &error), imageB = SaveImage(dbB, &error);
  ASSERT_EQ(error, 0u);

  CWaypointManager* other = NewManager();
  other->BeginLoad(2, nullptr);
  CConstPointerStream sa(imageA.data(), static_cast<int64_t>(imageA.size()));
  CConstPointerStream sb(imageB.data(), static_cast<int64_t>(imageB.size()));
  CWaypointDatabase* readA = other->OpenDatabaseFrom(sa, &error);
  CWaypointDatabase* readB = other->OpenDatabaseFrom(sb, &error);
  ASSERT_TRUE(readA && readB);
  // Saved before EndLoad: the waiting references are written as they were read.
  EXPECT_EQ(SaveImage(readA, &error), imageA);
  other->EndLoad();
  CWaypoint* readWb = readB->GetWaypoint(0);
  EXPECT_EQ(readA->GetWaypoint(0)->GetType(), readB->GetType(0));
  EXPECT_TRUE(readA->GetGroup(0)->Contains(readWb));
  EXPECT_FALSE(other->GetDefaultGroup()->Contains(readWb));
  EXPECT_TRUE(other->GetDefaultGroup()->Contains(readA->GetWaypoint(0)));
  EXPECT_EQ(readB->GetRoute(0)->GetPoint(0)->GetWaypoint(), readA->GetWaypoint(0));
  td::Free(other);
}

// An item deleted before EndLoad takes the references waiting on it along.
TEST_F(WaypointFileTest, AnItemDeletedBeforeEndLoadDropsItsFixups) {
  manager->BeginLoad(1, nullptr);
  TBytes hand = Bytes(kHandMade);
  CConstPointerStream stream(hand.data(), static_cast<int64_t>(hand.size()));
  CWaypointDatabase* db = manager->OpenDatabaseFrom(stream, &error);
  ASSERT_NE(db, nullptr);
  db->GetGroup(0)->Delete(&error);
  db->GetRoute(0)->Delete(&error);
  db->GetWaypoint(2)->Delete(&error);
  db->GetWaypoint(1)->Delete(&error);
  EXPECT_EQ(manager->GetPendingFixups(), nullptr);
  manager->EndLoad();
  EXPECT_EQ(manager->GetDefaultGroup()->GetCount(), 1);
}

// A manager deleted before EndLoad frees the waiting references with the items.
TEST_F(WaypointFileTest, AManagerDeletedMidBatchFreesEverything) {
  manager->BeginLoad(1, nullptr);
  TBytes hand = Bytes(kHandMade);
  CConstPointerStream stream(hand.data(), static_cast<int64_t>(hand.size()));
  ASSERT_NE(manager->OpenDatabaseFrom(stream, &error), nullptr);
  EXPECT_NE(manager->GetPendingFixups(), nullptr);
  td::Free(manager);
  manager = NewManager();
}

// A stream that writes short from its n-th write on.
class CFailingStream : public CMemoryStream {
 public:
  explicit CFailingStream(int32_t failAt) : failAt_(failAt) {}
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override {
    return ++writes_ >= failAt_ ? 0 : CMemoryStream::Write(buffer, count);
  }
  int32_t writes_ = 0;

 private:
  int32_t failAt_;
};

TEST_F(WaypointFileTest, AWriteFailingAtAnyPointStopsTheSaveWithItsCode) {
  CWaypointDatabase* db = LoadImage(manager, Bytes(kHandMade), &error);
  ASSERT_NE(db, nullptr);
  CFailingStream counter(1 << 30);
  ASSERT_TRUE(db->WriteTo(counter, 0, error));
  for (int32_t k = 1; k <= counter.writes_; ++k) {
    CFailingStream stream(k);
    error = 0;
    EXPECT_FALSE(db->WriteTo(stream, 0, error)) << k;
    EXPECT_EQ(error, 0x10006u) << k;
  }
}

TEST_F(WaypointFileTest, AFileStepFailingKeepsTheOldFileAndTheDatabaseModified) {
  CWaypointDatabase* db = LoadImage(manager, Bytes(kHandMade), &error);
  ASSERT_NE(db, nullptr);
  db->GetWaypoint(0)->SetRadius(12.0f, &error);
  ASSERT_TRUE(db->IsModified());
  CStr target = ScratchPath("waypoints.wpt");
  WriteBytes(target, "old database");
  CStr temp = MakeTempFileName(target);
  for (int32_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    td::FileFaultArm(n);
    error = 0;
    db->Save(&target, &error);
    bool passed = td::FileFaultCount() < n;
    td::FileFaultArm(0);
    if (passed) {
      EXPECT_EQ(error, 0u);
      break;
    }
    EXPECT_NE(error, 0u);
    EXPECT_EQ(ReadBytes(target), "old database");
    EXPECT_FALSE(FileExists(temp));
    EXPECT_TRUE(db->IsModified());
  }
  EXPECT_FALSE(db->IsModified());
  TBytes expected = SaveImage(db, &error);
  Put(expected, kModifiedAt, db->GetModifiedTime());
  std::string written = ReadBytes(target);
  EXPECT_EQ(TBytes(written.begin(), written.end()), expected);
  RemoveFile(target);
}

// A database holding more links than the file can count: the save is
// refused with its code, and neither the file nor the modified flag change.
TEST_F(WaypointFileTest, SaveRefusesWhatTheFileCannotHoldWhole) {
  const CStr shortName("Refused");
  CWaypointDatabase* db = manager->CreateDatabase(&shortName, 0, 0);
  SGeo3D p = Deg(1, 1);
  CWaypoint* w = db->AddWaypoint(&p, nullptr);
  for (int32_t i = 0; i < 256; ++i) w->AddLink(&shortName, &shortName, &error);
  CStr target = ScratchPath("refused.wpt");
  db->Save(&target, &error);
  EXPECT_EQ(error, 0x10015u);
  EXPECT_FALSE(FileExists(target));
  EXPECT_TRUE(db->IsModified());
}

// An empty database named by 300 characters: the file of the layout with the
// first 255 of them, 12 + 4 + 43 + 1 + 255 bytes, which opens again.
TEST_F(WaypointFileTest, ANameOf300CharactersIsSavedAsItsFirst255) {
  const std::string longName(300, 'n');
  CStr name(longName.c_str());
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0x01020304, 1);
  CStr target = ScratchPath("long-name.wpt");
  db->Save(&target, &error);
  ASSERT_EQ(error, 0u);
  EXPECT_FALSE(db->IsModified());
  TBytes expected(kEmptyTest, kEmptyTest + 59);
  std::memcpy(expected.data() + kIdAt, db->GetId(), 16);
  Put(expected, kModifiedAt, db->GetModifiedTime());
  expected.push_back(255);
  expected.insert(expected.end(), 255, 'n');
  const std::string written = ReadBytes(target);
  EXPECT_EQ(TBytes(written.begin(), written.end()), expected);
  EXPECT_EQ(written.size(), 12u + 4 + 43 + 1 + 255);
  CWaypointManager* other = NewManager();
  CWaypointDatabase* again = other->OpenDatabase(&target, &error);
  ASSERT_NE(again, nullptr) << std::hex << error;
  EXPECT_EQ(again->GetName(), CStr(longName.substr(0, 255).c_str()));
  td::Free(other);
  RemoveFile(target);
}

// Version 1.0.0.0 names are long strings: a waypoint named by 300 characters
// converts to version 2.0.0.0 with the first 255, and so does a waypoint that
// took the name over by Assign.
TEST_F(WaypointFileTest, AVersion1NameOf300CharactersConvertsCut) {
  CWaypointDatabase* converted = LoadImage(manager, Bytes(kVersion1LongName), &error);
  ASSERT_NE(converted, nullptr) << std::hex << error;
  ASSERT_EQ(converted->GetWaypoint(0)->GetName()->GetLength(), 300);
  CStr name("Copy");
  CWaypointDatabase* copy = manager->CreateDatabase(&name, 0, 0);
  SGeo3D p = Deg(1, 1);
  CWaypoint* assigned = copy->AddWaypoint(&p, nullptr);
  assigned->Assign(converted->GetWaypoint(0), &error);
  ASSERT_EQ(error, 0u);
  const CStr cut(std::string(255, 'L').c_str());
  for (CWaypointDatabase* db : {converted, copy}) {
    CStr target = ScratchPath("converted.wpt");
    error = 0xDEAD;
    db->Save(&target, &error);
    ASSERT_EQ(error, 0u);
    CWaypointManager* other = NewManager();
    CWaypointDatabase* again = other->OpenDatabase(&target, &error);
    ASSERT_NE(again, nullptr) << std::hex << error;
    EXPECT_EQ(*again->GetWaypoint(0)->GetName(), cut);
    td::Free(other);
    RemoveFile(target);
  }
}

// A comment is refused where it enters: the waypoint keeps the comment it
// had and is not touched, and the database saves.
TEST_F(WaypointFileTest, ACommentOver255CharactersIsRefusedAndTheDatabaseSaves) {
  CStr name("Comments");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  SGeo3D p = Deg(1, 1);
  CWaypoint* w = db->AddWaypoint(&p, nullptr);
  const CStr kept("kept");
  w->SetComment(&kept, &error);
  ASSERT_EQ(error, 0u);
  const uint32_t modified = w->GetModifiedSeconds();
  w->SetModifiedSeconds(modified - 100);
  const CStr longText(std::string(256, 'c').c_str());
  w->SetComment(&longText, &error);
  EXPECT_EQ(error, 0x80028u);
  EXPECT_EQ(*w->GetComment(), kept);
  EXPECT_EQ(w->GetModifiedSeconds(), modified - 100);
  CStr target = ScratchPath("comments.wpt");
  db->Save(&target, &error);
  EXPECT_EQ(error, 0u);
  CWaypointManager* other = NewManager();
  CWaypointDatabase* again = other->OpenDatabase(&target, &error);
  ASSERT_NE(again, nullptr) << std::hex << error;
  EXPECT_EQ(*again->GetWaypoint(0)->GetComment(), kept);
  td::Free(other);
  RemoveFile(target);
}

TEST_F(WaypointFileTest, AComment255CharactersLongReadsBackWhole) {
  CStr name("Kept");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  SGeo3D p = Deg(1, 1);
  const CStr comment(std::string(255, 'c').c_str());
  db->AddWaypoint(&p, nullptr)->SetComment(&comment, &error);
  const TBytes image = SaveImage(db, &error);
  ASSERT_EQ(error, 0u);
  CWaypointManager* other = NewManager();
  CWaypointDatabase* again = LoadImage(other, image, &error);
  ASSERT_NE(again, nullptr);
  EXPECT_STREQ(again->GetWaypoint(0)->GetComment()->c_str(), comment.c_str());
  td::Free(other);
}

}  // namespace

namespace {

TEST(WaypointSelfTest, PassesAndLeavesNoFile) {
  CStr target = ScratchPath("selftest.wpt");
  uint32_t error = 0xDEAD;
  EXPECT_TRUE(td::ValidateWaypointDB(target, &error));
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(FileExists(target));
}

TEST(WaypointSelfTest, InAMissingFolderFailsWithTheSaveCodeAndMakesNoFile) {
  CStr target = ScratchPath("no-such-folder/selftest.wpt");
  uint32_t error = 0;
  EXPECT_FALSE(td::ValidateWaypointDB(target, &error));
  EXPECT_NE(error, 0u);
  EXPECT_FALSE(FileExists(target));
}

}  // namespace

namespace {

struct SReport {
  uint32_t stage;
  float fraction;
  float position;
};

// Records every report; cancels at report cancelAt (counted from 1).
struct SProgressLog {
  std::vector<SReport> reports;
  size_t cancelAt = 0;
  SProgress record{};

  SProgressLog() { td::ProgressStageInit1(&record, 1.0f, 1, &SProgressLog::Call, this, 0); }
  static void TD_STDCALL Call(void* self, TdProgressInfo* info) {
    auto* log = static_cast<SProgressLog*>(self);
    log->reports.push_back({info->stageId, info->fraction, info->position});
    if (log->reports.size() == log->cancelAt) info->cancel = 1;
  }
  std::vector<float> Fractions(uint32_t stage) const {
    std::vector<float> out;
    for (const SReport& r : reports)
      if (r.stage == stage) out.push_back(r.fraction);
    return out;
  }
};

// count waypoints; grouped puts them all in one group, so that loading has
// as many fix-ups.
TBytes ImageWithWaypoints(int32_t count, bool grouped = false) {
  CWaypointManager* manager = NewManager();
  CStr name("Many");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  CWaypointGroup* group = grouped ? db->AddGroup() : nullptr;
  uint32_t error;
  for (int32_t i = 0; i < count; ++i) {
    SGeo3D p = Deg(i * 0.001, 0);
    CWaypoint* waypoint = db->AddWaypoint(&p, nullptr);
    if (group) group->AddWaypoint(waypoint, &error);
  }
  TBytes image = SaveImage(db, &error);
  td::Free(manager);
  return image;
}

CWaypointDatabase* LoadWithProgress(CWaypointManager* manager, const TBytes& image,
                                    SProgressLog& log, uint32_t* error) {
  CConstPointerStream stream(image.data(), static_cast<int64_t>(image.size()));
  manager->BeginLoad(1, &log.record);
  CWaypointDatabase* db = manager->OpenDatabaseFrom(stream, error);
  manager->EndLoad();
  return db;
}

TEST(WaypointLoadProgress, AThousandItemsReportEveryFifthAndTheEnd) {
  CWaypointManager* manager = NewManager();
  SProgressLog log;
  uint32_t error;
  ASSERT_NE(LoadWithProgress(manager, ImageWithWaypoints(1000), log, &error), nullptr);
  std::vector<float> reader = log.Fractions(6);
  ASSERT_EQ(reader.size(), 202u);
  EXPECT_EQ(reader[0], 0.0f);
  EXPECT_FLOAT_EQ(reader[1], 0.005f);
  EXPECT_FLOAT_EQ(reader[2], 0.010f);
  EXPECT_EQ(reader[200], 1.0f);
  EXPECT_EQ(reader[201], 1.0f);
  td::Free(manager);
}

TEST(WaypointLoadProgress, FewerThan400ItemsReportEach) {
  CWaypointManager* manager = NewManager();
  SProgressLog log;
  uint32_t error;
  ASSERT_NE(LoadWithProgress(manager, ImageWithWaypoints(399), log, &error), nullptr);
  EXPECT_EQ(log.Fractions(6).size(), 1u + 399u + 1u);
  td::Free(manager);
}

TEST(WaypointLoadProgress, ACancelStopsWithCode2AndLeavesTheManager) {
  CWaypointManager* manager = NewManager();
  SProgressLog log;
  log.cancelAt = 3;
  auto before = Counts(manager);
  uint32_t error = 0;
  EXPECT_EQ(LoadWithProgress(manager, ImageWithWaypoints(50), log, &error), nullptr);
  EXPECT_EQ(error, 2u);
  EXPECT_EQ(Counts(manager), before);
  td::Free(manager);
}

// The highest file count a host can give still makes one stage per file and
// one for the references; the batch loads as usual.
TEST(WaypointLoadProgress, TheHighestFileCountStillLoads) {
  CWaypointManager* manager = NewManager();
  SProgressLog log;
  TBytes image = ImageWithWaypoints(10, true);
  CConstPointerStream stream(image.data(), static_cast<int64_t>(image.size()));
  uint32_t error;
  manager->BeginLoad(INT32_MAX, &log.record);
  ASSERT_NE(manager->OpenDatabaseFrom(stream, &error), nullptr);
  manager->EndLoad();
  EXPECT_EQ(manager->GetWaypointCount(), 10);
  ASSERT_FALSE(log.reports.empty());
  EXPECT_LT(log.reports.back().position, 1e-6f);
  td::Free(manager);
}

TEST(WaypointLoadProgress, TwoFilesMoveThroughThirds) {
  CWaypointManager* manager = NewManager();
  SProgressLog log;
  TBytes one = ImageWithWaypoints(10, true), two = ImageWithWaypoints(10, true);
  CConstPointerStream s1(one.data(), static_cast<int64_t>(one.size()));
  CConstPointerStream s2(two.data(), static_cast<int64_t>(two.size()));
  uint32_t error;
  manager->BeginLoad(2, &log.record);
  ASSERT_NE(manager->OpenDatabaseFrom(s1, &error), nullptr);
  float afterFirst = log.reports.back().position;
  ASSERT_NE(manager->OpenDatabaseFrom(s2, &error), nullptr);
  float afterSecond = log.reports.back().position;
  manager->EndLoad();
  EXPECT_NEAR(afterFirst, 1.0f / 3, 1e-5);
  EXPECT_NEAR(afterSecond, 2.0f / 3, 1e-5);
  std::vector<float> fixups = log.Fractions(2);
  ASSERT_EQ(fixups.size(), 20u + 1u);
  EXPECT_EQ(fixups.front(), 0.0f);
  EXPECT_FLOAT_EQ(fixups[1], 0.05f);
  EXPECT_EQ(fixups.back(), 1.0f);
  EXPECT_NEAR(log.reports.back().position, 1.0f, 1e-5);
  td::Free(manager);
}

}  // namespace
