// 4 x 4 matrices of doubles applied to row vectors (p' = p M).
#pragma once

#include "lib/geodesy/PlaneTypes.h"

void Matrix4Identity(SMatrix4& out);
void Matrix4RotX(SMatrix4& out, double sine, double cosine);
void Matrix4RotY(SMatrix4& out, double sine, double cosine);
void Matrix4RotZ(SMatrix4& out, double sine, double cosine);
// out = a b; out may be a or b.
void Matrix4Multiply(SMatrix4& out, const SMatrix4& a, const SMatrix4& b);
void Matrix4MultiplyAffine(SMatrix4& out, const SMatrix4& a, const SMatrix4& b);
void Matrix4MultiplyLinear(SMatrix4& out, const SMatrix4& a, const SMatrix4& b);
// Inverse of an affine matrix; a singular block is not checked.
void Matrix4InverseAffine(SMatrix4& out, const SMatrix4& m);
// p . block + translation; out may be p.
void Matrix4TransformPoint(SPoint3D& out, const SPoint3D& p, const SMatrix4& m);
bool Matrix4Equal(const SMatrix4& a, const SMatrix4& b);
