// Geodetic datums: an ellipsoid plus a seven-parameter transformation to
// WGS 84 in the library's geocentric frame (Y axis mirrored).
#pragma once

#include <cstdint>

#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/PlaneTypes.h"

enum : uint32_t {
  kDatumTableRow = 0,
  kDatumByShift = 1,
  kDatumByDefinition = 2,
};

// SGeodeticDatum, the record hosts read, is declared in TdLib.h.

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
