// Reference ellipsoids: the record, its set-up and the latitude series.
#pragma once

#include <cstdint>

#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"

enum : uint32_t {
  kEllipsoidTableRow = 0,
  kEllipsoidByDefinition = 1,
};

// SGeodeticEllipsoid, the record hosts read, is declared in TdLib.h. Text
// pointers point to constant texts of the library; the record owns nothing.

// Fills every field from a and 1/f; 1/f = 0 gives a sphere.
void GeodeticEllipsoidSetup(SGeodeticEllipsoid& e, uint32_t kind, uint32_t code, const char* name, const char* area,
                            const char* source, double a, double invF);
// "WE" -> 0x57450000; characters beyond four are ignored.
uint32_t GeodeticEllipsoidCodeFromStr(const char* code);
// Unpacks a code into buffer within size; size becomes the characters + 1;
// true when the terminator fitted.
bool GeodeticEllipsoidCodeToStr(uint32_t code, int32_t& size, char* buffer);

double GeodeticConformalLat(double lat, const SGeodeticEllipsoid& e);
double GeodeticLatFromConformal(double chi, const SGeodeticEllipsoid& e);
double GeodeticFootpointLat(double mu, const SGeodeticEllipsoid& e);
// Meridian arc length from the equator to lat, in metres.
double GeodeticMeridianArc(double lat, const SGeodeticEllipsoid& e);
