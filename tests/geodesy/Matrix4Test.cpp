#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Matrix4.h"

TEST(Matrix4Test, RotationsMoveRowVectors) {
  SMatrix4 rz;
  Matrix4RotZ(rz, 1, 0);  // sine 1: (1, 0, 0) -> (0, 1, 0)
  SPoint3D p{1, 0, 0};
  Matrix4TransformPoint(p, p, rz);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 1);
  SMatrix4 rx;
  Matrix4RotX(rx, 1, 0);
  SPoint3D q{0, 1, 0};
  Matrix4TransformPoint(q, q, rx);
  EXPECT_EQ(q.z, 1);
  SMatrix4 ry;
  Matrix4RotY(ry, 1, 0);
  SPoint3D r{0, 0, 1};
  Matrix4TransformPoint(r, r, ry);
  EXPECT_EQ(r.x, 1);
}

TEST(Matrix4Test, AffineProductAndInverse) {
  SMatrix4 a, b;
  Matrix4RotX(a, std::sin(0.3), std::cos(0.3));
  a.m[3][0] = 10;
  a.m[3][1] = -20;
  a.m[3][2] = 30;
  Matrix4RotZ(b, std::sin(-1.1), std::cos(-1.1));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) b.m[r][c] *= 1.5;
  b.m[3][0] = 7;

  SMatrix4 full, affine;
  Matrix4Multiply(full, a, b);
  Matrix4MultiplyAffine(affine, a, b);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(full.m[r][c], affine.m[r][c], 1e-12);

  SMatrix4 inverse, product, identity;
  Matrix4InverseAffine(inverse, affine);
  Matrix4Multiply(product, affine, inverse);
  Matrix4Identity(identity);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(product.m[r][c], identity.m[r][c], 1e-12);

  SMatrix4 linear;
  Matrix4MultiplyLinear(linear, a, b);
  EXPECT_EQ(linear.m[3][0], 0);
  EXPECT_EQ(linear.m[3][3], 1);
  EXPECT_TRUE(Matrix4Equal(affine, affine));
  EXPECT_FALSE(Matrix4Equal(affine, full) && Matrix4Equal(linear, full));
}
