// Projections against PROJ (a table made by scripts/gen_projection_refs.sh)
// and published coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

const SGeodeticDatum& Wgs84() {
  GeodeticTablesInitialize();
  return *GeodeticWGS84Datum();
}

// The references of the cases in the PROJ table, with the same parameters.
std::map<std::string, SGeodeticRef> TableRefs() {
  std::map<std::string, SGeodeticRef> refs;
  GeodeticRefInitMercator(refs["merc"], 0.0, Wgs84());
  GeodeticRefInitEquidistantCylindrical(refs["eqc"], 30 * kDeg, 10 * kDeg, Wgs84());
  GeodeticRefInitLambertConformalConic(refs["lcc"], 33 * kDeg, 45 * kDeg, 23 * kDeg, -96 * kDeg,
                                       Wgs84());
  GeodeticRefInitLambertConformalConic(refs["lccs"], -18 * kDeg, -36 * kDeg, -32 * kDeg,
                                       135 * kDeg, Wgs84());
  GeodeticRefInitLambertConformalConic(refs["lcc1"], 50 * kDeg, 50 * kDeg, 50 * kDeg, 5 * kDeg,
                                       Wgs84());
  GeodeticRefInitStereographic(refs["stere"], 0.9999, 52 * kDeg, 5 * kDeg, Wgs84());
  GeodeticRefInitStereographic(refs["sterep"], 0.994, 90 * kDeg, -45 * kDeg, Wgs84());
  return refs;
}

struct SRow {
  std::string name;
  SGeo2D geo;
  SPointD proj;
};

std::vector<SRow> TableRows() {
  std::ifstream in(std::string(TDLIB_TEST_DATA_DIR) + "/geodesy/data/projection_refs.txt");
  std::vector<SRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    SRow row;
    double latDeg, lonDeg;
    fields >> row.name >> latDeg >> lonDeg >> row.proj.x >> row.proj.y;
    row.geo = {latDeg * kDeg, lonDeg * kDeg};
    rows.push_back(row);
  }
  return rows;
}

// The difference of two longitudes, ignoring whole turns.
double LonDiff(double a, double b) { return std::remainder(a - b, 2 * 3.14159265358979323846); }

TEST(Projections, ForwardAgreesWithProj) {
  const auto refs = TableRefs();
  const auto rows = TableRows();
  ASSERT_GT(rows.size(), 300u);
  int checked = 0;
  for (const SRow& row : rows) {
    auto it = refs.find(row.name);
    if (it == refs.end()) continue;
    SPointD p;
    GeoToProj(p, row.geo, it->second);
    EXPECT_NEAR(p.x, row.proj.x, 1e-5) << row.name << " " << row.geo.lat / kDeg << " " << row.geo.lon / kDeg;
    EXPECT_NEAR(p.y, row.proj.y, 1e-5) << row.name << " " << row.geo.lat / kDeg << " " << row.geo.lon / kDeg;
    ++checked;
  }
  EXPECT_GT(checked, 300);
}

TEST(Projections, InverseReturnsProjsInput) {
  const auto refs = TableRefs();
  for (const SRow& row : TableRows()) {
    auto it = refs.find(row.name);
    if (it == refs.end()) continue;
    SGeo2D g;
    ProjToGeo(g, row.proj, it->second);
    // 1e-10 rad is 0.6 mm on the ground.
    EXPECT_NEAR(g.lat, row.geo.lat, 1e-10) << row.name << " " << row.geo.lat / kDeg << " " << row.geo.lon / kDeg;
    // At a pole every longitude is the same place.
    if (std::fabs(row.geo.lat) < 89.9 * kDeg) {
      EXPECT_NEAR(LonDiff(g.lon, row.geo.lon), 0.0, 1e-10) << row.name << " " << row.geo.lat / kDeg << " " << row.geo.lon / kDeg;
    }
  }
}

TEST(Projections, TransverseMercatorPublishedPoints) {
  struct {
    double latDeg, lonDeg, long0Deg, x, y;
  } cases[] = {
      {52.155172, 5.387204, 3, 163303.963, 5780984.268},      // zone 31
      {-33.8568, 151.2153, 153, -165099.430, -3747711.247},  // zone 56
  };
  for (const auto& c : cases) {
    SGeodeticRef ref;
    GeodeticRefInitTransverseMercator(ref, 0.9996, 0.0, c.long0Deg * kDeg, Wgs84());
    const SGeo2D geo{c.latDeg * kDeg, c.lonDeg * kDeg};
    SPointD p;
    GeoToProj(p, geo, ref);
    EXPECT_NEAR(p.x, c.x, 1e-3);
    EXPECT_NEAR(p.y, c.y, 1e-3);
    SGeo2D back;
    ProjToGeo(back, p, ref);
    EXPECT_NEAR(back.lat, geo.lat, 1e-10);
    EXPECT_NEAR(back.lon, geo.lon, 1e-10);
  }
}

TEST(Projections, TransverseMercatorScaleMatchesTheForwardProjection) {
  SGeodeticRef ref;
  GeodeticRefInitTransverseMercator(ref, 0.9996, 0.0, 3 * kDeg, Wgs84());
  EXPECT_DOUBLE_EQ(GeoToTransverseMercatorScale({52 * kDeg, 3 * kDeg}, ref), 0.9996);
  // Along the equator a step of dlon covers a dlon on the ground; the
  // projected step over it is the point scale.
  const double dlon = 1e-7;
  SPointD p1, p2;
  GeoToTransverseMercator(p1, {0.0, 6 * kDeg - dlon / 2}, ref);
  GeoToTransverseMercator(p2, {0.0, 6 * kDeg + dlon / 2}, ref);
  const double numeric = std::hypot(p2.x - p1.x, p2.y - p1.y) / (6378137.0 * dlon);
  EXPECT_NEAR(GeoToTransverseMercatorScale({0.0, 6 * kDeg}, ref), numeric, 1e-8);
}

TEST(Projections, LongitudeDifferenceIsWrapped) {
  SGeodeticRef tm, lcc;
  GeodeticRefInitTransverseMercator(tm, 0.9996, 0.0, 177 * kDeg, Wgs84());
  GeodeticRefInitLambertConformalConic(lcc, 33 * kDeg, 45 * kDeg, 23 * kDeg, 175 * kDeg, Wgs84());
  for (const SGeodeticRef* ref : {&tm, &lcc}) {
    SPointD across, near;
    // 5 degrees east of the central meridian, written past the antimeridian.
    GeoToProj(across, {40 * kDeg, ref->Long0 + 5 * kDeg - 360 * kDeg}, *ref);
    GeoToProj(near, {40 * kDeg, ref->Long0 + 5 * kDeg}, *ref);
    EXPECT_NEAR(across.x, near.x, 1e-6);
    EXPECT_NEAR(across.y, near.y, 1e-6);
  }
}

TEST(Projections, MercatorEastingCountsFromGreenwich) {
  SGeodeticRef zero, shifted;
  GeodeticRefInitMercator(zero, 0.0, Wgs84());
  GeodeticRefInitMercator(shifted, 0.1, Wgs84());
  SPointD a, b;
  GeoToMercator(a, {0.5, 0.3}, zero);
  GeoToMercator(b, {0.5, 0.3}, shifted);
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.x, 6378137.0 * 0.3);
}

TEST(Projections, EquidistantCylindricalWrapsForwardOnly) {
  SGeodeticRef ref;
  GeodeticRefInitEquidistantCylindrical(ref, 0.0, 0.5, Wgs84());
  const double pi = 3.14159265358979323846;
  SPointD p;
  GeoToEquidistantCylindrical(p, {0.0, 0.5 + 1.5 * pi}, ref);
  EXPECT_NEAR(p.x, -6378137.0 * pi / 2, 1e-6);
  SGeo2D g;
  EquidistantCylindricalToGeo(g, p, ref);
  EXPECT_NEAR(g.lon, 0.5 - pi / 2, 1e-15);
}

TEST(Projections, LambertWithOneParallelAndMirroredParallels) {
  SGeodeticRef one, mirrored;
  GeodeticRefInitLambertConformalConic(one, 50 * kDeg, 50 * kDeg, 50 * kDeg, 5 * kDeg, Wgs84());
  EXPECT_DOUBLE_EQ(one.LccN, std::sin(50 * kDeg));
  GeodeticRefInitLambertConformalConic(mirrored, 30 * kDeg, -30 * kDeg, 0.0, 0.0, Wgs84());
  SPointD p;
  GeoToProj(p, {10 * kDeg, 1 * kDeg}, mirrored);
  EXPECT_TRUE(std::isnan(p.x) && std::isnan(p.y));
}

TEST(Projections, LambertInverseBeyondAQuarterTurnAndAtTheApex) {
  SGeodeticRef ref;
  GeodeticRefInitLambertConformalConic(ref, 60 * kDeg, 70 * kDeg, 60 * kDeg, 0.0, Wgs84());
  const SGeo2D far{65 * kDeg, 170 * kDeg};  // theta = n x 170 degrees, past 90
  SPointD p;
  GeoToProj(p, far, ref);
  SGeo2D back;
  ProjToGeo(back, p, ref);
  EXPECT_NEAR(back.lat, far.lat, 1e-10);
  EXPECT_NEAR(back.lon, far.lon, 1e-10);
  ProjToGeo(back, {0.0, ref.LccRho0}, ref);
  EXPECT_DOUBLE_EQ(back.lat, 3.14159265358979323846 / 2);
  EXPECT_EQ(back.lon, 0.0);
}

TEST(Projections, StereographicOriginMapsToZero) {
  SGeodeticRef ref;
  GeodeticRefInitStereographic(ref, 0.9999, 52 * kDeg, 5 * kDeg, Wgs84());
  SGeo2D g;
  StereographicToGeo(g, {0.0, 0.0}, ref);
  EXPECT_NEAR(g.lat, 52 * kDeg, 1e-12);
  EXPECT_EQ(g.lon, 5 * kDeg);
  SPointD p;
  GeoToStereographic(p, g, ref);
  EXPECT_NEAR(p.x, 0.0, 1e-5);
  EXPECT_NEAR(p.y, 0.0, 1e-5);
}

TEST(Projections, OrthographicThrowsAndUnknownCodesGiveNaN) {
  SGeodeticRef ref;
  GeodeticRefInitOrthographic(ref, 0.5, 0.1, Wgs84());
  SPointD p;
  SGeo2D g;
  try {
    GeoToProj(p, {0.5, 0.1}, ref);
    ADD_FAILURE();
  } catch (const CGeodeticsError& e) {
    EXPECT_EQ(e.GetNumber(), 1u);
    EXPECT_STREQ(e.what(), "GeoToOrthographic: Not implemented yet.");
  }
  EXPECT_THROW(ProjToGeo(g, {0.0, 0.0}, ref), CGeodeticsError);
  for (uint32_t code : {0u, 8u, 0xFFFFFFFFu}) {
    ref.Projection = code;
    GeoToProj(p, {0.5, 0.1}, ref);
    ProjToGeo(g, {0.0, 0.0}, ref);
    EXPECT_TRUE(std::isnan(p.x) && std::isnan(p.y) && std::isnan(g.lat) && std::isnan(g.lon));
  }
}

}  // namespace
