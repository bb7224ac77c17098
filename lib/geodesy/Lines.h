// Points, segments and lines in single (F) and double (D) precision.
#pragma once

#include "lib/geodesy/PlaneTypes.h"

// Intersection of the infinite lines ab and cd; false (x untouched) when they
// are parallel or a segment has no length.
bool LineIntersectF(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d, SPointF& x);
bool LineIntersectD(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d, SPointD& x);
// LineIntersect and the point within the closed boxes of both segments.
bool SegmentIntersectF(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d, SPointF& x);
bool SegmentIntersectD(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d, SPointD& x);
bool PointInSegmentBoxF(const SPointF& a, const SPointF& b, const SPointF& p);
bool PointInSegmentBoxD(const SPointD& a, const SPointD& b, const SPointD& p);
// -1, 0 or +1; +1 when (b - a) x (p - a) is negative. The tolerance is
// measured along the minor axis of the line.
int32_t PointSideOfLineF(const SPointF& a, const SPointF& b, const SPointF& p, float tolerance);
int32_t PointSideOfLineD(const SPointD& a, const SPointD& b, const SPointD& p, double tolerance);
// Distance of p to segment ab; t is the position of the nearest point (0 at
// a, 1 at b).
float PointToSegmentDistanceF(const SPointF& p, const SPointF& a, const SPointF& b, float& t);
double PointToSegmentDistanceD(const SPointD& p, const SPointD& a, const SPointD& b, double& t);

void PointDSet(SPointD& p, double x, double y);
bool PointDEqual(const SPointD& p, const SPointD& q);
bool Point3DEqual(const SPoint3D& p, const SPoint3D& q);

float PointDistanceF(const SPointF& p, const SPointF& q);
double PointDistanceD(const SPointD& p, const SPointD& q);
float PointDistance3F(const SPoint3F& p, const SPoint3F& q);
double PointDistance3D(const SPoint3D& p, const SPoint3D& q);
double Vector2Length(const SPointD& v);
double Vector2LengthXY(double x, double y);
double Vector3Length(const SPoint3D& v);
void Vector2NormaliseF(SPointF& out, const SPointF& v);
void Vector2NormaliseD(SPointD& out, const SPointD& v);
void Vector3NormaliseD(SPoint3D& out, const SPoint3D& v);
// Unit vector of (x, y): sine = y / r, cosine = x / r.
void Vector2NormaliseXY(double x, double y, double& sine, double& cosine);
void Vector2ScaleF(SPointF& out, float x, float y, float s);
void Vector2ScaleD(SPointD& out, double x, double y, double s);

// p rotated about centre by the angle of the given sine and cosine.
void RotatePointF(SPointF& out, const SPointF& p, const SPointF& centre, float sine, float cosine);
void RotatePointD(SPointD& out, const SPointD& p, const SPointD& centre, double sine, double cosine);

float TriangleAreaF(const SPointF& a, const SPointF& b, const SPointF& c);
double TriangleArea(const SPointD& a, const SPointD& b, const SPointD& c);

// Whether axis-parallel edge cd runs over the same extent as ab, reversed.
bool AxisEdgeIsReversedI(const SPointI& a, const SPointI& b, const SPointI& c, const SPointI& d);
bool AxisEdgeIsReversedF(const SPointF& a, const SPointF& b, const SPointF& c, const SPointF& d);
bool AxisEdgeIsReversedD(const SPointD& a, const SPointD& b, const SPointD& c, const SPointD& d);
