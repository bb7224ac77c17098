#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"

namespace {

const double kPi = 3.14159265358979323846;
const double kDeg = kPi / 180;
const double kEarthRadius = 6378137.0;

const SGeodeticDatum* Datum(const char* code) { return GeodeticDatumCreateSafe(code); }

// Ground distance between two nearby positions, in metres.
double Metres(const SGeo3D& a, const SGeo3D& b) {
  const double north = (a.lat - b.lat) * kEarthRadius;
  const double east = (a.lon - b.lon) * kEarthRadius * std::cos(a.lat);
  return std::hypot(north, east);
}

struct SReference {
  std::string source, target;
  SGeo3D in, expected;
  bool hasHeight;
  double tolerance;
};

// Rows computed by PROJ (scripts/gen_geodesy_refs.sh).
std::vector<SReference> LoadReferences() {
  std::vector<SReference> rows;
  const std::string path = std::string(TDLIB_TEST_DATA_DIR) + "/geodesy/data/datum_refs.txt";
  FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return rows;
  char line[256];
  while (std::fgets(line, sizeof line, f)) {
    char src[16], tgt[16], h[32];
    double lat, lon, height, rlat, rlon, tol;
    if (line[0] == '#' || std::sscanf(line, "%15s %15s %lf %lf %lf %lf %lf %31s %lf", src, tgt, &lat, &lon, &height,
                                      &rlat, &rlon, h, &tol) != 9)
      continue;
    const bool hasHeight = std::string(h) != "-";
    rows.push_back({src,
                    tgt,
                    {lat * kDeg, lon * kDeg, height},
                    {rlat * kDeg, rlon * kDeg, hasHeight ? std::atof(h) : 0},
                    hasHeight,
                    tol});
  }
  std::fclose(f);
  return rows;
}

}  // namespace

TEST(DatumTransformTest, WGS84ToED50MatchesPublishedValues) {
  SGeo3D out;
  GeodeticDatumTransform3(out, *Datum("EUR-M"), {52 * kDeg, 5 * kDeg, 0}, *Datum("WGE"));
  EXPECT_NEAR(out.lat / kDeg, 52.00079260, 5e-9);
  EXPECT_NEAR(out.lon / kDeg, 5.00131108, 5e-9);
  EXPECT_NEAR(out.h, -40.368, 0.0005);
}

TEST(DatumTransformTest, AgreesWithProjReferences) {
  const std::vector<SReference> rows = LoadReferences();
  ASSERT_EQ(rows.size(), 27u);
  for (const SReference& r : rows) {
    SGeo3D out;
    GeodeticDatumTransform3(out, *Datum(r.target.c_str()), r.in, *Datum(r.source.c_str()));
    EXPECT_LT(Metres(out, r.expected), r.tolerance) << r.source << " " << r.in.lat / kDeg;
    if (r.hasHeight) {
      EXPECT_NEAR(out.h, r.expected.h, r.tolerance) << r.source << " " << r.in.lat / kDeg;
    }
  }
}

TEST(DatumTransformTest, TwoDimensionalFormStartsOnTheSourceEllipsoid) {
  // ADI-A: Clarke 1880 geocentric plus (-165, +11, 206) in the mirrored
  // frame, then back to geographic on WGS 84.
  const SGeo2D in{9 * kDeg, 38.7 * kDeg};
  SPoint3D p;
  GeoToGlobal2(p, in, *GeodeticEllipsoidCreateSafe("CD"));
  p = {p.x - 165, p.y + 11, p.z + 206};
  SGeo3D expected;
  GlobalToGeo(expected, p, *GeodeticWGS84Ellipsoid());

  SGeo3D out{1, 2, 3};
  GeodeticDatumTransform2(out, *Datum("WGE"), in, *Datum("ADI-A"));
  EXPECT_NEAR(out.lat, expected.lat, 1e-15);
  EXPECT_NEAR(out.lon, expected.lon, 1e-15);
  EXPECT_NEAR(out.h, expected.h, 1e-9);

  SPoint3D g;
  GeoToGlobal2(g, in, *GeodeticEllipsoidCreateSafe("CD"));
  GeodeticDatumTransform(g, *Datum("WGE"), g, *Datum("ADI-A"));
  EXPECT_NEAR(g.x, p.x, 1e-8);
  EXPECT_NEAR(g.y, p.y, 1e-8);
}

TEST(DatumTransformTest, WGS84ToWGS84CopiesAndDropsTheHeightIn2D) {
  SGeo3D out{0, 0, 123};
  GeodeticDatumTransform2(out, *Datum("WGE"), {0.5, -1.5}, *Datum("WGE"));
  EXPECT_EQ(out.lat, 0.5);
  EXPECT_EQ(out.lon, -1.5);
  EXPECT_EQ(out.h, 0);
  GeodeticDatumTransform3(out, *Datum("WGE"), {0.5, -1.5, 77}, *Datum("KGS"));
  EXPECT_EQ(out.h, 77);
}

TEST(DatumTransformTest, RoundTripsThroughEveryDatumWithHeights) {
  int32_t count = 232;
  const SGeodeticDatum* datums[232];
  ASSERT_TRUE(GeodeticDatumListTo(count, datums));
  const SGeodeticDatum& rd = *Datum("RD");
  const SGeo3D start{51.5 * kDeg, 4.5 * kDeg, 35};
  for (const SGeodeticDatum* d : datums) {
    SGeo3D there, back;
    GeodeticDatumTransform3(there, *d, start, rd);
    GeodeticDatumTransform3(back, rd, there, *d);
    EXPECT_NEAR(back.lat, start.lat, 1e-14) << d->Code;
    EXPECT_NEAR(back.lon, start.lon, 1e-14) << d->Code;
    EXPECT_NEAR(back.h, start.h, 1e-6) << d->Code;
  }
}

TEST(DatumTransformTest, TwoDimensionalRoundTripsLoseOnlyMillimetres) {
  // Without heights the return leg starts on the other ellipsoid's surface,
  // tens of metres from where the first leg ended.
  struct Case {
    const char* code;
    double lat, lon;
  };
  const Case cases[] = {{"EUR-M", 52, 5},       {"RD", 52.1, 5.4},   {"RTS", 59.3, 18}, {"PD", 50, 10},
                        {"TOY-M", 35.7, 139.7}, {"NAS-C", 40, -100}, {"WGC", -20, 120}, {"OGB-M", 53, -2}};
  for (const Case& c : cases) {
    const SGeo2D start{c.lat * kDeg, c.lon * kDeg};
    SGeo3D there, back;
    GeodeticDatumTransform2(there, *Datum(c.code), start, *Datum("WGE"));
    GeodeticDatumTransform2(back, *Datum("WGE"), {there.lat, there.lon}, *Datum(c.code));
    EXPECT_LT(Metres(back, {start.lat, start.lon, 0}), 0.005) << c.code;
  }
}

TEST(DatumTransformTest, ShiftDatumMovesThePositionByTheShift) {
  const SGeo2D position{52 * kDeg, 5 * kDeg};
  const SGeo2D shift{2e-6, -3e-6};
  SGeo3D out;
  GeodeticDatumTransform2(out, *Datum("WGE"), position, *GeodeticDatumCreateByShiftWorker(position, shift));
  EXPECT_NEAR(out.lat, position.lat + shift.lat, 1e-12);
  EXPECT_NEAR(out.lon, position.lon + shift.lon, 1e-12);
  EXPECT_NEAR(out.h, 0, 1e-6);
}

TEST(DatumTransformTest, OutputMayShareTheInput) {
  SGeo3D p{52 * kDeg, 5 * kDeg, 0};
  GeodeticDatumTransform3(p, *Datum("EUR-M"), p, *Datum("WGE"));
  EXPECT_NEAR(p.lat / kDeg, 52.00079260, 5e-9);
}
