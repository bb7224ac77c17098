#include "lib/geodesy/Matrix4.h"

namespace {

// Fills the 3 x 3 block; the fourth row and column are those of the identity.
void SetLinear(SMatrix4& out, const double block[3][3]) {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) out.m[r][c] = block[r][c];
    out.m[r][3] = 0;
  }
  out.m[3][0] = out.m[3][1] = out.m[3][2] = 0;
  out.m[3][3] = 1;
}

void BlockProduct(double out[3][3], const SMatrix4& a, const SMatrix4& b) {
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) out[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c];
}

}  // namespace

void Matrix4Identity(SMatrix4& out) {
  const double block[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  SetLinear(out, block);
}

void Matrix4RotX(SMatrix4& out, double sine, double cosine) {
  const double block[3][3] = {{1, 0, 0}, {0, cosine, sine}, {0, -sine, cosine}};
  SetLinear(out, block);
}

void Matrix4RotY(SMatrix4& out, double sine, double cosine) {
  const double block[3][3] = {{cosine, 0, -sine}, {0, 1, 0}, {sine, 0, cosine}};
  SetLinear(out, block);
}

void Matrix4RotZ(SMatrix4& out, double sine, double cosine) {
  const double block[3][3] = {{cosine, sine, 0}, {-sine, cosine, 0}, {0, 0, 1}};
  SetLinear(out, block);
}

void Matrix4Multiply(SMatrix4& out, const SMatrix4& a, const SMatrix4& b) {
  SMatrix4 product;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      product.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c] + a.m[r][2] * b.m[2][c] + a.m[r][3] * b.m[3][c];
  out = product;
}

void Matrix4MultiplyLinear(SMatrix4& out, const SMatrix4& a, const SMatrix4& b) {
  double block[3][3];
  BlockProduct(block, a, b);
  SetLinear(out, block);
}

void Matrix4MultiplyAffine(SMatrix4& out, const SMatrix4& a, const SMatrix4& b) {
  SPoint3D t{a.m[3][0], a.m[3][1], a.m[3][2]};
  Matrix4TransformPoint(t, t, b);
  Matrix4MultiplyLinear(out, a, b);
  out.m[3][0] = t.x;
  out.m[3][1] = t.y;
  out.m[3][2] = t.z;
}

void Matrix4InverseAffine(SMatrix4& out, const SMatrix4& m) {
  const double(&a)[4][4] = m.m;
  double inv[3][3];
  // Cofactors, transposed, over the determinant.
  inv[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
  inv[0][1] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
  inv[0][2] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
  inv[1][0] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
  inv[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
  inv[1][2] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
  inv[2][0] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
  inv[2][1] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
  inv[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
  const double det = a[0][0] * inv[0][0] + a[0][1] * inv[1][0] + a[0][2] * inv[2][0];
  for (auto& row : inv)
    for (double& v : row) v /= det;
  const SPoint3D t{a[3][0], a[3][1], a[3][2]};
  SetLinear(out, inv);
  SPoint3D moved;
  Matrix4TransformPoint(moved, t, out);
  out.m[3][0] = -moved.x;
  out.m[3][1] = -moved.y;
  out.m[3][2] = -moved.z;
}

void Matrix4TransformPoint(SPoint3D& out, const SPoint3D& p, const SMatrix4& m) {
  const SPoint3D q = p;
  out.x = q.x * m.m[0][0] + q.y * m.m[1][0] + q.z * m.m[2][0] + m.m[3][0];
  out.y = q.x * m.m[0][1] + q.y * m.m[1][1] + q.z * m.m[2][1] + m.m[3][1];
  out.z = q.x * m.m[0][2] + q.y * m.m[1][2] + q.z * m.m[2][2] + m.m[3][2];
}

bool Matrix4Equal(const SMatrix4& a, const SMatrix4& b) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (a.m[r][c] != b.m[r][c]) return false;
  return true;
}
