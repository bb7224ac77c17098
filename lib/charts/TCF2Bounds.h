// CTCF2Bounds: the outline of the valid area of a chart image, a polygon in
// pixel coordinates (pixel centres at whole numbers). The bounding box and
// the edge table are built when first asked for after a change. Not
// thread-safe: even the queries build caches, so one thread at a time.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Object.h"
#include "lib/geodesy/PlaneTypes.h"

// Results of Validate.
enum : int32_t {
  kBoundsStraightVertex = 0,  // valid, at least one vertex on a straight line
  kBoundsValid = 1,
  kBoundsTooFew = 2,  // one or two vertices (no vertices gives 1)
  kBoundsRepeatedVertex = 3,
  kBoundsSelfCrossing = 4,
};

// min x, min y, max x, max y of n vertices; all 0 when n is 0.
SRectD PolygonBoundingBox(const SPolyLineD* vertices, int32_t n);

class CTCF2Bounds : public CObject {
 public:
  TD_DELETE_THIS(CTCF2Bounds)

  CTCF2Bounds() = default;
  ~CTCF2Bounds() = default;
  CTCF2Bounds(const CTCF2Bounds&) = delete;
  CTCF2Bounds& operator=(const CTCF2Bounds&) = delete;

  virtual void TD_STDCALL AddPoint(const SPointD* point);
  virtual void TD_STDCALL Assign(const CTCF2Bounds* other);
  virtual void TD_STDCALL Clear();
  // Index outside the vertices: nothing happens, false.
  virtual bool TD_STDCALL DeletePoint(int32_t n);
  // min x, min y, max x, max y of the vertices; all 0 without vertices.
  virtual void TD_STDCALL GetBoundingBox(SRectD* box);
  virtual int32_t TD_STDCALL GetCount();
  virtual int32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  virtual bool TD_STDCALL GetPoint(int32_t n, SPointD* point);
  // n may be 0..count (count appends).
  virtual bool TD_STDCALL InsertPoint(int32_t n, const SPointD* point);
  virtual bool TD_STDCALL IsEqual(const CTCF2Bounds* other);
  virtual bool TD_STDCALL IsRectangle();
  virtual bool TD_STDCALL ContainsPoint(const SPointD* point);
  // 0 disjoint, 1 rectangle inside the outline, 2 outline inside, 3 overlap.
  virtual int32_t TD_STDCALL IntersectsRect(const SRectD* rect);
  virtual void TD_STDCALL Scale(double factor);
  virtual bool TD_STDCALL SetPoint(int32_t n, const SPointD* point);
  virtual void TD_STDCALL Offset(double dx, double dy);
  virtual int32_t TD_STDCALL Validate();

  // Vertex n, which the caller knows to exist.
  SPointD PointAt(int32_t n) const { return {m_Vertices[n].x, m_Vertices[n].y}; }
  // Adds a vertex for the file readers; throws when memory runs out, where the
  // AddPoint slot adds nothing.
  void Append(const SPointD& point);
  int32_t Count() const { return m_Vertices.GetCount(); }

 private:
  bool Contains(int32_t n) const { return n >= 0 && n < m_Vertices.GetCount(); }
  void Changed() { m_BoxValid = m_EdgesValid = false; }
  const SPolyLineD* Edges();
  bool HasCrossingEdges() const;
  int32_t CornerClass() const;

  SRectD m_Box{};
  bool m_BoxValid = false;
  CArray<SPolyLineD> m_Vertices;
  bool m_EdgesValid = false;
};
