// The pixel of one calibrated chart at the place of a pixel of another,
// through projection and datum where the two differ.
#pragma once

#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/PlaneTypes.h"

// NaN unless both calibrations passed validation.
void PixTransform(SPointD& out, CGeodeticCalibration& target, const SPointD& in,
                  CGeodeticCalibration& source);
// Integer forms; integer results are rounded as floor(v + 0.5).
void PixTransform1(SPointI& out, CGeodeticCalibration& target, const SPointI& in,
                   CGeodeticCalibration& source);
void PixTransform2(SPointI& out, CGeodeticCalibration& target, const SPointD& in,
                   CGeodeticCalibration& source);
void PixTransform3(SPointD& out, CGeodeticCalibration& target, const SPointI& in,
                   CGeodeticCalibration& source);
