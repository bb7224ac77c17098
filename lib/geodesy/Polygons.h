// Polygons (arrays of edge records) against points and rectangles.
#pragma once

#include <cstdint>

#include "lib/geodesy/PlaneTypes.h"

// Fills every record's edge box, inverse slope and flags from the vertices.
void PolygonEdgeTableF(SPolyLineF* records, int32_t n);
void PolygonEdgeTableD(SPolyLineD* records, int32_t n);
// Crossing number with half-open edges; points on a horizontal edge are inside.
bool PointInPolygonF(const SPointF& p, const SPolyLineF* records, int32_t n);
bool PointInPolygonD(const SPointD& p, const SPolyLineD* records, int32_t n);
// left <= x < right and top <= y < bottom.
bool PointInRectF(const SRectF& rect, const SPointF& p);
bool PointInRectD(const SRectD& rect, const SPointD& p);
// Overlap of r1 and r2; false with an all-zero output when they do not
// overlap with a positive area.
bool RectIntersectI(SRectI& out, const SRectI& r1, const SRectI& r2);
bool RectIntersectF(SRectF& out, const SRectF& r1, const SRectF& r2);
bool RectIntersectD(SRectD& out, const SRectD& r1, const SRectD& r2);
bool RectIntersectsPolygonF(const SRectF& rect, int32_t n, const SPolyLineF* records);
bool RectIntersectsPolygonD(const SRectD& rect, int32_t n, const SPolyLineD* records);

// Results of RectPolygonRelation.
enum : int32_t {
  kRectPolygonDisjoint = 0,
  kRectInsidePolygon = 1,
  kPolygonInsideRect = 2,
  kRectPolygonOverlap = 3,
};
int32_t RectPolygonRelationF(const SRectF& rect, int32_t n, const SPolyLineF* records);
int32_t RectPolygonRelationD(const SRectD& rect, int32_t n, const SPolyLineD* records);
