// Exports of the bitmaps: module set-up and the two bitmap factories.
#include <cstdint>

#include "TdLib.h"
#include "lib/bitmap/Bmp16.h"
#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/ImageHeaders.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"

#if TD_HOST_ABI
static_assert(sizeof(TdPixelBufferDesc) == sizeof(SPixelBufferDesc));
static_assert(sizeof(TdRect) == sizeof(RECT) && sizeof(TdSize) == sizeof(SIZE));
static_assert(sizeof(TdImageProgress) == sizeof(SImageProgress));
static_assert(sizeof(TdBmpHeader) == sizeof(SBmpHeader) && offsetof(TdBmpHeader, width) == offsetof(SBmpHeader, width) &&
              offsetof(TdBmpHeader, coloursImportant) == offsetof(SBmpHeader, coloursImportant));
#endif

// The blend routines and the gamma table are constants and the module lock
// is made on first use: nothing is left to build. Kept for the hosts that
// call it first, as they should.
TDEXPORT(void) BmpInitialize() {}

// A width above the largest signed one is far beyond the pixel-memory limit.
// Hosts see the objects through their tables only.
TDEXPORT(TdBmp16*) Bmp16Create(uint32_t width, int32_t height, uint8_t ownDC) {
  if (width > INT32_MAX) return nullptr;
  return reinterpret_cast<TdBmp16*>(td::Create<CBmp16>(static_cast<int32_t>(width), height, ownDC != 0));
}

TDEXPORT(TdBmp32*) Bmp32Create(uint32_t width, int32_t height, uint8_t ownDC) {
  if (width > INT32_MAX) return nullptr;
  return reinterpret_cast<TdBmp32*>(td::Create<CBmp32>(static_cast<int32_t>(width), height, ownDC != 0));
}

// The headers and palette of a .bmp file; the result is the error code alone.
TDEXPORT(void) BitmapLoadHeader(const char* path, TdBmpHeader* header, uint8_t* palette, uint32_t* error) {
  td::GuardVoid([&] {
    *error = kErrUnknown;
    CBufferedFileStream file;
    if (file.Open(CStr(path), kFileModeRead | kFileShareRead, 1024, *error))
      ReadBmpHeader(file, *reinterpret_cast<SBmpHeader*>(header), palette, *error);
  });
}
