// The image readers' fuzzing harness: reads a whole file held in memory as
// the loading slots do, into a buffer of the asked format reduced by the
// asked factor. Files of more than 2^20 pixels are skipped after their
// headers are read (their size checks have run), so that every input stays
// fast; converter messages are what a slot turns into error 1.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "lib/bitmap/BmpLoader.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/streams/PointerStream.h"

constexpr int64_t kFuzzMaxPixels = int64_t{1} << 20;

inline bool ReadFuzzSource(CStream& stream, bool tga, bool alpha, uint8_t* palette,
                           SImageSource& source) {
  uint32_t error = 0;
  return ReadImageSource(stream, tga, alpha, palette, source, error);
}

// Reads the file; every row the loader writes must stay inside the buffer,
// which the sanitizers watch.
inline void FuzzReadImage(const uint8_t* file, size_t size, bool tga, int32_t format, bool alpha,
                          int32_t factor) {
  CConstPointerStream stream(file, static_cast<int64_t>(size));
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  if (!ReadFuzzSource(stream, tga, alpha, palette, source)) return;
  if (int64_t{source.desc.width} * source.desc.height > kFuzzMaxPixels) return;
  const int32_t width = source.desc.width / factor, height = source.desc.height / factor;
  const int32_t stride = static_cast<int32_t>(PixelFormatStride(width, format));
  const SPixelBufferDesc desc = {format, stride, width, height, stride, -stride};
  std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height);
  uint32_t error = 0;
  try {
    CBmpLoader loader(stream, source, palette, desc, factor, error);
    if (error == 0) loader.ReadRows(pixels.data(), height, nullptr, error);
  } catch (const char*) {
  }
}
