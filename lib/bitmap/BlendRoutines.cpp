#include "lib/bitmap/BlendRoutines.h"

#include "lib/bitmap/BlendPixel.h"

namespace {

template <uint32_t (*Blend)(uint32_t, uint32_t)>
void Row(uint32_t* d, const uint32_t* s, int32_t count) {
  for (int32_t i = 0; i < count; ++i) d[i] = Blend(d[i], s[i]);
}

void CoverageRow(uint32_t* d, const uint32_t* s, int32_t count, uint32_t k) {
  for (int32_t i = 0; i < count; ++i) d[i] = BlendCoverage(d[i], s[i], (s[i] >> 24) * k);
}

// The span and solid-pixel blend: opaque stores, transparent keeps.
uint32_t SpanPixel(uint32_t d, uint32_t colour) {
  const uint32_t alpha = colour >> 24;
  if (alpha == 255) return colour;
  return alpha ? BlendOver<SShift8>(d, colour) : d;
}

void VerticalSpan(uint32_t* d, uint32_t colour, int32_t count, int32_t rowLength) {
  for (int32_t i = 0; i < count; ++i, d += rowLength) *d = SpanPixel(*d, colour);
}

void HorizontalSpan(uint32_t* d, uint32_t colour, int32_t count) { VerticalSpan(d, colour, count, 1); }

void SolidPixel(uint32_t* d, uint32_t colour) {
  if (colour >> 24) *d = BlendOver<SShift8>(*d, colour);
}

void CoveragePixel(uint32_t* d, uint32_t colour, uint32_t opacity) {
  *d = BlendCoverage(*d, colour, (colour >> 24) * opacity);
}

}  // namespace

const SBlendRoutines g_BlendRoutines = {
    Row<BlendTransparent>, Row<BlendOver<SShift8>>, Row<BlendDisabled<SShift8>>, Row<BlendAlpha<SShift8>>,
    CoverageRow,           HorizontalSpan,          VerticalSpan,                SolidPixel,
    CoveragePixel,
};
