// Per-pixel arithmetic of the blend modes on 0xAARRGGBB words. The equal-size
// copies scale channel sums back with >> 8, the scaled copies with / 255; both
// results stand, so each blend takes the scaling as a type.
#pragma once

#include <cstdint>

struct SShift8 {
  static uint32_t Apply(uint32_t v) { return v >> 8; }
};
struct SDivide255 {
  static uint32_t Apply(uint32_t v) { return v / 255; }
};

inline uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// Mode 1: a source pixel with any alpha replaces the destination whole.
inline uint32_t BlendTransparent(uint32_t d, uint32_t s) { return (s >> 24) ? s : d; }

// Mode 2: each colour channel (s.c x a + d.c x (255 - a)) scaled; d alpha kept.
template <class Scale>
uint32_t BlendOver(uint32_t d, uint32_t s) {
  const uint32_t a = s >> 24, na = 255 - a;
  uint32_t out = d & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8)
    out |= Scale::Apply(Channel(s, shift) * a + Channel(d, shift) * na) << shift;
  return out;
}

// Mode 2 with >> 8, two channels per multiplication: each channel's sum is at
// most 255 x 255 and cannot carry into its neighbour.
template <>
inline uint32_t BlendOver<SShift8>(uint32_t d, uint32_t s) {
  const uint32_t a = s >> 24, na = 255 - a;
  const uint32_t redBlue = (((s & 0xFF00FF) * a + (d & 0xFF00FF) * na) >> 8) & 0xFF00FF;
  const uint32_t green = (((s >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * na) & 0xFF00;
  return (d & 0xFF000000) | redBlue | green;
}

// Mode 3: the source as a grey at a quarter of its alpha; d alpha kept.
template <class Scale>
uint32_t BlendDisabled(uint32_t d, uint32_t s) {
  const uint32_t a = (s >> 24) >> 2, na = 255 - a;
  const uint32_t grey = (Channel(s, 16) + Channel(s, 8) + Channel(s, 0)) * a / 3;
  uint32_t out = d & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) out |= Scale::Apply(Channel(d, shift) * na + grey) << shift;
  return out;
}

// Mode 4: as mode 2, and the destination alpha becomes the larger of both.
template <class Scale>
uint32_t BlendAlpha(uint32_t d, uint32_t s) {
  const uint32_t alpha = (s >> 24) > (d >> 24) ? (s & 0xFF000000) : (d & 0xFF000000);
  return (BlendOver<Scale>(d, s) & 0x00FFFFFF) | alpha;
}

// Colour channels (c.c x o + d.c x (65025 - o)) >> 16 for an opacity o of
// 0..65025 (alpha x coverage); opacity 0 leaves the pixel exactly as it was.
inline uint32_t BlendCoverage(uint32_t d, uint32_t colour, uint32_t opacity) {
  if (opacity == 0) return d;
  const uint32_t na = 65025 - opacity;
  uint32_t out = d & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((Channel(colour, shift) * opacity + Channel(d, shift) * na) >> 16) << shift;
  return out;
}
