// The scene frame: a local Cartesian frame tangent to the WGS 84 ellipsoid at
// an origin, x north, y east, z up, in metres. Headings are radians clockwise
// from north in [-pi, pi).
#pragma once

#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/PlaneTypes.h"

// Builds SceneToGlobal and GlobalToScene from the origin in Lat1, Long0 and
// Height of a scene reference.
void SceneFrameSetup(SGeodeticRef& ref);

void GeoWGS84ToScene2(SPoint3D& out, const SGeo2D& in, const SGeodeticRef& ref);
void GeoWGS84ToScene3(SPoint3D& out, const SGeo3D& in, const SGeodeticRef& ref);
void SceneToGeoWGS84(SGeo3D& out, const SPoint3D& in, const SGeodeticRef& ref);

// Straight (chord) distance in space and heading from one position to the
// other, both at height 0.
void DistAndHeadingAlongLine(const SGeo2D& from, const SGeo2D& to, double& distance,
                             double& heading);
double HeadingAlongLine(const SGeo2D& from, const SGeo2D& to);
