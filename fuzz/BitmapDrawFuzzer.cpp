// Feeds hostile rectangles and points to CBmp32::Draw and DrawTransform on
// small bitmaps. Input: source width - 1 and height - 1 (low 4 bits each),
// destination width - 1 and height - 1, the mode, then 16 coordinates, each a
// selector byte (a hostile value from the table, or the next 8 bytes as a
// raw double). Every source pixel holds its own tag, so whatever a copy
// writes must be a tag of the source; a draw of the source onto itself must
// give what a draw from its copy gives; the sanitizers catch the rest.

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "fuzz/GeometryInput.h"
#include "lib/bitmap/Bmp32.h"

namespace {

const double kHostile[] = {std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           1e300, -1e300, 1.7e308, -1.7e308, 2147483648.0, -2147483649.0,
                           -0.5, 0, 0.5, 1, 3.5, 7.5, 15.5, -5.5, 1e-300, 4.0000001, 3.9999999};

uint32_t Tag(int32_t x, int32_t y) { return 0xFF000000u | uint32_t(y) << 8 | uint32_t(x); }

bool IsSourceTag(uint32_t v, const CBmp32& source) {
  const int32_t x = v & 0xFF, y = (v >> 8) & 0xFF;
  return (v & 0xFFFF0000u) == 0xFF000000u && x < source.Width() && y < source.Height();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CGeometryInput in(data, size, kHostile);
  const uint8_t sizes = in.Byte(), destinationSizes = in.Byte();
  const int32_t mode = static_cast<int8_t>(in.Byte());
  CBmp32 source((sizes & 15) + 1, (sizes >> 4) + 1, false);
  CBmp32 destination((destinationSizes & 15) + 1, (destinationSizes >> 4) + 1, false);
  for (int32_t y = 0; y < source.Height(); ++y)
    for (int32_t x = 0; x < source.Width(); ++x) source.Row(y)[x] = Tag(x, y);
  double c[16];
  for (double& v : c) v = in.Coordinate();

  destination.Fill(0);
  source.Draw(&destination, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], mode);
  auto clamp = [](double v) { return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int32_t>(v) : 0; };
  const bool copies = mode == bmCopy || mode == bmTransparent;
  for (int64_t i = 0; copies && i < destination.PixelCount(); ++i)
    if (destination.Pixels()[i] && !IsSourceTag(destination.Pixels()[i], source)) std::abort();

  destination.Fill(0);
  source.DrawTransform(&destination, clamp(c[8]), clamp(c[9]), clamp(c[10]), clamp(c[11]), c[0], c[1], c[2], c[3],
                       c[4], c[5], c[6], c[7], mode);
  for (int64_t i = 0; i < destination.PixelCount(); ++i)
    if (destination.Pixels()[i] && !IsSourceTag(destination.Pixels()[i], source)) std::abort();

  // Drawn inside one bitmap: the same as drawn from a copy of it.
  CBmp32 itself(0, 0, false), expected(0, 0, false);
  itself.CopyFrom(source);
  expected.CopyFrom(source);
  source.Draw(&expected, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], mode);
  itself.Draw(&itself, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], mode);
  if (std::memcmp(itself.Pixels(), expected.Pixels(),
                  static_cast<size_t>(itself.PixelCount()) * 4) != 0)
    std::abort();
  return 0;
}
