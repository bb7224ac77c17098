// Map projections between geographic (lat, lon) on the reference's datum and
// projected (x easting, y northing) in metres. Every function takes
// (out, in, reference); the output may share storage with the input.
#pragma once

#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/PlaneTypes.h"

void GeoToMercator(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void MercatorToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);

void GeoToTransverseMercator(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void TransverseMercatorToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);
double GeoToTransverseMercatorScale(const SGeo2D& in, const SGeodeticRef& ref);

void GeoToEquidistantCylindrical(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void EquidistantCylindricalToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);

// Fills LccN, LccF and LccRho0 from Lat1, Lat2, Lat0 and the datum.
void LambertConformalConicSetup(SGeodeticRef& ref);
void GeoToLambertConformalConic(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void LambertConformalConicToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);

// No formulas exist for it: both directions throw CGeodeticsError number 1.
void GeoToOrthographic(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void OrthographicToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);

// Fills the Stereo* fields from Lat1 and the datum.
void StereographicSetup(SGeodeticRef& ref);
void GeoToStereographic(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void StereographicToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);

// The Dutch RD grid on the Bessel "RD-OLD" datum; the reference is ignored.
void GeoToRD(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void RDToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);
void GeoToRDExact(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void RDToGeoExact(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);
double RDCalcDistance(const SPointD& p1, const SPointD& p2);

// Dispatch on ref.Projection; an unknown projection gives NaN.
void GeoToProj(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref);
void ProjToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref);
// The same for callers that must not throw: every failure gives NaN.
void GeoToProjOrNaN(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) noexcept;
void ProjToGeoOrNaN(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) noexcept;
