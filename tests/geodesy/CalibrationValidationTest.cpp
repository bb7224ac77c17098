// Status codes of calibration validation and their texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/CalibrationStatus.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const SGeodeticDatum& Datum(const char* code) {
  GeodeticTablesInitialize();
  return *GeodeticDatumFindByCode(code);
}

SGeodeticRef Mercator() {
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, Datum("WGE"));
  return ref;
}

TEST(CalibrationValidation, TwoPoints) {
  const SGeodeticRef ref = Mercator();
  // (0, 0) -> (0, 1000) and (100, 100) -> (1000, 0) on 400 x 400, unless the
  // case says otherwise.
  struct {
    SPointD pix1, pix2, proj1, proj2;
    int32_t width, height;
    uint32_t status;
  } cases[] = {
      {{0, 0}, {100, 100}, {0, 1000}, {1000, 0}, 400, 400, 1},
      {{0, 0}, {96, 96}, {0, 1000}, {1000, 0}, 400, 400, 0},       // 0.24 of the image
      {{0, 0}, {7.6, 7.6}, {0, 1000}, {1000, 0}, 400, 400, 12},    // 0.019
      {{0, 100}, {100, 0}, {0, 1000}, {1000, 0}, 400, 400, 15},    // rows swapped
      {{100, 0}, {0, 100}, {0, 1000}, {1000, 0}, 400, 400, 16},    // columns swapped
      {{100, 100}, {0, 0}, {0, 1000}, {1000, 0}, 400, 400, 15},    // both: upside-down first
      {{0, 0}, {100, 100}, {0, 1000}, {1000, 0}, 0, 400, 10},
      {{0, 0}, {100, 100}, {0, 1000}, {1000, 0}, 400, -1, 11},
      {{0, 0}, {0, 100}, {0, 1000}, {1000, 0}, 400, 400, 13},
      {{0, 0}, {100, 100}, {0, 1000}, {1000, 1000}, 400, 400, 14},
      {{kNaN, 0}, {100, 100}, {0, 1000}, {1000, 0}, 400, 400, 13},
      {{0, 0}, {100, 100}, {0, 1000}, {kInf, 0}, 400, 400, 14},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidateCalibration2(c.pix1, c.pix2, c.proj1, c.proj2, c.width, c.height, ref),
              c.status)
        << c.pix2.x << " " << c.width;
  }
}

TEST(CalibrationValidation, ThreePoints) {
  const SGeodeticRef ref = Mercator();
  const SPointD proj[3] = {{0, 1000}, {1000, 1000}, {0, 0}};
  struct {
    SPointD pix[3];
    int32_t width, height;
    uint32_t status;
  } cases[] = {
      {{{0, 0}, {100, 0}, {0, 200}}, 400, 400, 1},  // 1/16 of the image
      {{{0, 0}, {100, 0}, {0, 160}}, 400, 400, 0},  // 1/20
      {{{0, 0}, {16, 0}, {0, 33}}, 400, 400, 12},   // 1/606
      {{{0, 0}, {0, 0}, {0, 200}}, 400, 400, 13},
      {{{0, kNaN}, {100, 0}, {0, 200}}, 400, 400, 13},
      {{{0, 0}, {100, 0}, {0, 200}}, 0, 400, 10},
      // width x height is 2^32: a 32-bit product would be 0 and pass anything.
      {{{0, 0}, {10, 0}, {0, 20}}, 65536, 65536, 12},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValidateCalibration3(c.pix, proj, c.width, c.height, ref), c.status)
        << c.pix[1].x << " " << c.width;
  }
  const SPointD pix[3] = {{0, 0}, {100, 0}, {0, 200}};
  const SPointD sameProj[3] = {{0, 1000}, {0, 1000}, {0, 0}};
  const SPointD lineProj[3] = {{0, 0}, {500, 500}, {1000, 1000}};
  const SPointD nanProj[3] = {{0, 0}, {kNaN, 500}, {1000, 1000}};
  EXPECT_EQ(ValidateCalibration3(pix, sameProj, 400, 400, ref), 14u);
  EXPECT_EQ(ValidateCalibration3(pix, lineProj, 400, 400, ref), 12u);
  EXPECT_EQ(ValidateCalibration3(pix, nanProj, 400, 400, ref), 14u);
}

TEST(CalibrationValidation, References) {
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 7.0, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 7u);
  GeodeticRefInitTransverseMercator(ref, 0.0009, 4.0, 0.0, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 5u);  // k0 is checked before Lat0
  GeodeticRefInitTransverseMercator(ref, 0.9996, kNaN, 0.0, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 6u);
  GeodeticRefInitStereographic(ref, 0.9999, 0.9, 7.0, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 7u);
  GeodeticRefInitRD(ref);
  EXPECT_EQ(ValidateCalibrationRef(ref), 1u);
  ref.Datum = &Datum("RD");  // the seven-parameter row is not the grid's datum
  EXPECT_EQ(ValidateCalibrationRef(ref), 4u);
  GeodeticRefInitLambertConformalConic(ref, 0.5, -0.5, 0.0, 0.0, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 9u);
  GeodeticRefInitLambertConformalConic(ref, 0.5, 0.5, 4.0, 0.0, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 6u);
  GeodeticRefInitGeo(ref, Datum("WGE"));
  EXPECT_EQ(ValidateCalibrationRef(ref), 3u);
  const SGeodeticDatum copy = Datum("WGE");  // not a row of the tables
  GeodeticRefInitOrthographic(ref, 0.5, 0.0, copy);
  EXPECT_EQ(ValidateCalibrationRef(ref), 4u);
  ref = Mercator();
  ref.Projection = 8;
  EXPECT_EQ(ValidateCalibrationRef(ref), 3u);
}

TEST(CalibrationValidation, StatusTexts) {
  EXPECT_STREQ(ProjectionToStr(1), "Mercator");
  EXPECT_STREQ(ProjectionToStr(0), "Unknown");
  EXPECT_STREQ(ProjectionToStr(8), "Invalid");
  EXPECT_EQ(CalibrationStatusText(4, 1, 2), CStr("Mercator calibration has an invalid datum."));
  EXPECT_EQ(CalibrationStatusText(12, 2, 3),
            CStr("Transverse mercator calibration points are too close together or too much on "
                 "the same line."));
  EXPECT_EQ(CalibrationStatusText(13, 7, 2),
            CStr("RD calibration points are on the same pixel row or pixel column."));
  EXPECT_EQ(CalibrationStatusText(17, 1, 2), CStr("Unknown calibration status."));

  CGeodeticCalibration cal;
  try {
    CalibrationStatusToStr("ReadDatum1_0_0_2", &cal);
    ADD_FAILURE();
  } catch (const CGeodeticsError& e) {
    EXPECT_EQ(e.GetNumber(), 4u);
    EXPECT_STREQ(e.what(), "ReadDatum1_0_0_2: Calibration not intialized.");
  }
  SGeodeticRef ref = Mercator();
  ref.Datum = nullptr;
  const SPointD a{0, 0}, b{100, 100}, p{0, 1000}, q{1000, 0};
  EXPECT_EQ(cal.Calibrate2(&a, &b, &p, &q, 400, 400, &ref), 4u);
  try {
    CalibrationStatusToStr("ReadDatum1_0_0_2", &cal);
    ADD_FAILURE();
  } catch (const CGeodeticsError& e) {
    EXPECT_STREQ(e.what(), "ReadDatum1_0_0_2: Mercator calibration has an invalid datum.");
  }
  ref = Mercator();
  EXPECT_EQ(cal.Calibrate2(&a, &b, &p, &q, 400, 400, &ref), 1u);
  EXPECT_NO_THROW(CalibrationStatusToStr("x", &cal));
  EXPECT_NO_THROW(CalibrationStatusToStr("x", nullptr));
}

}  // namespace
