// The pixel <-> projection mapping of a chart image from two or three
// reference points, with its geodetic reference. Pixels: x to the right,
// y down, the centre of the top-left pixel at (0, 0). Hosts call the virtual
// operations in this slot order; none lets an exception out.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Object.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/PlaneTypes.h"

class CGeodeticCalibration : public CObject {
 public:
  CGeodeticCalibration();
  TD_DELETE_THIS(CGeodeticCalibration)

  virtual void TD_STDCALL Assign(const CGeodeticCalibration* source);
  virtual void TD_STDCALL GeoToPix(SPointD* pixel, const SGeo2D* geo);
  virtual void TD_STDCALL GeoWGS84ToPix(SPointD* pixel, const SGeo2D* geo);
  virtual uint32_t TD_STDCALL GetPixPoints(SPointD* p1, SPointD* p2, SPointD* p3);
  virtual uint32_t TD_STDCALL GetPointCount();
  virtual uint32_t TD_STDCALL GetProjPoints(SPointD* p1, SPointD* p2, SPointD* p3);
  virtual int32_t TD_STDCALL GetHeight();
  // 0 when north is straight up at that pixel, pi/2 when it points right.
  virtual double TD_STDCALL GetNorthAngle(const SPointD* pixel);
  virtual void TD_STDCALL GetCornerBL(SPointD* out);
  virtual void TD_STDCALL GetCornerBR(SPointD* out);
  virtual void TD_STDCALL GetCentre(SPointD* out);
  virtual void TD_STDCALL GetCornerTL(SPointD* out);
  virtual void TD_STDCALL GetCornerTR(SPointD* out);
  virtual SGeodeticRef* TD_STDCALL GetRef();
  virtual void TD_STDCALL GetPixBounds(SRectD* out);
  virtual double TD_STDCALL GetRotation();
  // Ground length in metres of a one-pixel step along direction.
  virtual double TD_STDCALL GetPixelDistance(const SPointD* pixel, const SPointD* direction);
  virtual double TD_STDCALL GetPixelSize(const SPointD* pixel);
  virtual uint32_t TD_STDCALL GetStatus();
  virtual int32_t TD_STDCALL GetWidth();
  virtual uint32_t TD_STDCALL Calibrate2(const SPointD* pix1, const SPointD* pix2,
                                         const SPointD* proj1, const SPointD* proj2, int32_t width,
                                         int32_t height, const SGeodeticRef* ref);
  virtual uint32_t TD_STDCALL Calibrate3(const SPointD* pix1, const SPointD* pix2,
                                         const SPointD* pix3, const SPointD* proj1,
                                         const SPointD* proj2, const SPointD* proj3, int32_t width,
                                         int32_t height, const SGeodeticRef* ref);
  virtual void TD_STDCALL PixToGeo(SGeo2D* geo, const SPointD* pixel);
  virtual void TD_STDCALL PixToGeoWGS84(SGeo2D* geo, const SPointD* pixel);
  virtual void TD_STDCALL PixToProj(SPointD* proj, const SPointD* pixel);
  virtual void TD_STDCALL ProjToPix(SPointD* pixel, const SPointD* proj);

 private:
  // m0..m7: d = p + (m6, m7); q = (d.x m0 + d.y m2 + m4, d.x m1 + d.y m3 + m5).
  using Mapping = double[8];

  // Conversions through Ref need a reference that passed validation; a
  // failed calibration may hold any datum pointer.
  bool HasUsableRef() const;
  static SPointD Apply(const Mapping& m, const SPointD& p);
  // Sets both mappings for pixel = q + (projected - o) L, L in row-vector form.
  void SetMappings(const SPointD& o, const SPointD& q, const double (&l)[4]);
  void MapTwoPoints();
  void MapThreePoints();

  SPointD PixPoints[3];
  uint32_t PointCount;
  SPointD ProjPoints[3];
  int32_t Height;
  Mapping ProjToPixMatrix;
  Mapping PixToProjMatrix;
  SGeodeticRef Ref;
  double Rotation;
  uint32_t Status;
  int32_t Width;
};
