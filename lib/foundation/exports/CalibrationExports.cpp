// Exports of chart calibration: validation, pixel transforms between charts
// and the calibration factory. Points cross as arrays of doubles or 32-bit
// integers (x, y).
#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"
#include "lib/geodesy/CalibrationStatus.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/PixTransform.h"

namespace {

SPointD Point2(const double* p) { return {p[0], p[1]}; }
SPointI Point2(const int32_t* p) { return {p[0], p[1]}; }

void Put(double* out, const SPointD& p) {
  out[0] = p.x;
  out[1] = p.y;
}

void Put(int32_t* out, const SPointI& p) {
  out[0] = p.x;
  out[1] = p.y;
}

}  // namespace

TDEXPORT(TdGeodeticCalibration*) GeodeticCalibrationCreate() {
  return td::ToHost(td::Create<CGeodeticCalibration>());
}

TDEXPORT(uint32_t) ValidateCalibration2(const double* pix1, const double* pix2, const double* proj1,
                                        const double* proj2, int32_t width, int32_t height,
                                        const SGeodeticRef* ref) {
  return td::Guard(uint32_t{kCalibrationNotInitialized}, [&] {
    return ValidateCalibration2(Point2(pix1), Point2(pix2), Point2(proj1), Point2(proj2), width,
                                height, *ref);
  });
}

TDEXPORT(uint32_t) ValidateCalibration3(const double* pix1, const double* pix2, const double* pix3,
                                        const double* proj1, const double* proj2, const double* proj3,
                                        int32_t width, int32_t height, const SGeodeticRef* ref) {
  return td::Guard(uint32_t{kCalibrationNotInitialized}, [&] {
    const SPointD pix[3] = {Point2(pix1), Point2(pix2), Point2(pix3)};
    const SPointD proj[3] = {Point2(proj1), Point2(proj2), Point2(proj3)};
    return ValidateCalibration3(pix, proj, width, height, *ref);
  });
}

TDEXPORT(void) PixTransform(double* out, TdGeodeticCalibration* target, const double* in,
                            TdGeodeticCalibration* source) {
  td::GuardVoid([&] {
    SPointD p;
    PixTransform(p, *td::FromHost(target), Point2(in), *td::FromHost(source));
    Put(out, p);
  });
}

TDEXPORT(void) PixTransform1(int32_t* out, TdGeodeticCalibration* target, const int32_t* in,
                             TdGeodeticCalibration* source) {
  td::GuardVoid([&] {
    SPointI p;
    PixTransform1(p, *td::FromHost(target), Point2(in), *td::FromHost(source));
    Put(out, p);
  });
}

TDEXPORT(void) PixTransform2(int32_t* out, TdGeodeticCalibration* target, const double* in,
                             TdGeodeticCalibration* source) {
  td::GuardVoid([&] {
    SPointI p;
    PixTransform2(p, *td::FromHost(target), Point2(in), *td::FromHost(source));
    Put(out, p);
  });
}

TDEXPORT(void) PixTransform3(double* out, TdGeodeticCalibration* target, const int32_t* in,
                             TdGeodeticCalibration* source) {
  td::GuardVoid([&] {
    SPointD p;
    PixTransform3(p, *td::FromHost(target), Point2(in), *td::FromHost(source));
    Put(out, p);
  });
}
