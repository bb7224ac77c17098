// Feeds hostile .bmp files to the header and pixel readers. Input: the
// destination pixel format (byte mod 10), the alpha flag (low bit), the
// reduction factor (1 + byte mod 4), then the file.

#include "fuzz/ImageFuzzRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  FuzzReadImage(data + 3, size - 3, false, data[0] % kPixelFormatCount, data[1] & 1,
                1 + data[2] % 4);
  return 0;
}
