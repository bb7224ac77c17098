// The RD grid against published coordinates and PROJ's oblique stereographic.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

SGeodeticRef Rd() {
  GeodeticTablesInitialize();
  SGeodeticRef ref;
  GeodeticRefInitRD(ref);
  return ref;
}

using Forward = void (*)(SPointD&, const SGeo2D&, const SGeodeticRef&);
using Inverse = void (*)(SGeo2D&, const SPointD&, const SGeodeticRef&);

struct SForm {
  const char* name;
  Forward forward;
  Inverse inverse;
};

constexpr SForm kForms[] = {{"polynomials", GeoToRD, RDToGeo}, {"exact", GeoToRDExact, RDToGeoExact}};

TEST(RDGrid, PublishedPoints) {
  const SGeodeticRef ref = Rd();
  struct {
    double latDeg, lonDeg, x, y;
  } cases[] = {
      {52.15616056, 5.38763889, 155000.0, 463000.0},
      {52.0, 5.0, 128383.4745, 445698.8043},
      {53.0, 6.0, 196105.2830, 557057.7394},
  };
  for (const SForm& form : kForms) {
    for (const auto& c : cases) {
      SPointD p;
      form.forward(p, {c.latDeg * kDeg, c.lonDeg * kDeg}, ref);
      EXPECT_NEAR(p.x, c.x, 1e-3) << form.name;
      EXPECT_NEAR(p.y, c.y, 1e-3) << form.name;
      SGeo2D g;
      form.inverse(g, {c.x, c.y}, ref);
      // 1e-8 rad is 6 cm; the polynomials hold to centimetres.
      EXPECT_NEAR(g.lat, c.latDeg * kDeg, 1e-8) << form.name;
      EXPECT_NEAR(g.lon, c.lonDeg * kDeg, 1e-8) << form.name;
    }
  }
}

TEST(RDGrid, OriginMapsToOriginBothWays) {
  const SGeodeticRef ref = Rd();
  const SGeo2D origin{0.9102967269708094, 0.0940320375215393};
  for (const SForm& form : kForms) {
    SPointD p;
    form.forward(p, origin, ref);
    // The exact form's sphere constants put the origin half a millimetre off.
    EXPECT_NEAR(p.x, 155000.0, 1e-3) << form.name;
    EXPECT_NEAR(p.y, 463000.0, 1e-3) << form.name;
    SGeo2D g;
    form.inverse(g, {155000.0, 463000.0}, ref);
    EXPECT_EQ(g.lat, origin.lat) << form.name;
    EXPECT_EQ(g.lon, origin.lon) << form.name;
  }
}

TEST(RDGrid, ExactFormAgreesWithProj) {
  const SGeodeticRef ref = Rd();
  std::ifstream in(std::string(TDLIB_TEST_DATA_DIR) + "/geodesy/data/projection_refs.txt");
  std::string line;
  int checked = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    double latDeg, lonDeg, x, y;
    if (!(fields >> name >> latDeg >> lonDeg >> x >> y) || name != "rd") continue;
    SPointD p;
    GeoToRDExact(p, {latDeg * kDeg, lonDeg * kDeg}, ref);
    EXPECT_NEAR(p.x, x, 1e-3) << latDeg << " " << lonDeg;
    EXPECT_NEAR(p.y, y, 1e-3) << latDeg << " " << lonDeg;
    ++checked;
  }
  EXPECT_EQ(checked, 25);
}

TEST(RDGrid, DistanceUndoesThePointScale) {
  EXPECT_EQ(RDCalcDistance({120000, 480000}, {120000, 480000}), 0.0);
  // Through the origin the scale is k = 0.9999079 + 6.135e-15 r^2 per point.
  const double k = 0.9999079 + 6.135e-15 * 1e10;
  EXPECT_NEAR(RDCalcDistance({155000, 363000}, {155000, 563000}), 200000.0 / k, 1e-6);
}

}  // namespace
