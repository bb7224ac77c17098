#include "lib/geodesy/Polygons.h"

#include <algorithm>

#include "lib/geodesy/Lines.h"

namespace {

template <class P, class E>
P Vertex(const E& e) {
  return P{e.x, e.y};
}

template <class E>
void PolygonEdgeTableT(E* records, int32_t n) {
  for (int32_t i = n - 1; i >= 0; --i) {
    E& e = records[i];
    const E& next = records[(i + 1) % n];
    e.minX = std::min(e.x, next.x);
    e.maxX = std::max(e.x, next.x);
    e.minY = std::min(e.y, next.y);
    e.maxY = std::max(e.y, next.y);
    e.horizontal = e.y == next.y;
    e.vertical = e.x == next.x;
    e.invSlope = e.horizontal ? 0 : (next.x - e.x) / (next.y - e.y);
  }
}

// Crossings to the left of p with half-open edges [minY, maxY), so that a
// vertex at p's height is counted once; any point on the boundary is inside.
template <class P, class E>
bool PointInPolygonT(const P& p, const E* records, int32_t n) {
  int32_t crossings = 0;
  for (int32_t i = n - 1; i >= 0; --i) {
    const E& e = records[i];
    if (e.horizontal) {
      if (e.y == p.y && e.minX <= p.x && p.x <= e.maxX) return true;
      continue;
    }
    if (p.y < e.minY || p.y > e.maxY) continue;
    const auto xc = e.vertical ? e.x : e.x + (p.y - e.y) * e.invSlope;
    if (xc == p.x) return true;
    if (p.y < e.maxY && xc < p.x) ++crossings;
  }
  return (crossings & 1) != 0;
}

template <class R, class P>
bool PointInRectT(const R& rect, const P& p) {
  return rect.left <= p.x && p.x < rect.right && rect.top <= p.y && p.y < rect.bottom;
}

template <class R>
bool RectIntersectT(R& out, const R& r1, const R& r2) {
  const R overlap{std::max(r1.left, r2.left), std::max(r1.top, r2.top), std::min(r1.right, r2.right),
                  std::min(r1.bottom, r2.bottom)};
  if (overlap.right > overlap.left && overlap.bottom > overlap.top) {
    out = overlap;
    return true;
  }
  out = R{0, 0, 0, 0};
  return false;
}

template <class P, class R>
void RectCorners(const R& rect, P corners[4]) {
  corners[0] = P{rect.left, rect.top};
  corners[1] = P{rect.right, rect.top};
  corners[2] = P{rect.right, rect.bottom};
  corners[3] = P{rect.left, rect.bottom};
}

bool SegmentsMeet(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d) {
  SPointF hit;
  return SegmentIntersectF(a, b, c, d, hit);
}

bool SegmentsMeet(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d) {
  SPointD hit;
  return SegmentIntersectD(a, b, c, d, hit);
}

template <class P, class R, class E>
int32_t CountVerticesInRect(const R& rect, int32_t n, const E* records) {
  int32_t count = 0;
  for (int32_t i = 0; i < n; ++i) count += PointInRectT(rect, Vertex<P>(records[i]));
  return count;
}

template <class P, class E>
int32_t CountCornersInPolygon(const P corners[4], int32_t n, const E* records) {
  int32_t count = 0;
  for (int k = 0; k < 4; ++k) count += PointInPolygonT(corners[k], records, n);
  return count;
}

template <class P, class E>
bool EdgeCrossesRect(const P corners[4], int32_t n, const E* records) {
  for (int32_t i = 0; i < n; ++i) {
    const P a = Vertex<P>(records[i]);
    const P b = Vertex<P>(records[(i + 1) % n]);
    for (int k = 0; k < 4; ++k) {
      if (SegmentsMeet(a, b, corners[k], corners[(k + 1) % 4])) return true;
    }
  }
  return false;
}

template <class P, class R, class E>
bool RectIntersectsPolygonT(const R& rect, int32_t n, const E* records) {
  if (CountVerticesInRect<P>(rect, n, records) > 0) return true;
  P corners[4];
  RectCorners(rect, corners);
  return CountCornersInPolygon(corners, n, records) > 0 || EdgeCrossesRect(corners, n, records);
}

template <class P, class R, class E>
int32_t RectPolygonRelationT(const R& rect, int32_t n, const E* records) {
  const int32_t inside = CountVerticesInRect<P>(rect, n, records);
  if (inside == n) return kPolygonInsideRect;
  if (inside > 0) return kRectPolygonOverlap;
  P corners[4];
  RectCorners(rect, corners);
  const int32_t covered = CountCornersInPolygon(corners, n, records);
  if (covered > 0 && covered < 4) return kRectPolygonOverlap;
  if (EdgeCrossesRect(corners, n, records)) return kRectPolygonOverlap;
  return covered == 4 ? kRectInsidePolygon : kRectPolygonDisjoint;
}

}  // namespace

void PolygonEdgeTableF(SPolyLineF* records, int32_t n) { PolygonEdgeTableT(records, n); }
void PolygonEdgeTableD(SPolyLineD* records, int32_t n) { PolygonEdgeTableT(records, n); }
bool PointInPolygonF(const SPointF& p, const SPolyLineF* records, int32_t n) { return PointInPolygonT(p, records, n); }
bool PointInPolygonD(const SPointD& p, const SPolyLineD* records, int32_t n) { return PointInPolygonT(p, records, n); }
bool PointInRectF(const SRectF& rect, const SPointF& p) { return PointInRectT(rect, p); }
bool PointInRectD(const SRectD& rect, const SPointD& p) { return PointInRectT(rect, p); }
bool RectIntersectI(SRectI& out, const SRectI& r1, const SRectI& r2) { return RectIntersectT(out, r1, r2); }
bool RectIntersectF(SRectF& out, const SRectF& r1, const SRectF& r2) { return RectIntersectT(out, r1, r2); }
bool RectIntersectD(SRectD& out, const SRectD& r1, const SRectD& r2) { return RectIntersectT(out, r1, r2); }

bool RectIntersectsPolygonF(const SRectF& rect, int32_t n, const SPolyLineF* records) {
  return RectIntersectsPolygonT<SPointF>(rect, n, records);
}
bool RectIntersectsPolygonD(const SRectD& rect, int32_t n, const SPolyLineD* records) {
  return RectIntersectsPolygonT<SPointD>(rect, n, records);
}
int32_t RectPolygonRelationF(const SRectF& rect, int32_t n, const SPolyLineF* records) {
  return RectPolygonRelationT<SPointF>(rect, n, records);
}
int32_t RectPolygonRelationD(const SRectD& rect, int32_t n, const SPolyLineD* records) {
  return RectPolygonRelationT<SPointD>(rect, n, records);
}
