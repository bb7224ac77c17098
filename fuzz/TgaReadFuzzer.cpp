// Feeds hostile TGA files to the header and pixel readers. Input: the
// destination pixel format (byte mod 10), the reduction factor (1 + byte mod
// 4), then the file.

#include "fuzz/ImageFuzzRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  FuzzReadImage(data + 2, size - 2, true, data[0] % kPixelFormatCount, false, 1 + data[1] % 4);
  return 0;
}
