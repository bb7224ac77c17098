// Validation of chart calibrations and the texts of their statuses. Status 1
// is good, 0 usable but weak; 2 and above are faults.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/PlaneTypes.h"

class CGeodeticCalibration;

enum : uint32_t {
  kCalibrationWeak = 0,
  kCalibrationGood = 1,
  kCalibrationNotInitialized = 2,
  kCalibrationBadProjection = 3,
  kCalibrationBadDatum = 4,
  kCalibrationBadK0 = 5,
  kCalibrationBadLat0 = 6,
  kCalibrationBadLong0 = 7,
  kCalibrationBadLat1 = 8,
  kCalibrationBadLat2 = 9,
  kCalibrationBadWidth = 10,
  kCalibrationBadHeight = 11,
  kCalibrationTooClose = 12,
  kCalibrationSamePixel = 13,
  kCalibrationSameProjection = 14,
  kCalibrationUpsideDown = 15,
  kCalibrationMirrored = 16,
};

// The reference alone: kind, projection, datum and parameter ranges.
uint32_t ValidateCalibrationRef(const SGeodeticRef& ref);
uint32_t ValidateCalibration2(const SPointD& pix1, const SPointD& pix2, const SPointD& proj1,
                              const SPointD& proj2, int32_t width, int32_t height,
                              const SGeodeticRef& ref);
uint32_t ValidateCalibration3(const SPointD (&pix)[3], const SPointD (&proj)[3], int32_t width,
                              int32_t height, const SGeodeticRef& ref);

// "Mercator", "Transverse mercator", ...; "Unknown" for 0, "Invalid" past 7.
const char* ProjectionToStr(uint32_t projection);
// The message of a fault status (2 and above) of a calibration with that
// projection and point count.
CStr CalibrationStatusText(uint32_t status, uint32_t projection, uint32_t pointCount);
// Throws CGeodeticsError number 4 with prefix + ": " + the status text when
// the calibration is given and its status is a fault.
void CalibrationStatusToStr(const char* prefix, const CGeodeticCalibration* calibration);
