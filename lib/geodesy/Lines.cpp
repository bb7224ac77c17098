#include "lib/geodesy/Lines.h"

#include <cmath>

// Each family is written once over the point type; the F and D members are
// its two instantiations.
namespace {

template <class P>
bool LineIntersectT(const P& a, const P& b, const P& c, const P& d, P& x) {
  using T = decltype(P::x);
  const P d1{b.x - a.x, b.y - a.y};
  const P d2{d.x - c.x, d.y - c.y};
  // A segment without length defines no line.
  if ((d1.x == 0 && d1.y == 0) || (d2.x == 0 && d2.y == 0)) return false;
  // The pivot is the larger component, for stability.
  if (std::fabs(d1.y) > std::fabs(d1.x)) {
    if (std::fabs(d2.x) < std::fabs(d2.y)) {
      const T r = d1.x / d1.y;
      const T den = d2.y * r - d2.x;
      if (den == 0) return false;
      const T t = ((c.x - a.x) + (a.y - c.y) * r) / den;
      x = P{c.x + t * d2.x, c.y + t * d2.y};
    } else {
      const T r = d2.y / d2.x;
      const T den = d1.x * r - d1.y;
      if (den == 0) return false;
      const T t = ((a.y - c.y) + (c.x - a.x) * r) / den;
      x = P{a.x + t * d1.x, a.y + t * d1.y};
    }
    return true;
  }
  const T r = d1.y / d1.x;
  const T den = d2.x * r - d2.y;
  if (den == 0) return false;
  const T t = ((a.x - c.x) * r + c.y - a.y) / den;
  x = P{c.x + t * d2.x, c.y + t * d2.y};
  return true;
}

template <class P>
bool PointInSegmentBoxT(const P& a, const P& b, const P& p) {
  return std::fmin(a.x, b.x) <= p.x && p.x <= std::fmax(a.x, b.x) && std::fmin(a.y, b.y) <= p.y &&
         p.y <= std::fmax(a.y, b.y);
}

template <class P>
bool SegmentIntersectT(const P& a, const P& b, const P& c, const P& d, P& x) {
  P hit;
  if (!LineIntersectT(a, b, c, d, hit)) return false;
  x = hit;
  return PointInSegmentBoxT(a, b, hit) && PointInSegmentBoxT(c, d, hit);
}

template <class P, class T>
int32_t PointSideOfLineT(const P& a, const P& b, const P& p, T tolerance) {
  const T dx = b.x - a.x;
  const T dy = b.y - a.y;
  T e;
  bool flip;
  if (std::fabs(dy) < std::fabs(dx)) {
    e = (dy / dx) * (p.x - a.x) + a.y - p.y;
    flip = dx < 0;
  } else {
    e = (dx / dy) * (p.y - a.y) + a.x - p.x;
    flip = dy > 0;
  }
  if (!(std::fabs(e) > tolerance)) return 0;
  const int32_t s = e < 0 ? -1 : 1;
  return flip ? -s : s;
}

template <class P>
auto DistanceT(const P& p, const P& q) {
  return std::sqrt((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y));
}

template <class P>
auto Distance3T(const P& p, const P& q) {
  return std::sqrt((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y) + (q.z - p.z) * (q.z - p.z));
}

template <class P, class T>
T PointToSegmentDistanceT(const P& p, const P& a, const P& b, T& t) {
  const P normalEnd{p.x + (a.y - b.y), p.y + (b.x - a.x)};
  P foot;
  if (LineIntersectT(a, b, p, normalEnd, foot) && PointInSegmentBoxT(a, b, foot)) {
    t = DistanceT(a, foot) / DistanceT(a, b);
    return DistanceT(p, foot);
  }
  const T toA = DistanceT(p, a);
  const T toB = DistanceT(p, b);
  t = toA <= toB ? 0 : 1;
  return toA <= toB ? toA : toB;
}

template <class P>
void Normalise2T(P& out, const P& v) {
  const auto length = std::sqrt(v.x * v.x + v.y * v.y);
  out = P{v.x / length, v.y / length};
}

template <class P, class T>
void RotatePointT(P& out, const P& p, const P& centre, T sine, T cosine) {
  const T dx = p.x - centre.x;
  const T dy = p.y - centre.y;
  out = P{cosine * dx - sine * dy + centre.x, sine * dx + cosine * dy + centre.y};
}

template <class P>
auto TriangleAreaT(const P& a, const P& b, const P& c) {
  return std::fabs(((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / 2);
}

template <class P>
bool AxisEdgeIsReversedT(const P& a, const P& b, const P& c, const P& d) {
  if (a.x == b.x) return c.x == d.x && a.y == d.y && b.y == c.y;
  return a.y == b.y && c.y == d.y && a.x == d.x && b.x == c.x;
}

}  // namespace

bool LineIntersectF(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d, SPointF& x) {
  return LineIntersectT(a, b, c, d, x);
}
bool LineIntersectD(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d, SPointD& x) {
  return LineIntersectT(a, b, c, d, x);
}
bool SegmentIntersectF(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d, SPointF& x) {
  return SegmentIntersectT(a, b, c, d, x);
}
bool SegmentIntersectD(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d, SPointD& x) {
  return SegmentIntersectT(a, b, c, d, x);
}
bool PointInSegmentBoxF(const SPointF& a, const SPointF& b, const SPointF& p) { return PointInSegmentBoxT(a, b, p); }
bool PointInSegmentBoxD(const SPointD& a, const SPointD& b, const SPointD& p) { return PointInSegmentBoxT(a, b, p); }

int32_t PointSideOfLineF(const SPointF& a, const SPointF& b, const SPointF& p, float tolerance) {
  return PointSideOfLineT(a, b, p, tolerance);
}
int32_t PointSideOfLineD(const SPointD& a, const SPointD& b, const SPointD& p, double tolerance) {
  return PointSideOfLineT(a, b, p, tolerance);
}

float PointToSegmentDistanceF(const SPointF& p, const SPointF& a, const SPointF& b, float& t) {
  return PointToSegmentDistanceT(p, a, b, t);
}
double PointToSegmentDistanceD(const SPointD& p, const SPointD& a, const SPointD& b, double& t) {
  return PointToSegmentDistanceT(p, a, b, t);
}

void PointDSet(SPointD& p, double x, double y) { p = SPointD{x, y}; }
bool PointDEqual(const SPointD& p, const SPointD& q) { return p.x == q.x && p.y == q.y; }
bool Point3DEqual(const SPoint3D& p, const SPoint3D& q) { return p.x == q.x && p.y == q.y && p.z == q.z; }

float PointDistanceF(const SPointF& p, const SPointF& q) { return DistanceT(p, q); }
double PointDistanceD(const SPointD& p, const SPointD& q) { return DistanceT(p, q); }
float PointDistance3F(const SPoint3F& p, const SPoint3F& q) { return Distance3T(p, q); }
double PointDistance3D(const SPoint3D& p, const SPoint3D& q) { return Distance3T(p, q); }
double Vector2Length(const SPointD& v) { return std::sqrt(v.x * v.x + v.y * v.y); }
double Vector2LengthXY(double x, double y) { return std::sqrt(x * x + y * y); }
double Vector3Length(const SPoint3D& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
void Vector2NormaliseF(SPointF& out, const SPointF& v) { Normalise2T(out, v); }
void Vector2NormaliseD(SPointD& out, const SPointD& v) { Normalise2T(out, v); }

void Vector3NormaliseD(SPoint3D& out, const SPoint3D& v) {
  const double length = Vector3Length(v);
  out = SPoint3D{v.x / length, v.y / length, v.z / length};
}

void Vector2NormaliseXY(double x, double y, double& sine, double& cosine) {
  const double r = Vector2LengthXY(x, y);
  sine = y / r;
  cosine = x / r;
}

void Vector2ScaleF(SPointF& out, float x, float y, float s) { out = SPointF{x * s, y * s}; }
void Vector2ScaleD(SPointD& out, double x, double y, double s) { out = SPointD{x * s, y * s}; }

void RotatePointF(SPointF& out, const SPointF& p, const SPointF& centre, float sine, float cosine) {
  RotatePointT(out, p, centre, sine, cosine);
}
void RotatePointD(SPointD& out, const SPointD& p, const SPointD& centre, double sine, double cosine) {
  RotatePointT(out, p, centre, sine, cosine);
}

float TriangleAreaF(const SPointF& a, const SPointF& b, const SPointF& c) { return TriangleAreaT(a, b, c); }
double TriangleArea(const SPointD& a, const SPointD& b, const SPointD& c) { return TriangleAreaT(a, b, c); }

bool AxisEdgeIsReversedI(const SPointI& a, const SPointI& b, const SPointI& c, const SPointI& d) {
  return AxisEdgeIsReversedT(a, b, c, d);
}
bool AxisEdgeIsReversedF(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d) {
  return AxisEdgeIsReversedT(a, b, c, d);
}
bool AxisEdgeIsReversedD(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d) {
  return AxisEdgeIsReversedT(a, b, c, d);
}
