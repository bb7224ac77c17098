// Reference ellipsoids: the record, its set-up and the latitude series.
#pragma once

#include <cstdint>

#include "lib/foundation/Abi.h"

enum : uint32_t {
  kEllipsoidTableRow = 0,
  kEllipsoidByDefinition = 1,
};

// All angles in radians, lengths in metres. Text pointers point to constant
// texts of the library; the record owns nothing.
struct SGeodeticEllipsoid {
  uint32_t Code;  // packed: first character in the top byte, 0 when created
  const char* Name;
  const char* Area;
  const char* Source;
  uint32_t Kind;
  uint32_t Reserved;
  double A;
  double B;
  double E;
  double EP2;
  double E2;
  double F;
  double InvF;
  double ConfLat[4];   // geodetic -> conformal latitude
  double GeoLat[4];    // conformal -> geodetic latitude
  double FootLat[4];   // rectifying (mu) -> footpoint latitude
  double Meridian[4];  // meridian arc m0..m3
  double InvMeridianScale;
};

#if TD_HOST_ABI
static_assert(sizeof(SGeodeticEllipsoid) == 216);
static_assert(__builtin_offsetof(SGeodeticEllipsoid, Source) == 12);
static_assert(__builtin_offsetof(SGeodeticEllipsoid, A) == 24);
static_assert(__builtin_offsetof(SGeodeticEllipsoid, InvF) == 72);
static_assert(__builtin_offsetof(SGeodeticEllipsoid, InvMeridianScale) == 208);
#endif

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
