// The headers of .bmp and TGA files, the description of the pixels they hold
// and the progress callback of the image readers and the writer. Everything
// here reads from a CStream the caller owns and positions; any thread may use
// it on its own stream.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/bitmap/Bmp.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/Stream.h"

#pragma pack(push, 1)
// The 54 bytes of a .bmp file's file header and info header, as stored.
struct SBmpHeader {
  char magic[2];  // "BM"
  uint32_t fileSize;
  uint32_t reserved;
  uint32_t dataOffset;
  uint32_t headerSize;
  int32_t width;
  int32_t height;  // positive: rows stored bottom-up; negative: top-down
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  uint32_t imageSize;
  int32_t xPixelsPerMetre;
  int32_t yPixelsPerMetre;
  uint32_t coloursUsed;
  uint32_t coloursImportant;
};

// The 18-byte TGA file header, as stored.
struct STgaHeader {
  uint8_t idLength;
  uint8_t colourMapType;
  uint8_t imageType;
  uint16_t colourMapFirst;
  uint16_t colourMapLength;
  uint8_t colourMapEntryBits;
  uint16_t xOrigin;
  uint16_t yOrigin;
  uint16_t width;
  uint16_t height;
  uint8_t pixelDepth;
  uint8_t descriptor;  // bits 0-3 attribute bits per pixel, bit 5 top-left origin
};
#pragma pack(pop)
static_assert(sizeof(SBmpHeader) == 54 && offsetof(SBmpHeader, fileSize) == 2 &&
              offsetof(SBmpHeader, dataOffset) == 10 && offsetof(SBmpHeader, headerSize) == 14 &&
              offsetof(SBmpHeader, width) == 18 && offsetof(SBmpHeader, height) == 22 &&
              offsetof(SBmpHeader, planes) == 26 && offsetof(SBmpHeader, bitCount) == 28 &&
              offsetof(SBmpHeader, compression) == 30 && offsetof(SBmpHeader, imageSize) == 34 &&
              offsetof(SBmpHeader, xPixelsPerMetre) == 38 &&
              offsetof(SBmpHeader, coloursUsed) == 46 &&
              offsetof(SBmpHeader, coloursImportant) == 50);
static_assert(sizeof(STgaHeader) == 18 && offsetof(STgaHeader, colourMapFirst) == 3 &&
              offsetof(STgaHeader, colourMapEntryBits) == 7 && offsetof(STgaHeader, width) == 12 &&
              offsetof(STgaHeader, pixelDepth) == 16 && offsetof(STgaHeader, descriptor) == 17);

// 256 entries of blue, green, red, 0.
constexpr int32_t kPaletteBytes = 1024;

// How the rows of a file are stored.
enum ERowCoding : int32_t {
  rcNone = 0,
  rcRle4 = 1,
  rcRle8 = 2,
  rcTgaRaw = 3,
  rcTgaRle1 = 4,  // 4..7: run-length with 1..4 bytes per pixel
  rcTgaRle4 = 7,
};

// What a file holds: its pixels' format, stride, width and height (rows, never
// negative) and row order in the steps: (-stride, +stride) for rows stored
// bottom-up, (+stride, -stride) for rows stored top-down.
struct SImageSource {
  SPixelBufferDesc desc;
  int32_t coding;
  int64_t dataOffset;  // where the pixel data starts
  bool BottomUp() const { return desc.nextRow < 0; }
};

// Called with 0 before the first row and after every row with the percentage
// done so far; on the reader's or writer's thread.
struct SImageProgress {
  void(TD_STDCALL* function)(double percent, void* context1, void* context2);
  void* context1;
  void* context2;
};

// The code of an image whose pixels, at the size they are read (reduced, or
// one band), or whose working rows would pass the bitmaps' memory limit:
// what a refused allocation reports.
constexpr uint32_t kErrImageTooLarge = kErrUnknown;

// Whether rows x rowBytes bytes stay within the bitmaps' memory limit
// (kMaxBitmapBytes); false for a negative count.
bool FitsInMemory(int64_t rowBytes, int64_t rows);

// 1 -> P1, 2 -> P2, 4 -> P4, 8 -> P8, 16 -> X1R5G5B5 (A1R5G5B5 with alpha),
// 24 -> R8G8B8, 32 -> X8R8G8B8 (A8R8G8B8 with alpha); other counts throw
// "BitmapBPPToPixelFmt: Invalid pixel format.".
int32_t BitmapBPPToPixelFmt(uint32_t bits, bool alpha);

// Reads the headers and the palette (zero-filled first, at most 256 entries)
// of a .bmp file from the stream's start. False with the error code: 0x10016
// not "BM", 0x5000A an unknown info-header size, 0x5000B planes not 1,
// 0x50001 a bit count other than 1, 2, 4, 8, 16, 24 or 32, or the stream's.
bool ReadBmpHeader(CStream& stream, SBmpHeader& header, uint8_t* palette, uint32_t& error);
// The same for a TGA file: 0x10016 for a header no reader can decode, 0x50001
// for a depth it cannot read, 0x10007 for a file shorter than its footer.
bool ReadTgaHeader(CStream& stream, STgaHeader& header, uint8_t* palette, uint32_t& error);

// The pixels a header describes, checked against the stream's size (the
// stream's codes, 0x10016 for an empty image or a stored row beyond 2^31
// bytes, 0x50001 and 0x50002 for bit counts and compressions that cannot be
// read). Any size is accepted: what limits an image is the memory its
// reader holds (FitsInMemory).
bool BmpImageSource(const SBmpHeader& header, bool alpha, CStream& stream, SImageSource& source,
                    uint32_t& error);
bool TgaImageSource(const STgaHeader& header, CStream& stream, SImageSource& source,
                    uint32_t& error);
// The headers, palette and pixel description of a TGA file (tga) or a .bmp,
// read from the stream's start: the two steps above together.
bool ReadImageSource(CStream& stream, bool tga, bool alpha, uint8_t* palette, SImageSource& source,
                     uint32_t& error);
