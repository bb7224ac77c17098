// Great-circle distances on a sphere of radius 6367400 m, between positions
// (radians) or between unit vectors of an unmirrored earth-centred frame.
#pragma once

#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/PlaneTypes.h"

constexpr double kGreatCircleRadius = 6367400.0;
constexpr double kGreatCircleHalfTurn = 20003777.06246765;  // pi x radius

void GeoToGreatCirclePoint(SPoint3D& out, const SGeo2D& in);
double DistAlongGreatCircle(const SGeo2D& p1, const SGeo2D& p2);
double DistAlongGreatCircle1(const SPoint3D& u1, const SPoint3D& u2);
