#include "lib/bitmap/BlendRoutines.h"

#include <algorithm>

#include "lib/bitmap/BlendPixel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

template <uint32_t (*Blend)(uint32_t, uint32_t)>
void Row(uint32_t* d, const uint32_t* s, int32_t count) {
  for (int32_t i = 0; i < count; ++i) d[i] = Blend(d[i], s[i]);
}

#if defined(__SSE2__)
// Row mode 2, four pixels at a time in 16-bit lanes. Each channel's sum
// s.c x a + d.c x (255 - a) = 255 d.c + a (s.c - d.c) lies in 0..65025, so
// computing it modulo 2^16 (one multiplication) gives it exactly; then >> 8.
// The destination keeps its alpha byte.
__m128i BlendHalf(__m128i s, __m128i d, __m128i a) {
  const __m128i scaled = _mm_sub_epi16(_mm_slli_epi16(d, 8), d);
  return _mm_srli_epi16(_mm_add_epi16(scaled, _mm_mullo_epi16(a, _mm_sub_epi16(s, d))), 8);
}

__m128i BlendFourOver(__m128i d, __m128i s) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
  // Each pixel's alpha in the four 16-bit lanes of its channels.
  const __m128i alpha = _mm_srli_epi32(s, 24);
  const __m128i pairs = _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16));
  const __m128i low = BlendHalf(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi32(pairs, pairs));
  const __m128i high = BlendHalf(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi32(pairs, pairs));
  const __m128i blended = _mm_packus_epi16(low, high);
  return _mm_or_si128(_mm_and_si128(blended, colours), _mm_andnot_si128(colours, d));
}

void RowBlend(uint32_t* d, const uint32_t* s, int32_t count) {
  auto load = [](const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  auto store = [](uint32_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); };
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i first = BlendFourOver(load(d + i), load(s + i));
    const __m128i second = BlendFourOver(load(d + i + 4), load(s + i + 4));
    store(d + i, first);
    store(d + i + 4, second);
  }
  for (; i + 4 <= count; i += 4) store(d + i, BlendFourOver(load(d + i), load(s + i)));
  for (; i < count; ++i) d[i] = BlendOver<SShift8>(d[i], s[i]);
}
#else
void RowBlend(uint32_t* d, const uint32_t* s, int32_t count) { Row<BlendOver<SShift8>>(d, s, count); }
#endif

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

#if defined(__SSE2__)
// Four pixels at a time through the row blend's arithmetic.
void HorizontalSpan(uint32_t* d, uint32_t colour, int32_t count) {
  const uint32_t alpha = colour >> 24;
  if (alpha == 0) return;
  if (alpha == 255) {
    std::fill_n(d, count, colour);
    return;
  }
  const __m128i source = _mm_set1_epi32(static_cast<int32_t>(colour));
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    __m128i* p = reinterpret_cast<__m128i*>(d + i);
    _mm_storeu_si128(p, BlendFourOver(_mm_loadu_si128(p), source));
  }
  for (; i < count; ++i) d[i] = BlendOver<SShift8>(d[i], colour);
}
#else
void HorizontalSpan(uint32_t* d, uint32_t colour, int32_t count) { VerticalSpan(d, colour, count, 1); }
#endif

void SolidPixel(uint32_t* d, uint32_t colour) {
  if (colour >> 24) *d = BlendOver<SShift8>(*d, colour);
}

void CoveragePixel(uint32_t* d, uint32_t colour, uint32_t opacity) {
  *d = BlendCoverage(*d, colour, (colour >> 24) * opacity);
}

}  // namespace

const SBlendRoutines g_BlendRoutines = {
    Row<BlendTransparent>, RowBlend, Row<BlendDisabled<SShift8>>, Row<BlendAlpha<SShift8>>,
    CoverageRow,           HorizontalSpan,          VerticalSpan,                SolidPixel,
    CoveragePixel,
};
