// 3 x 3 matrices of the projective copy: a point (x, y) is the row vector
// (x, y, 1) multiplied from the left, so M maps it to (X, Y, W) and the
// image point is (X / W, Y / W).
#pragma once

#include "lib/geodesy/PlaneTypes.h"

struct SMatrix3 {
  double m[3][3];

  static SMatrix3 Identity();
  double Determinant() const;
  SMatrix3 Adjugate() const;
  SMatrix3 Scaled(double factor) const;
  // this x right: first this, then right.
  SMatrix3 operator*(const SMatrix3& right) const;
  // False when the determinant is 0 or the inverse is not finite.
  bool Invert(SMatrix3& inverse) const;
};

// The matrix that maps the source rectangle's corners (left, top), (right,
// top), (right, bottom), (left, bottom) onto q[0..3]: translation by the
// rectangle's top-left corner, scaling to the unit square, then the unit
// square onto the quadrilateral (an affine map when it is a parallelogram).
// All zeros when the quadrilateral is degenerate.
SMatrix3 RectToQuad(const SRectD& rect, const SPointD (&q)[4]);
