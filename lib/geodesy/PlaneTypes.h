// Plain records of the plane-geometry routines: points, rectangles, polygon
// edge records and 4 x 4 matrices. Hosts and chart files see some of them, so
// their layouts are fixed.
#pragma once

#include <cstdint>

#include "include/TdLib.h"  // SMatrix4

struct SPointI {
  int32_t x, y;
};

struct SPointF {
  float x, y;
};

struct SPointD {
  double x, y;
};

struct SPoint3F {
  float x, y, z;
};

struct SPoint3D {
  double x, y, z;
};

struct SRectI {
  int32_t left, top, right, bottom;
};

struct SRectF {
  float left, top, right, bottom;
};

struct SRectD {
  double left, top, right, bottom;
};

// A polygon vertex followed by the precomputed data of the edge that starts
// at it (edge i runs from vertex i to vertex (i + 1) mod n).
struct SPolyLineD {
  double x, y;
  double minX, minY, maxX, maxY;
  double invSlope;
  uint8_t horizontal;
  uint8_t vertical;
};

struct SPolyLineF {
  float x, y;
  float minX, minY, maxX, maxY;
  float invSlope;
  uint8_t horizontal;
  uint8_t vertical;
};

static_assert(sizeof(SPointD) == 16 && sizeof(SPoint3D) == 24);
static_assert(sizeof(SRectD) == 32 && sizeof(SRectI) == 16);
static_assert(sizeof(SPolyLineD) == 64 && sizeof(SPolyLineF) == 32);
static_assert(sizeof(SMatrix4) == 128);
