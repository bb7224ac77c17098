#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/GeodeticRef.h"

namespace {

const SGeodeticDatum& Datum(const char* code) {
  GeodeticTablesInitialize();
  return *GeodeticDatumFindByCode(code);
}

TEST(GeodeticRef, InitClearsTheWholeRecord) {
  SGeodeticRef a, b;
  std::memset(&a, 0x5A, sizeof a);
  std::memset(&b, 0xA5, sizeof b);
  GeodeticRefInitLambertConformalConic(a, 0.6, 0.8, 0.4, -1.7, Datum("WGE"));
  GeodeticRefInitLambertConformalConic(b, 0.6, 0.8, 0.4, -1.7, Datum("WGE"));
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  EXPECT_EQ(a.Kind, kRefProjected);
  EXPECT_EQ(a.Projection, kProjLambertConformalConic);
  EXPECT_EQ(a.K0, 0.0);
  EXPECT_EQ(a.CosLat1, 0.0);
}

TEST(GeodeticRef, PrecomputedFields) {
  SGeodeticRef ref;
  GeodeticRefInitEquidistantCylindrical(ref, 0.5, 0.1, Datum("WGE"));
  EXPECT_EQ(ref.CosLat1, std::cos(0.5));
  GeodeticRefInitTransverseMercator(ref, 0.9996, 0.0, 0.1, Datum("WGE"));
  EXPECT_EQ(ref.M0, 0.0);
  // The meridian arc from the equator to 45 degrees on WGS 84.
  GeodeticRefInitTransverseMercator(ref, 0.9996, 3.14159265358979323846 / 4, 0.1, Datum("WGE"));
  EXPECT_NEAR(ref.M0, 4984944.378, 1e-3);
  GeodeticRefInitRD(ref);
  EXPECT_EQ(ref.Datum, GeodeticRDOldDatum());
  EXPECT_EQ(ref.Projection, kProjRD);
}

TEST(GeodeticRef, Comparisons) {
  SGeodeticRef a, b;
  GeodeticRefInitMercator(a, 0.2, Datum("WGE"));
  GeodeticRefInitMercator(b, 0.2, Datum("SIR"));  // GRS 80, all parameters 0
  EXPECT_TRUE(GeodeticRefIsEqualExceptDatum(a, b));
  EXPECT_FALSE(GeodeticRefIsEqual(a, b));
  EXPECT_TRUE(GeodeticRefIsEqualParams(a, b));
  GeodeticRefInitMercator(b, 0.2, Datum("ADI-A"));
  EXPECT_FALSE(GeodeticRefIsEqualParams(a, b));
  GeodeticRefInitMercator(b, 0.3, Datum("WGE"));
  EXPECT_FALSE(GeodeticRefIsEqualExceptDatum(a, b));

  // Fields a projection does not use are not compared.
  GeodeticRefInitTransverseMercator(a, 0.9996, 0.0, 0.1, Datum("WGE"));
  b = a;
  b.Lat2 = 0.7;
  EXPECT_TRUE(GeodeticRefIsEqual(a, b));
  b.K0 = 1.0;
  EXPECT_FALSE(GeodeticRefIsEqual(a, b));

  // Two RD references are equal except datum whatever else they hold.
  GeodeticRefInitRD(a);
  GeodeticRefInitRD(b);
  b.Long0 = 1.0;
  b.K0 = 3.0;
  EXPECT_TRUE(GeodeticRefIsEqualExceptDatum(a, b));

  // Different kinds never compare equal.
  GeodeticRefInitGeo(a, Datum("WGE"));
  GeodeticRefInitGlobal(b, Datum("WGE"));
  EXPECT_FALSE(GeodeticRefIsEqualExceptDatum(a, b));
  GeodeticRefInitGeo(b, Datum("ADI-A"));
  EXPECT_TRUE(GeodeticRefIsEqualExceptDatum(a, b));

  GeodeticRefInitScene(a, {0.5, 0.1, 10.0});
  GeodeticRefInitScene(b, {0.5, 0.1, 11.0});
  EXPECT_FALSE(GeodeticRefIsEqualExceptDatum(a, b));
}

}  // namespace
