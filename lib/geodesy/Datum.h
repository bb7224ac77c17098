// Geodetic datums: an ellipsoid plus a seven-parameter transformation to
// WGS 84 in the library's geocentric frame (Y axis mirrored).
#pragma once

#include <cstdint>

#include "lib/foundation/Abi.h"
#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/PlaneTypes.h"

enum : uint32_t {
  kDatumTableRow = 0,
  kDatumByShift = 1,
  kDatumByDefinition = 2,
};

// Hosts read the first four fields in this order.
struct SGeodeticDatum {
  const char* Code;
  const char* Area;
  const char* Name;
  const char* Source;
  const SGeodeticEllipsoid* Ellipsoid;
  uint32_t Kind;
  uint8_t IsWGS84;
  uint8_t Reserved1;
  uint16_t Reserved2;
  uint32_t Reserved3;
  double Dx, Dy, Dz;  // metres, internal frame
  double Rx, Ry, Rz;  // radians, internal frame
  double Scale;       // 1 + ppm 1e-6
  SMatrix4 FromWGS84;
  SMatrix4 ToWGS84;
  double RefPoint[2];  // created by shift: (lat, lon) of the shift
  double Shift[2];     // created by shift: (dlat, dlon)
};

#if TD_HOST_ABI
static_assert(sizeof(SGeodeticDatum) == 376);
static_assert(__builtin_offsetof(SGeodeticDatum, Ellipsoid) == 16);
static_assert(__builtin_offsetof(SGeodeticDatum, IsWGS84) == 24);
static_assert(__builtin_offsetof(SGeodeticDatum, Dx) == 32);
static_assert(__builtin_offsetof(SGeodeticDatum, FromWGS84) == 88);
static_assert(__builtin_offsetof(SGeodeticDatum, ToWGS84) == 216);
static_assert(__builtin_offsetof(SGeodeticDatum, Shift) == 360);
#endif

// Seven parameters in internal units and frame.
struct SDatumParams {
  double Dx, Dy, Dz, Rx, Ry, Rz, Scale;
};

// Fills a record and builds its two matrices. The WGS 84 ellipsoid is needed
// to recognise WGS 84 itself.
void GeodeticDatumSetup(SGeodeticDatum& d, uint32_t kind, const char* code, const char* name, const char* area,
                        const char* source, const SGeodeticEllipsoid* ellipsoid, const SDatumParams& params,
                        const SGeo2D& refPoint, const SGeo2D& shift, const SGeodeticEllipsoid* wgs84Ellipsoid);
// Same pointer, both WGS 84, or exactly equal seven parameters.
bool GeodeticDatumIsEqualParams(const SGeodeticDatum& a, const SGeodeticDatum& b);
