#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/geodesy/GeodeticTables.h"
#include "lib/geodesy/Geodetics.h"

namespace {

const SGeodeticDatum* Datum(const char* code) { return GeodeticDatumCreateSafe(code); }

std::string OldName(const SGeodeticDatum* d, int32_t* sizeOut = nullptr) {
  char buffer[80];
  int32_t size = sizeof buffer;
  EXPECT_TRUE(GeodeticDatumOldNameTo(d, size, buffer));
  if (sizeOut) *sizeOut = size;
  return buffer;
}

}  // namespace

TEST(GeodeticTablesTest, InitialisingTwiceReturnsTheSameTables) {
  CGeodeticTables* first = GeodeticTablesInitialize();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GeodeticTablesInitialize(), first);
}

TEST(GeodeticTablesTest, ListsHoldEveryRowInCodeOrder) {
  int32_t count = 0;
  EXPECT_FALSE(GeodeticDatumListTo(count, nullptr));
  EXPECT_EQ(count, 232);
  const SGeodeticDatum* datums[232];
  EXPECT_TRUE(GeodeticDatumListTo(count, datums));
  for (int i = 1; i < 232; ++i) EXPECT_LT(std::strcmp(datums[i - 1]->Code, datums[i]->Code), 0);
  EXPECT_STREQ(datums[0]->Code, "ADI-A");
  EXPECT_STREQ(datums[231]->Code, "ZAN");

  count = 3;
  EXPECT_FALSE(GeodeticEllipsoidListTo(count, nullptr));
  EXPECT_EQ(count, 25);
  const SGeodeticEllipsoid* ellipsoids[25];
  EXPECT_TRUE(GeodeticEllipsoidListTo(count, ellipsoids));
  for (int i = 1; i < 25; ++i) EXPECT_LT(ellipsoids[i - 1]->Code, ellipsoids[i]->Code);
  EXPECT_EQ(ellipsoids[24]->Code, GeodeticEllipsoidCodeFromStr("WO"));
}

TEST(GeodeticTablesTest, RowsCarryTheirPublishedTextsAndValues) {
  struct Case {
    const char *code, *name, *area, *ellipsoid;
    double dx, dy, dz;
  };
  // dy is stored negated: the library's Y axis is mirrored.
  const Case cases[] = {
      {"ADI-A", "Adindan", "Ethiopia", "CD", -165, 11, 206},
      {"SIR", "SIRGAS (South American Geocentric Reference System)", "South America", "RF", 0, 0, 0},
      {"TOY-M", "Tokyo", "Mean Solution (Japan, Okinawa, South Korea)", "BR", -148, -507, 685},
      {"ZAN", "Zanderij", "Suriname", "IN", -265, -120, -358},
      {"EUR-M", "ED50", "Mean (3 Param)", "IN", -87, 98, -121},
      {"AFG", "Afgooye", "Somalia", "KA", -43, 163, 45},
      {"RD-OLD", "Bessel (NL.RD)", "Netherlands", "BR", 593.16, -26.15, 478.54},
  };
  for (const Case& c : cases) {
    const SGeodeticDatum* d = Datum(c.code);
    EXPECT_STREQ(d->Name, c.name) << c.code;
    EXPECT_STREQ(d->Area, c.area) << c.code;
    EXPECT_EQ(d->Ellipsoid, GeodeticEllipsoidCreateSafe(c.ellipsoid)) << c.code;
    EXPECT_EQ(d->Dx, c.dx) << c.code;
    EXPECT_EQ(d->Dy, c.dy) << c.code;
    EXPECT_EQ(d->Dz, c.dz) << c.code;
    EXPECT_EQ(d->Kind, kDatumTableRow);
  }
  // Rotations: arc-seconds to radians, X and Z negated for the mirrored frame.
  const SGeodeticDatum* rts = Datum("RTS");
  EXPECT_DOUBLE_EQ(rts->Rx, -0.855 * 4.84813681109536e-6);
  EXPECT_DOUBLE_EQ(rts->Ry, -2.141 * 4.84813681109536e-6);
  EXPECT_DOUBLE_EQ(rts->Rz, -7.023 * 4.84813681109536e-6);
  EXPECT_DOUBLE_EQ(Datum("RD")->Scale, 1 + 4.0772e-6);
  EXPECT_EQ(GeodeticRDOldDatum(), Datum("RD-OLD"));
}

TEST(GeodeticTablesTest, WGS84IsRecognisedByEllipsoidAndParameters) {
  const SGeodeticDatum* wge = GeodeticWGS84Datum();
  EXPECT_STREQ(wge->Code, "WGE");
  EXPECT_TRUE(wge->IsWGS84);
  EXPECT_EQ(wge->Ellipsoid, GeodeticWGS84Ellipsoid());
  const SGeodeticDatum* sir = Datum("SIR");
  EXPECT_FALSE(sir->IsWGS84);
  EXPECT_TRUE(GeodeticDatumIsEqualParams(*sir, *wge));
  EXPECT_TRUE(Datum("KGS")->IsWGS84);  // WGS 84 ellipsoid, no shift
}

TEST(GeodeticTablesTest, LookupsByCodeNumberAndOldName) {
  EXPECT_EQ(GeodeticDatumFindByCode("NOPE"), nullptr);
  EXPECT_EQ(GeodeticDatumFindByCode(nullptr), nullptr);
  EXPECT_EQ(GeodeticEllipsoidFindByCode("ZZ"), nullptr);
  EXPECT_EQ(GeodeticEllipsoidFindByCode("WE")->A, 6378137.0);

  EXPECT_EQ(GeodeticDatumFindByNumber(209), Datum("WGE"));
  EXPECT_EQ(GeodeticDatumFindByNumber(18), Datum("ARF-M"));
  EXPECT_EQ(GeodeticDatumFindByNumber(19), Datum("ARF-M"));
  EXPECT_EQ(GeodeticDatumFindByNumber(223), Datum("KGS"));
  for (int32_t empty : {0, 214, 220, 224, -1, 32767}) EXPECT_EQ(GeodeticDatumFindByNumber(empty), nullptr) << empty;

  EXPECT_EQ(GeodeticDatumFindByOldName("WGS 1984"), Datum("WGE"));
  EXPECT_EQ(GeodeticDatumFindByOldName("ED50, EUR-M"), Datum("EUR-M"));
  EXPECT_EQ(GeodeticDatumFindByOldName("NAD 1927, NAS-S"), Datum("NAS-D"));
  EXPECT_EQ(GeodeticDatumFindByOldName("Adindan"), nullptr);
}

TEST(GeodeticTablesTest, OldNameIsTheLastInNameOrder) {
  EXPECT_EQ(OldName(Datum("SPK-A")), "s-42, SPK");
  EXPECT_EQ(OldName(Datum("ADI-A")), "Adindan, ADI-A");
  int32_t size = 0;
  EXPECT_EQ(OldName(Datum("PD"), &size), "");
  EXPECT_EQ(size, 1);

  char small[4];
  size = 4;
  EXPECT_FALSE(GeodeticDatumOldNameTo(Datum("WGE"), size, small));
  EXPECT_EQ(size, 9);
}

TEST(GeodeticTablesTest, SafeLookupsThrowNumberedErrors) {
  try {
    GeodeticDatumCreateSafe("XYZ");
    FAIL();
  } catch (const CGeodeticsError& e) {
    EXPECT_EQ(e.GetNumber(), 3u);
    EXPECT_STREQ(e.what(), "GeodeticDatumCreateSafe: Datum code XYZ not found.");
  }
  try {
    GeodeticEllipsoidCreateSafe("QQ");
    FAIL();
  } catch (const CGeodeticsError& e) {
    EXPECT_EQ(e.GetNumber(), 2u);
    EXPECT_STREQ(e.what(), "GeodeticEllipsoidCreateSafe: Ellipsoid code QQ not found.");
  }
}

TEST(GeodeticTablesTest, CreatedDatumsAreSharedPerDefinition) {
  const SGeodeticEllipsoid* bessel = GeodeticEllipsoidCreateSafe("BR");
  const SDatumParams params{1, 2, 3, 4e-6, 5e-6, 6e-6, 1.000001};
  const SGeodeticDatum* a = GeodeticDatumCreateByDefWorker(bessel, params);
  EXPECT_EQ(GeodeticDatumCreateByDefWorker(bessel, params), a);
  EXPECT_EQ(a->Kind, kDatumByDefinition);
  EXPECT_STREQ(a->Code, "");
  EXPECT_EQ(a->Rx, 4e-6);  // taken as given
  SDatumParams other = params;
  other.Scale = 1;
  EXPECT_NE(GeodeticDatumCreateByDefWorker(bessel, other), a);
  EXPECT_NE(GeodeticDatumCreateByDefWorker(GeodeticWGS84Ellipsoid(), params), a);

  const SGeodeticDatum* s = GeodeticDatumCreateByShiftWorker({0.9, 0.1}, {1e-5, -2e-5});
  EXPECT_EQ(GeodeticDatumCreateByShiftWorker({0.9, 0.1}, {1e-5, -2e-5}), s);
  EXPECT_EQ(s->Kind, kDatumByShift);
  EXPECT_EQ(s->RefPoint[0], 0.9);
  EXPECT_EQ(s->Shift[1], -2e-5);
  EXPECT_TRUE(GeodeticDatumCreateByShiftWorker({0.5, 0.5}, {0, 0})->IsWGS84);

  const SGeodeticEllipsoid* e = GeodeticEllipsoidCreateByDefWorker(6378000, 300);
  EXPECT_EQ(GeodeticEllipsoidCreateByDefWorker(6378000, 300), e);
  EXPECT_EQ(e->Kind, kEllipsoidByDefinition);
  EXPECT_EQ(e->Code, 0u);
  EXPECT_EQ(GeodeticEllipsoidCreateByDefWorker(6371000, 0)->F, 0);  // a sphere
}

TEST(GeodeticTablesTest, ValidDatumsAreTheTablesOwnRecords) {
  const SGeodeticDatum* row = Datum("EUR-M");
  EXPECT_TRUE(GeodeticDatumIsKnown(row));
  EXPECT_TRUE(GeodeticDatumIsKnown(GeodeticDatumCreateByShiftWorker({0.1, 0.2}, {3e-6, 0})));
  EXPECT_TRUE(GeodeticDatumIsKnown(GeodeticDatumCreateByDefWorker(GeodeticWGS84Ellipsoid(), {9, 9, 9, 0, 0, 0, 1})));
  const SGeodeticDatum copy = *row;
  EXPECT_FALSE(GeodeticDatumIsKnown(&copy));
  EXPECT_FALSE(GeodeticDatumIsKnown(nullptr));
}

TEST(GeodeticTablesTest, ConcurrentCreationYieldsOneRecordPerDefinition) {
  const SGeodeticEllipsoid* wgs = GeodeticWGS84Ellipsoid();
  constexpr int kThreads = 4, kDefinitions = 40;
  const SGeodeticDatum* seen[kThreads][kDefinitions];
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kDefinitions; ++i) {
        const int k = (i + t * 7) % kDefinitions;  // different orders per thread
        seen[t][k] = GeodeticDatumCreateByDefWorker(wgs, {1000.0 + k, 0, 0, 0, 0, 0, 1});
      }
    });
  }
  for (std::thread& th : threads) th.join();
  for (int k = 0; k < kDefinitions; ++k) {
    EXPECT_EQ(seen[0][k]->Dx, 1000.0 + k);
    for (int t = 1; t < kThreads; ++t) EXPECT_EQ(seen[t][k], seen[0][k]) << k;
  }
}

namespace {

std::atomic<int> g_CleanUps{0};
void CountCleanUp() { ++g_CleanUps; }

}  // namespace

// The tables are torn down first, so that the threads race to build them and
// to register clean-ups at the same time; the tables are built again later.
TEST(GeodeticTablesTest, FirstUseFromSeveralThreadsAtOnce) {
  RunFinalizeProcs();
  g_CleanUps = 0;
  constexpr int kThreads = 4, kRegistrations = 500;
  const SGeodeticDatum* seen[kThreads] = {};
  std::atomic<int> ready{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ++ready;
      while (ready < kThreads) std::this_thread::yield();
      seen[t] = GeodeticDatumFindByCode("WGE");
      for (int i = 0; i < kRegistrations; ++i) AddFinalizeProc(CountCleanUp);
    });
  }
  for (std::thread& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_NE(seen[t], nullptr);
    EXPECT_EQ(seen[t], seen[0]);
  }
  EXPECT_STREQ(seen[0]->Area, "World");
  RunFinalizeProcs();  // the tables once, every registration once
  EXPECT_EQ(g_CleanUps, kThreads * kRegistrations);
  EXPECT_NE(GeodeticDatumFindByCode("WGE"), nullptr);
}
