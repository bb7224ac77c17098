#include "lib/bitmap/ImageHeaders.h"

#include <algorithm>
#include <cstring>

#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr int32_t kPaletteEntries = 256;


bool SeekTo(CStream& stream, int64_t position, uint32_t& error) {
  if (position < 0 || stream.Seek(position, 0) != position) return td::Fail(kErrFileSeek, error);
  return true;
}

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Dword(const uint8_t* p) { return Word(p) | static_cast<uint32_t>(Word(p + 2)) << 16; }

// The 12-byte core header and the 240-byte one keep 16-bit sizes.
bool ReadShortInfo(CStream& stream, SBmpHeader& header, int32_t bytes, uint32_t& error) {
  uint8_t info[36] = {};
  if (!stream.ReadBuf(info, bytes, error)) return false;
  header.width = Word(info);
  header.height = Word(info + 2);
  header.planes = Word(info + 4);
  header.bitCount = Word(info + 6);
  header.compression = bytes == 36 ? Dword(info + 8) : 0;
  header.coloursUsed = bytes == 36 ? Dword(info + 12) : 0;
  header.coloursImportant = header.coloursUsed;
  header.imageSize = 0;
  header.xPixelsPerMetre = header.yPixelsPerMetre = 0;
  return true;
}

bool ReadBmpPalette(CStream& stream, SBmpHeader& header, uint8_t* palette, uint32_t& error) {
  if (!SeekTo(stream, int64_t{14} + header.headerSize, error)) return false;
  if (header.coloursUsed == 0) header.coloursUsed = uint32_t{1} << header.bitCount;
  const int32_t entries =
      static_cast<int32_t>(std::min<uint32_t>(uint32_t{header.coloursUsed}, kPaletteEntries));
  const int32_t entrySize = header.headerSize == 40 ? 4 : 3;
  uint8_t raw[kPaletteEntries * 4];
  if (!stream.ReadBuf(raw, entries * entrySize, error)) return false;
  for (int32_t i = 0; i < entries; ++i) std::memcpy(palette + i * 4, raw + i * entrySize, 3);
  return true;
}

bool IsTgaImageType(uint8_t type) { return (type >= 1 && type <= 3) || (type >= 9 && type <= 11); }
bool IsColourMapped(uint8_t type) { return type == 1 || type == 9; }
bool IsGrey(uint8_t type) { return type == 3 || type == 11; }
bool IsMapEntrySize(uint8_t bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

// The header test of a TGA file without the "TRUEVISION-XFILE" footer.
bool PassesTgaHeaderTest(const STgaHeader& h) {
  const uint8_t depth = h.pixelDepth;
  return h.colourMapType <= 1 && (h.colourMapType == 0 || IsMapEntrySize(h.colourMapEntryBits)) &&
         (depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32);
}

// What any TGA reader needs, footer or not.
bool IsDecodableTga(const STgaHeader& h) {
  if (!IsTgaImageType(h.imageType)) return false;
  return !IsColourMapped(h.imageType) ||
         (h.colourMapType == 1 && IsMapEntrySize(h.colourMapEntryBits));
}

bool HasTgaFooter(CStream& stream, uint32_t& error) {
  if (!SeekTo(stream, stream.GetSize() - 18, error)) return false;
  char signature[16];
  if (!stream.ReadBuf(signature, 16, error)) return false;
  return std::memcmp(signature, "TRUEVISION-XFILE", 16) == 0;
}

int64_t TgaMapBytes(const STgaHeader& h) {
  return h.colourMapType == 1 ? int64_t{h.colourMapLength} * ((h.colourMapEntryBits + 7) / 8) : 0;
}

void DecodeTgaMapEntry(const uint8_t* entry, int32_t bytes, uint8_t* out) {
  if (bytes >= 3) {
    std::memcpy(out, entry, 3);
    return;
  }
  const uint16_t v = Word(entry);
  out[0] = static_cast<uint8_t>((v & 0x1F) << 3);
  out[1] = static_cast<uint8_t>((v & 0x3E0) >> 2);
  out[2] = static_cast<uint8_t>((v & 0x7C00) >> 7);
}

bool ReadTgaPalette(CStream& stream, const STgaHeader& h, uint8_t* palette, uint32_t& error) {
  if (IsGrey(h.imageType)) {
    for (int32_t i = 0; i < kPaletteEntries; ++i) std::memset(palette + i * 4, i, 3);
    return true;
  }
  if (h.colourMapType != 1 || !IsMapEntrySize(h.colourMapEntryBits)) return true;
  const int32_t bytes = (h.colourMapEntryBits + 7) / 8;
  const int32_t entries = std::min<int32_t>(int32_t{h.colourMapLength}, kPaletteEntries);
  uint8_t raw[kPaletteEntries * 4];
  if (!stream.ReadBuf(raw, entries * bytes, error)) return false;
  for (int32_t i = 0; i < entries; ++i) DecodeTgaMapEntry(raw + i * bytes, bytes, palette + i * 4);
  return true;
}

// The TGA pixel format of a depth, -1 when no reader takes it.
int32_t TgaPixelFormat(const STgaHeader& h) {
  const bool indexed = IsColourMapped(h.imageType) || IsGrey(h.imageType);
  if (indexed) return h.pixelDepth == 8 ? pfP8 : -1;
  switch (h.pixelDepth) {
    case 15:
      return pfX1R5G5B5;
    case 16:
      return (h.descriptor & 0x0F) <= 1 ? pfX1R5G5B5 : -1;
    case 24:
      return pfR8G8B8;
    case 32:
      return pfA8R8G8B8;
    default:
      return -1;
  }
}

// Empty images, strides beyond 32 bits and uncompressed pixel data shorter
// than the rows it must hold. How much of the image may be held in memory is
// the reader's matter (FitsInMemory): a file may be read reduced or in bands.
bool CheckImageSize(const SImageSource& source, int64_t width, int64_t height, int64_t stride,
                    CStream& stream, uint32_t& error) {
  if (width <= 0 || height <= 0 || stride > INT32_MAX) return td::Fail(kErrFileHeader, error);
  if (source.coding != rcNone && source.coding != rcTgaRaw) return true;
  if (stride * height > stream.GetSize() - source.dataOffset) return td::Fail(kErrFileRead, error);
  return true;
}

void SetDesc(SImageSource& source, int32_t format, int64_t stride, int64_t width, int64_t height,
             bool bottomUp) {
  const int32_t s = static_cast<int32_t>(stride);
  source.desc = {format,
                 s,
                 static_cast<int32_t>(width),
                 static_cast<int32_t>(height),
                 bottomUp ? -s : s,
                 bottomUp ? s : -s};
}

bool IsBmpBitCount(uint32_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int32_t BmpRowCoding(const SBmpHeader& h, uint32_t& error) {
  switch (h.compression) {
    case 0:
    case 3:
      return rcNone;
    case 1:
      return h.bitCount == 8 ? rcRle8 : (error = kErrBmpCompression, -1);
    case 2:
      return h.bitCount == 4 ? rcRle4 : (error = kErrBmpCompression, -1);
    default:
      error = kErrBmpCompression;
      return -1;
  }
}

}  // namespace

bool FitsInMemory(int64_t rowBytes, int64_t rows) {
  return rowBytes >= 0 && rows >= 0 && (rows == 0 || rowBytes <= kMaxBitmapBytes / rows);
}

int32_t BitmapBPPToPixelFmt(uint32_t bits, bool alpha) {
  switch (bits) {
    case 1:
      return pfP1;
    case 2:
      return pfP2;
    case 4:
      return pfP4;
    case 8:
      return pfP8;
    case 16:
      return alpha ? pfA1R5G5B5 : pfX1R5G5B5;
    case 24:
      return pfR8G8B8;
    case 32:
      return alpha ? pfA8R8G8B8 : pfX8R8G8B8;
    default:
      throw "BitmapBPPToPixelFmt: Invalid pixel format.";
  }
}

bool ReadBmpHeader(CStream& stream, SBmpHeader& header, uint8_t* palette, uint32_t& error) {
  error = kErrNone;
  std::memset(&header, 0, sizeof header);
  std::memset(palette, 0, kPaletteBytes);
  if (!SeekTo(stream, 0, error) || !stream.ReadBuf(&header, 18, error)) return false;
  if (header.magic[0] != 'B' || header.magic[1] != 'M') return td::Fail(kErrFileHeader, error);
  bool read = false;
  switch (header.headerSize) {
    case 40:
      read = stream.ReadBuf(reinterpret_cast<uint8_t*>(&header) + 18, 36, error);
      break;
    case 12:
      read = ReadShortInfo(stream, header, 8, error);
      break;
    case 240:
      read = ReadShortInfo(stream, header, 36, error);
      break;
    default:
      return td::Fail(kErrBmpHeaderVersion, error);
  }
  if (!read) return false;
  if (header.planes != 1) return td::Fail(kErrBmpPlaneCount, error);
  if (!IsBmpBitCount(header.bitCount)) return td::Fail(kErrBmpBitCount, error);
  if (header.bitCount >= 9) {
    header.coloursUsed = 0;
    return true;
  }
  return ReadBmpPalette(stream, header, palette, error);
}

bool ReadTgaHeader(CStream& stream, STgaHeader& header, uint8_t* palette, uint32_t& error) {
  error = kErrNone;
  std::memset(&header, 0, sizeof header);
  std::memset(palette, 0, kPaletteBytes);
  if (!SeekTo(stream, 0, error) || !stream.ReadBuf(&header, 18, error)) return false;
  const bool footer = HasTgaFooter(stream, error);
  if (error != kErrNone) return false;
  if (!IsDecodableTga(header) || (!footer && !PassesTgaHeaderTest(header)))
    return td::Fail(kErrFileHeader, error);
  if (TgaPixelFormat(header) < 0) return td::Fail(kErrBmpBitCount, error);
  return SeekTo(stream, int64_t{18} + header.idLength, error) &&
         ReadTgaPalette(stream, header, palette, error);
}

bool BmpImageSource(const SBmpHeader& header, bool alpha, CStream& stream, SImageSource& source,
                    uint32_t& error) {
  error = kErrNone;
  const uint16_t bits = header.bitCount;
  if (!IsBmpBitCount(bits)) return td::Fail(kErrBmpBitCount, error);
  source.coding = BmpRowCoding(header, error);
  if (source.coding < 0) return false;
  if (header.height < 0 && source.coding != rcNone) return td::Fail(kErrFileHeader, error);
  const int64_t width = header.width,
                height = header.height < 0 ? -int64_t{header.height} : header.height;
  const int64_t stride = ((width * bits + 31) & ~int64_t{31}) / 8;
  source.dataOffset = header.dataOffset;
  if (!CheckImageSize(source, width, height, stride, stream, error)) return false;
  SetDesc(source, BitmapBPPToPixelFmt(bits, alpha), stride, width, height, header.height > 0);
  return true;
}

bool TgaImageSource(const STgaHeader& header, CStream& stream, SImageSource& source,
                    uint32_t& error) {
  error = kErrNone;
  const int32_t format = TgaPixelFormat(header);
  if (!IsDecodableTga(header)) return td::Fail(kErrFileHeader, error);
  if (format < 0) return td::Fail(kErrBmpBitCount, error);
  const int32_t bytesPerPixel = (header.pixelDepth + 7) / 8;
  source.coding = header.imageType <= 3 ? rcTgaRaw : rcTgaRle1 + bytesPerPixel - 1;
  source.dataOffset = 18 + header.idLength + TgaMapBytes(header);
  const int64_t stride = int64_t{header.width} * bytesPerPixel;
  if (!CheckImageSize(source, header.width, header.height, stride, stream, error)) return false;
  SetDesc(source, format, stride, header.width, header.height, !(header.descriptor & 0x20));
  return true;
}

bool ReadImageSource(CStream& stream, bool tga, bool alpha, uint8_t* palette, SImageSource& source,
                     uint32_t& error) {
  if (tga) {
    STgaHeader header;
    return ReadTgaHeader(stream, header, palette, error) &&
           TgaImageSource(header, stream, source, error);
  }
  SBmpHeader header;
  return ReadBmpHeader(stream, header, palette, error) &&
         BmpImageSource(header, alpha, stream, source, error);
}
