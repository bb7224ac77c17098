// Geographic <-> geocentric conversion and datum transformation. The
// geocentric frame mirrors the Y axis: Y = -(N + h) cos lat sin lon.
// Outputs come first, the source datum last; outputs may share storage with
// inputs.
#pragma once

#include "lib/geodesy/Datum.h"
#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/PlaneTypes.h"

void GeoToGlobal2(SPoint3D& out, const SGeo2D& in, const SGeodeticEllipsoid& e);
void GeoToGlobal3(SPoint3D& out, const SGeo3D& in, const SGeodeticEllipsoid& e);
// Bowring's single-step inverse; at the poles the longitude is 0.
void GlobalToGeo(SGeo3D& out, const SPoint3D& in, const SGeodeticEllipsoid& e);

void GeodeticDatumTransform(SPoint3D& out, const SGeodeticDatum& target, const SPoint3D& in,
                            const SGeodeticDatum& source);
// The height of the result is that of a point lying on the source ellipsoid.
void GeodeticDatumTransform2(SGeo3D& out, const SGeodeticDatum& target, const SGeo2D& in, const SGeodeticDatum& source);
void GeodeticDatumTransform3(SGeo3D& out, const SGeodeticDatum& target, const SGeo3D& in, const SGeodeticDatum& source);
