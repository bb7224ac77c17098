#include "lib/bitmap/BmpWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "lib/bitmap/ImageProgress.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/bitmap/ScanlineConvert.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr int32_t kHeaderBytes = 54;
constexpr int32_t kPixelsPerMetre = 2835;
constexpr int32_t kMaxRun = 255;

uint32_t FileCompression(int32_t coding) {
  switch (coding) {
    case rcNone:
      return 0;
    case rcRle4:
      return 2;
    case rcRle8:
      return 1;
    default:
      throw "Unsupported bitmap compression.";
  }
}

SBmpHeader MakeHeader(const SPixelBufferDesc& source, int32_t bits, int32_t paletteBytes,
                      uint32_t compression) {
  SBmpHeader h = {};
  h.magic[0] = 'B';
  h.magic[1] = 'M';
  h.dataOffset = static_cast<uint32_t>(kHeaderBytes + paletteBytes);
  h.headerSize = 40;
  h.width = source.width;
  h.height = source.height;
  h.planes = 1;
  h.bitCount = static_cast<uint16_t>(bits);
  h.compression = compression;
  h.xPixelsPerMetre = h.yPixelsPerMetre = kPixelsPerMetre;
  return h;
}

// Collects the encoded bytes of one row; written with one call.
class CRle8Row {
 public:
  void Encode(const uint8_t* b, int32_t n) {
    m_Out.clear();
    for (int32_t i = 0; i < n;) i += Step(b + i, n - i);
    Put(0, 0);
  }
  const std::vector<uint8_t>& Bytes() const { return m_Out; }

 private:
  void Put(uint8_t a, uint8_t b) {
    m_Out.push_back(a);
    m_Out.push_back(b);
  }
  // Encodes from b (left bytes remain in the row); returns the bytes used.
  int32_t Step(const uint8_t* b, int32_t left) {
    if (left >= 2 && b[1] == b[0]) {
      int32_t run = 2;
      while (run < std::min(left, kMaxRun) && b[run] == b[0]) ++run;
      Put(static_cast<uint8_t>(run), b[0]);
      return run;
    }
    if (left < 3 || b[2] == b[1]) {
      Put(1, b[0]);
      return 1;
    }
    int32_t length = 3;
    while (length < std::min(left, kMaxRun) && b[length] != b[length - 1]) ++length;
    Put(0, static_cast<uint8_t>(length));
    m_Out.insert(m_Out.end(), b, b + length);
    if (length % 2) m_Out.push_back(length < left ? b[length] : 0);
    return length;
  }

  std::vector<uint8_t> m_Out;
};

class CBmpRowWriter {
 public:
  CBmpRowWriter(CStream& stream, int32_t coding, int32_t stride, int32_t rowBytes)
      : m_Stream(stream), m_Coding(coding), m_Stride(stride), m_RowBytes(rowBytes) {}

  bool Write(const uint8_t* row, uint32_t& error) {
    if (m_Coding == rcRle4) throw "RLE4 not implemented.";
    if (m_Coding == rcNone) return m_Stream.WriteBuf(row, m_Stride, error);
    m_Rle.Encode(row, m_RowBytes);
    return m_Stream.WriteBuf(m_Rle.Bytes().data(), static_cast<int32_t>(m_Rle.Bytes().size()),
                             error);
  }
  bool Finish(uint32_t& error) {
    static const uint8_t kEndOfBitmap[2] = {0, 1};
    return m_Coding != rcRle8 || m_Stream.WriteBuf(kEndOfBitmap, 2, error);
  }

 private:
  CStream& m_Stream;
  const int32_t m_Coding;
  const int32_t m_Stride;
  const int32_t m_RowBytes;
  CRle8Row m_Rle;
};

const uint8_t* SourceRow(const void* pixels, const SPixelBufferDesc& source, int32_t fileRow) {
  const int32_t last = source.height - 1;
  const int32_t memory = source.nextRow > 0 ? last - fileRow : fileRow;
  return static_cast<const uint8_t*>(pixels) + static_cast<ptrdiff_t>(memory) * source.stride;
}

const uint8_t kBlack[kPaletteBytes] = {};

bool WriteHeaderAndPalette(CStream& stream, const SBmpHeader& header, const uint8_t* palette,
                           int32_t paletteBytes, uint32_t& error) {
  return stream.WriteBuf(&header, kHeaderBytes, error) &&
         stream.WriteBuf(palette, paletteBytes, error);
}

bool FinishHeader(CStream& stream, SBmpHeader& header, uint32_t& error) {
  const int64_t end = stream.GetPosition();
  header.fileSize = static_cast<uint32_t>(end);
  header.imageSize = static_cast<uint32_t>(end - header.dataOffset);
  if (stream.Seek(0, 0) != 0) {
    error = kErrFileSeek;
    return false;
  }
  return stream.WriteBuf(&header, kHeaderBytes, error) && stream.Seek(end, 0) == end;
}

}  // namespace

bool WriteBmp(CStream& stream, const void* pixels, const SPixelBufferDesc& source, int32_t format,
              const uint8_t* palette, int32_t coding, const SImageProgress* progress,
              uint32_t& error) {
  error = kErrNone;
  if (!palette) palette = kBlack;
  if (format == pfR5G6B5) throw "pfR5G6B5 is not supported by a .bmp file.";
  const int32_t bits = PixelFormatInfo(format).bitsPerPixel;
  SBmpHeader header = MakeHeader(source, bits, bits <= 8 ? 4 << bits : 0, FileCompression(coding));
  if (coding == rcRle8 && bits != 8) throw "Unsupported bitmap compression.";
  CheckConversion(source.format, format);
  const int32_t stride = static_cast<int32_t>(PixelFormatStride(source.width, format));
  if (!WriteHeaderAndPalette(stream, header, palette, bits <= 8 ? 4 << bits : 0, error))
    return false;
  std::vector<uint8_t> row(static_cast<size_t>(stride));
  CBmpRowWriter writer(stream, coding, stride,
                       static_cast<int32_t>((int64_t{source.width} * bits + 7) / 8));
  CImageProgress steps(progress, source.height);
  for (int32_t y = 0; y < source.height; ++y) {
    ScanlineConvert(row.data(), SourceRow(pixels, source, y), source.format, format, palette,
                    source.width);
    if (!writer.Write(row.data(), error)) return false;
    steps.RowDone();
  }
  return writer.Finish(error) && FinishHeader(stream, header, error);
}
