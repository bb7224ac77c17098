// Writes a bitmap as a .bmp in memory and reads it back: what comes back must
// be what went in. Input: the format (P8, X1R5G5B5, A1R5G5B5, R8G8B8,
// X8R8G8B8 or A8R8G8B8 by byte mod 6), RLE8 (low bit, for P8), width and
// height (1 + byte mod 32 each), a top-down flag, then the pixel bytes
// (repeated to fill the image).

#include <cstdlib>

#include "fuzz/ImageFuzzRead.h"
#include "lib/bitmap/BmpWriter.h"
#include "lib/foundation/streams/MemoryStream.h"

namespace {

const int32_t kFormats[] = {pfP8, pfX1R5G5B5, pfA1R5G5B5, pfR8G8B8, pfX8R8G8B8, pfA8R8G8B8};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const int32_t format = kFormats[data[0] % 6];
  const int32_t coding = format == pfP8 && (data[1] & 1) ? rcRle8 : rcNone;
  const int32_t width = 1 + data[2] % 32, height = 1 + data[3] % 32;
  const bool topDown = data[4] & 1;
  const int32_t stride = static_cast<int32_t>(PixelFormatStride(width, format));
  std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = data[5 + i % (size - 5)];
  const SPixelBufferDesc desc = {
      format, stride, width, height, topDown ? stride : -stride, topDown ? -stride : stride};
  CMemoryStream stream;
  uint32_t error = 0;
  if (!WriteBmp(stream, pixels.data(), desc, format, nullptr, coding, nullptr, error)) abort();
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  stream.Seek(0, 0);
  if (!ReadFuzzSource(stream, false, true, palette, source)) abort();
  std::vector<uint8_t> back(pixels.size());
  CBmpLoader loader(stream, source, palette, desc, 1, error);
  if (error != 0 || !loader.ReadRows(back.data(), height, nullptr, error)) abort();
  const size_t rowBytes = (static_cast<size_t>(width) * PixelFormatBits(format) + 7) / 8;
  for (int32_t y = 0; y < height; ++y)
    if (std::memcmp(&back[static_cast<size_t>(y) * stride],
                    &pixels[static_cast<size_t>(y) * stride], rowBytes) != 0)
      abort();
  return 0;
}
