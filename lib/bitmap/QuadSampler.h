// The pixel loop of CBmp32::DrawTransform: every destination pixel of the
// quadrilateral's bounding box whose centre maps back into the source
// rectangle takes the source pixel nearest to that inverse image. Built and
// used within one call, on the caller's thread.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/Matrix3.h"

class CQuadSampler {
 public:
  // inside: the source rectangle within the source bitmap, not empty.
  CQuadSampler(const CBmp32& source, const SRectI& inside, bool transparent);

  // The mapping of rect's corners onto quad for a destination of the given
  // size; false when nothing is to be drawn (non-finite points, no area, a
  // singular mapping, a box outside the destination).
  bool Map(const SRectI& rect, const SPointD (&quad)[4], int32_t width, int32_t height);
  void DrawInto(CBmp32& destination) const;

 private:
  // Affine rows step in 32.32 fixed point; false when the row's source
  // coordinates are too large for it.
  bool AffineRow(uint32_t* out, int32_t y) const;
  void ProjectiveRow(uint32_t* out, int32_t y) const;
  // count pixels whose source coordinates (32.32, + 0.5) all lie inside.
  struct SFixedSpan {
    int64_t u, v, du, dv;
    int32_t count;
  };
  template <bool Transparent>
  void CopySpan(uint32_t* out, const SFixedSpan& span) const;
  void Put(uint32_t* out, int64_t column, int64_t row) const;

  const CBmp32& m_Source;
  SRectI m_Inside;
  bool m_Transparent;
  SMatrix3 m_Inverse;  // destination pixel -> source pixel
  bool m_Affine;       // W is 1 everywhere
  bool m_PositiveW;    // the sign of W inside the quadrilateral
  SRectI m_Box;        // inclusive destination columns and rows
};
