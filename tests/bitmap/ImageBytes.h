// Image files written down byte by byte from their layouts, and a decoder
// that runs the library's readers over them in memory.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "lib/bitmap/BmpLoader.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/streams/PointerStream.h"

// Little-endian fields appended in file order.
class CBytes {
 public:
  CBytes& U8(uint32_t v) {
    m_Bytes.push_back(static_cast<char>(v & 0xFF));
    return *this;
  }
  CBytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  CBytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  CBytes& Text(const char* s) {
    m_Bytes += s;
    return *this;
  }
  CBytes& Raw(std::initializer_list<int> bytes) {
    for (int b : bytes) U8(static_cast<uint32_t>(b));
    return *this;
  }
  CBytes& Append(const std::string& s) {
    m_Bytes += s;
    return *this;
  }
  const std::string& Str() const { return m_Bytes; }

 private:
  std::string m_Bytes;
};

// A .bmp with a 40-byte info header; the palette holds 4-byte entries.
inline std::string BmpFile(int32_t width, int32_t height, uint32_t bits, uint32_t compression,
                           const std::string& palette, const std::string& pixels,
                           uint32_t coloursUsed = 0) {
  const uint32_t offset = 54 + static_cast<uint32_t>(palette.size());
  CBytes b;
  b.Text("BM").U32(offset + static_cast<uint32_t>(pixels.size())).U32(0).U32(offset);
  b.U32(40).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height)).U16(1).U16(bits);
  b.U32(compression)
      .U32(static_cast<uint32_t>(pixels.size()))
      .U32(2835)
      .U32(2835)
      .U32(coloursUsed)
      .U32(0);
  return b.Append(palette).Append(pixels).Str();
}

// A .bmp with the 12-byte core header; the palette holds 3-byte entries.
inline std::string CoreBmpFile(uint16_t width, uint16_t height, uint16_t bits,
                               const std::string& palette, const std::string& pixels) {
  const uint32_t offset = 26 + static_cast<uint32_t>(palette.size());
  CBytes b;
  b.Text("BM").U32(offset + static_cast<uint32_t>(pixels.size())).U32(0).U32(offset);
  b.U32(12).U16(width).U16(height).U16(1).U16(bits);
  return b.Append(palette).Append(pixels).Str();
}

struct STgaFields {
  uint8_t imageType = 2;
  uint8_t mapType = 0;
  uint16_t mapLength = 0;
  uint8_t mapBits = 0;
  uint16_t width = 1;
  uint16_t height = 1;
  uint8_t depth = 24;
  uint8_t descriptor = 0;
  bool footer = false;
};

inline std::string TgaFile(const STgaFields& f, const std::string& map, const std::string& pixels) {
  CBytes b;
  b.U8(3).U8(f.mapType).U8(f.imageType).U16(0).U16(f.mapLength).U8(f.mapBits);
  b.U16(0).U16(0).U16(f.width).U16(f.height).U8(f.depth).U8(f.descriptor);
  b.Text("id!").Append(map).Append(pixels);
  if (f.footer) b.U32(0).U32(0).Text("TRUEVISION-XFILE").Text(".").U8(0);
  return b.Str();
}

// The result of reading a file into a top-down buffer of one format.
struct SDecoded {
  uint32_t error = 0;
  SPixelBufferDesc source = {};
  SPixelBufferDesc desc = {};
  std::vector<uint8_t> pixels;
  uint32_t Pixel32(int32_t x, int32_t y) const {
    uint32_t v;
    std::memcpy(&v, &pixels[static_cast<size_t>(y) * desc.stride + x * 4], 4);
    return v;
  }
  uint16_t Pixel16(int32_t x, int32_t y) const {
    uint16_t v;
    std::memcpy(&v, &pixels[static_cast<size_t>(y) * desc.stride + x * 2], 2);
    return v;
  }
};

// Reads the whole image as the loading slots do (size / factor), in memory.
inline SDecoded Decode(const std::string& file, bool tga, int32_t format = pfA8R8G8B8,
                       int32_t factor = 1, bool alpha = false) {
  SDecoded out;
  CConstPointerStream stream(file.data(), static_cast<int64_t>(file.size()));
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  if (!ReadImageSource(stream, tga, alpha, palette, source, out.error)) return out;
  out.source = source.desc;
  const int32_t width = source.desc.width / factor, height = source.desc.height / factor;
  const int32_t stride = static_cast<int32_t>(PixelFormatStride(width, format));
  out.desc = {format, stride, width, height, stride, -stride};
  out.pixels.assign(static_cast<size_t>(stride) * height, 0xEE);
  CBmpLoader loader(stream, source, palette, out.desc, factor, out.error);
  if (out.error == 0) loader.ReadRows(out.pixels.data(), height, nullptr, out.error);
  return out;
}
