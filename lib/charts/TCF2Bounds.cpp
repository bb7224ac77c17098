#include "lib/charts/TCF2Bounds.h"

#include <algorithm>
#include <cstring>

#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Polygons.h"

namespace {

constexpr int32_t kObjectSize = 60;
constexpr double kTurnBack = 0.99999;  // dot products beyond this are parallel

SPolyLineD Vertex(const SPointD& p) {
  SPolyLineD v{};
  v.x = p.x;
  v.y = p.y;
  return v;
}

SPointD UnitVector(const SPointD& from, const SPointD& to) {
  SPointD u;
  Vector2NormaliseD(u, SPointD{to.x - from.x, to.y - from.y});
  return u;
}

}  // namespace

SRectD PolygonBoundingBox(const SPolyLineD* vertices, int32_t n) {
  if (n == 0) return SRectD{};
  SRectD box{vertices[0].x, vertices[0].y, vertices[0].x, vertices[0].y};
  for (int32_t i = 1; i < n; ++i) {
    box.left = std::min(box.left, vertices[i].x);
    box.top = std::min(box.top, vertices[i].y);
    box.right = std::max(box.right, vertices[i].x);
    box.bottom = std::max(box.bottom, vertices[i].y);
  }
  return box;
}

void TD_STDCALL CTCF2Bounds::AddPoint(const SPointD* point) {
  td::GuardVoid([&] { Append(*point); });
}

void CTCF2Bounds::Append(const SPointD& point) {
  m_Vertices.Add(Vertex(point));
  Changed();
}

void TD_STDCALL CTCF2Bounds::Assign(const CTCF2Bounds* other) {
  td::GuardVoid([&] {
    if (other == this) return;
    const int32_t count = other->Count();
    if (count > m_Vertices.GetCapacity())
      m_Vertices.SetCapacity(count);  // the one step that may fail
    m_Vertices.SetCount(0);
    for (int32_t i = 0; i < count; ++i) m_Vertices.Add(other->m_Vertices[i]);
    m_Box = other->m_Box;
    m_BoxValid = other->m_BoxValid;
    m_EdgesValid = other->m_EdgesValid;
  });
}

void TD_STDCALL CTCF2Bounds::Clear() {
  td::GuardVoid([&] {
    m_Vertices.SetCount(0);
    Changed();
  });
}

bool TD_STDCALL CTCF2Bounds::DeletePoint(int32_t n) {
  return td::Guard(false, [&]() -> bool {
    if (!Contains(n)) return false;
    const int32_t count = Count();
    std::memmove(static_cast<void*>(m_Vertices.ElementAt(n)), m_Vertices.ElementAt(n + 1),
                 sizeof(SPolyLineD) * static_cast<size_t>(count - n - 1));
    m_Vertices.SetCount(count - 1);
    Changed();
    return true;
  });
}

void TD_STDCALL CTCF2Bounds::GetBoundingBox(SRectD* box) {
  if (!m_BoxValid) {
    m_Box = PolygonBoundingBox(m_Vertices.ElementAt(0), Count());
    m_BoxValid = true;
  }
  *box = m_Box;
}

int32_t TD_STDCALL CTCF2Bounds::GetCount() { return Count(); }

int32_t TD_STDCALL CTCF2Bounds::GetMemorySize(uint8_t includeObject) {
  return m_Vertices.GetCapacity() * static_cast<int32_t>(sizeof(SPolyLineD)) +
         (includeObject ? kObjectSize : 0);
}

bool TD_STDCALL CTCF2Bounds::GetPoint(int32_t n, SPointD* point) {
  if (!Contains(n)) return false;
  *point = PointAt(n);
  return true;
}

bool TD_STDCALL CTCF2Bounds::InsertPoint(int32_t n, const SPointD* point) {
  return td::Guard(false, [&]() -> bool {
    const int32_t count = Count();
    if (n < 0 || n > count) return false;
    m_Vertices.SetCount(count + 1);
    std::memmove(static_cast<void*>(m_Vertices.ElementAt(n + 1)), m_Vertices.ElementAt(n),
                 sizeof(SPolyLineD) * static_cast<size_t>(count - n));
    m_Vertices[n] = Vertex(*point);
    Changed();
    return true;
  });
}

bool TD_STDCALL CTCF2Bounds::IsEqual(const CTCF2Bounds* other) {
  return td::Guard(false, [&]() -> bool {
    if (other->Count() != Count()) return false;
    for (int32_t i = 0; i < Count(); ++i)
      if (!PointDEqual(PointAt(i), other->PointAt(i))) return false;
    return true;
  });
}

bool TD_STDCALL CTCF2Bounds::IsRectangle() {
  return td::Guard(false, [&] {
    return Count() == 4 && AxisEdgeIsReversedD(PointAt(0), PointAt(1), PointAt(2), PointAt(3));
  });
}

bool TD_STDCALL CTCF2Bounds::ContainsPoint(const SPointD* point) {
  return td::Guard(false, [&] { return PointInPolygonD(*point, Edges(), Count()); });
}

int32_t TD_STDCALL CTCF2Bounds::IntersectsRect(const SRectD* rect) {
  return td::Guard(0, [&] { return RectPolygonRelationD(*rect, Count(), Edges()); });
}

void TD_STDCALL CTCF2Bounds::Scale(double factor) {
  for (int32_t i = 0; i < Count(); ++i) {
    m_Vertices[i].x *= factor;
    m_Vertices[i].y *= factor;
  }
  Changed();
}

bool TD_STDCALL CTCF2Bounds::SetPoint(int32_t n, const SPointD* point) {
  if (!Contains(n)) return false;
  m_Vertices[n] = Vertex(*point);
  Changed();
  return true;
}

void TD_STDCALL CTCF2Bounds::Offset(double dx, double dy) {
  for (int32_t i = 0; i < Count(); ++i) {
    m_Vertices[i].x += dx;
    m_Vertices[i].y += dy;
  }
  Changed();
}

int32_t TD_STDCALL CTCF2Bounds::Validate() {
  return td::Guard(0, [&]() -> int32_t {
    const int32_t n = Count();
    if (n == 0) return kBoundsValid;
    if (n < 3) return kBoundsTooFew;
    for (int32_t i = 0; i < n; ++i)
      for (int32_t j = i + 1; j < n; ++j)
        if (PointDEqual(PointAt(i), PointAt(j))) return kBoundsRepeatedVertex;
    if (HasCrossingEdges()) return kBoundsSelfCrossing;
    return CornerClass();
  });
}

const SPolyLineD* CTCF2Bounds::Edges() {
  if (!m_EdgesValid && Count() > 0) PolygonEdgeTableD(m_Vertices.ElementAt(0), Count());
  m_EdgesValid = true;
  return m_Vertices.ElementAt(0);
}

// Two edges without a shared vertex that meet.
bool CTCF2Bounds::HasCrossingEdges() const {
  const int32_t n = Count();
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = i + 1; j < n; ++j) {
      if (j == i + 1 || (i == 0 && j == n - 1)) continue;  // neighbours share a vertex
      SPointD x;
      if (SegmentIntersectD(PointAt(i), PointAt((i + 1) % n), PointAt(j), PointAt((j + 1) % n), x))
        return true;
    }
  }
  return false;
}

// 4 when the outline turns back on itself at a vertex, else 0 with a
// straight vertex and 1 without.
int32_t CTCF2Bounds::CornerClass() const {
  const int32_t n = Count();
  bool straight = false;
  for (int32_t i = 0; i < n; ++i) {
    const SPointD p = PointAt(i);
    const SPointD back = UnitVector(p, PointAt((i + n - 1) % n));
    const SPointD ahead = UnitVector(p, PointAt((i + 1) % n));
    const double d = back.x * ahead.x + back.y * ahead.y;
    if (d > kTurnBack) return kBoundsSelfCrossing;
    if (d < -kTurnBack) straight = true;
  }
  return straight ? kBoundsStraightVertex : kBoundsValid;
}
