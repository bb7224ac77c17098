// Reads hostile .bmp and TGA files band by band through CBmpLoader. Input:
// flags (bit 0 TGA, bit 1 a reducing factor of 2, bit 2 a bottom-up band),
// the band height (1 + byte mod 16), eight row counts of the ReadRows calls
// (signed bytes, so that counts beyond the band and the image and negative
// ones come up), then the file. Each band buffer carries a guard row that
// must stay untouched.

#include <cstdlib>

#include "fuzz/ImageFuzzRead.h"

namespace {

constexpr uint8_t kGuard = 0xA5;
constexpr int kCalls = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 + kCalls) return 0;
  const bool tga = data[0] & 1, reduce = data[0] & 2, bottomUp = data[0] & 4;
  const int32_t bandHeight = 1 + data[1] % 16;
  const uint8_t* file = data + 2 + kCalls;
  CConstPointerStream stream(file, static_cast<int64_t>(size - 2 - kCalls));
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  if (!ReadFuzzSource(stream, tga, true, palette, source)) return 0;
  if (int64_t{source.desc.width} * source.desc.height > kFuzzMaxPixels) return 0;
  const int32_t factor = reduce ? 2 : 1;
  const int32_t width = source.desc.width / factor, stride = width * 4;
  if (width == 0) return 0;
  const SPixelBufferDesc band = {pfA8R8G8B8,
                                 stride,
                                 width,
                                 bandHeight,
                                 bottomUp ? -stride : stride,
                                 bottomUp ? stride : -stride};
  std::vector<uint8_t> buffer(static_cast<size_t>(stride) * (bandHeight + 1));
  uint32_t error = 0;
  CBmpLoader loader(stream, source, palette, band, factor, error);
  for (int call = 0; call < kCalls && error == 0; ++call) {
    std::memset(buffer.data(), kGuard, buffer.size());
    loader.ReadRows(buffer.data(), static_cast<int8_t>(data[2 + call]), nullptr, error);
    for (size_t i = static_cast<size_t>(stride) * bandHeight; i < buffer.size(); ++i)
      if (buffer[i] != kGuard) abort();
  }
  return 0;
}
