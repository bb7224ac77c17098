#include "tests/charts/TileSamples.h"

#include <cmath>

namespace {

class CRandom {
 public:
  explicit CRandom(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  uint32_t Below(uint32_t n) { return Next() % n; }

 private:
  uint32_t state_;
};

uint32_t Mix(uint32_t a, uint32_t b, uint32_t weight) {  // weight 0..256 of b
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * (256 - weight) + cb * weight) >> 8) << shift;
  }
  return out;
}

// Sea in depth bands, a coastline with smoothed edge pixels, land, a depth
// contour, and dark soundings and lettering.
uint32_t ChartPixel(uint32_t x, uint32_t y, double phase, CRandom& rng) {
  const uint32_t kLand = 0xF5E3B0, kShallow = 0xA8D4F0, kDeep = 0xD8EEFA, kInk = 0x202020,
                 kContour = 0x5070A0;
  double coast = 90 + 40 * std::sin(x / 37.0 + phase) + 15 * std::sin(x / 11.0);
  double depth = y - coast;
  uint32_t colour;
  if (depth < 0) {
    colour = kLand;
  } else if (depth < 1) {
    colour = Mix(kLand, kShallow, static_cast<uint32_t>(depth * 256));
  } else {
    colour = depth < 60 ? kShallow : kDeep;
  }
  if (std::fabs(depth - 60) < 0.7) colour = kContour;
  if (depth > 5 && (x / 8 + y / 12) % 9 == 0 && (x % 8) < 5 && (y % 12) < 7 && rng.Below(3) != 0)
    colour = kInk;
  return colour;
}

uint32_t KindPixel(ETileKind kind, uint32_t x, uint32_t y, const uint32_t* palette, double phase,
                   CRandom& rng) {
  switch (kind) {
    case ETileKind::kFlat:
      return palette[0];
    case ETileKind::kFewColours:
      return palette[((x + static_cast<uint32_t>(phase * 7)) / 40 + y / 24) % 6];
    case ETileKind::kGradient:
      return (x / 2) << 16 | (y / 2) << 8 | ((x + y) / 4 + static_cast<uint32_t>(phase * 9)) % 256;
    case ETileKind::kNoise:
      return rng.Next() & 0xFFFFFF;
    case ETileKind::kChart:
      return ChartPixel(x, y, phase, rng);
  }
  return 0;
}

uint32_t AlphaOf(ETileAlpha alpha, uint32_t& runLeft, bool& opaque, CRandom& rng) {
  switch (alpha) {
    case ETileAlpha::kOpaque:
      return 0xFF;
    case ETileAlpha::kRuns:
      if (runLeft == 0) {
        opaque = !opaque;
        runLeft = 1 + rng.Below(rng.Below(4) == 0 ? 3 : 900);
      }
      --runLeft;
      return opaque ? 0xFF : 0;
    case ETileAlpha::kSpeckled:
      return rng.Below(256);
  }
  return 0xFF;
}

}  // namespace

const char* TileKindName(ETileKind kind) {
  switch (kind) {
    case ETileKind::kFlat: return "flat";
    case ETileKind::kFewColours: return "few-colour";
    case ETileKind::kGradient: return "gradient";
    case ETileKind::kNoise: return "noise";
    case ETileKind::kChart: return "chart";
  }
  return "";
}

std::vector<uint32_t> MakeTile(ETileKind kind, uint32_t width, uint32_t height, uint32_t seed,
                               ETileAlpha alpha) {
  CRandom rng(seed);
  uint32_t palette[6];
  for (uint32_t& colour : palette) colour = rng.Next() & 0xFFFFFF;
  double phase = rng.Below(1000) / 100.0;
  std::vector<uint32_t> tile(width * height);
  uint32_t runLeft = 0;
  bool opaque = false;
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x)
      tile[y * width + x] =
          KindPixel(kind, x, y, palette, phase, rng) | AlphaOf(alpha, runLeft, opaque, rng) << 24;
  return tile;
}
