#pragma once

#include <cstdint>
#include <vector>

// Tiles of the kinds a chart is made of, generated from a seed, for the
// codec's tests and benchmarks.
enum class ETileKind { kFlat, kFewColours, kGradient, kNoise, kChart };

enum class ETileAlpha {
  kOpaque,
  kRuns,     // opaque and transparent stretches of random length
  kSpeckled  // every pixel a random alpha 0..255
};

const char* TileKindName(ETileKind kind);

// width x height pixels 0xAARRGGBB, rows packed.
std::vector<uint32_t> MakeTile(ETileKind kind, uint32_t width, uint32_t height, uint32_t seed,
                               ETileAlpha alpha = ETileAlpha::kOpaque);
