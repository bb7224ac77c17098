#include "lib/bitmap/BmpLoader.h"

#include <algorithm>
#include <cstring>

#include "lib/bitmap/ImageProgress.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/bitmap/ScanlineConvert.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr int32_t kFileBuffer = 64 * 1024;

bool IsUsableDestination(const SPixelBufferDesc& d) {
  return IsPixelFormat(d.format) && d.width >= 0 && d.height >= 0 &&
         d.stride >= PixelFormatStride(d.width, d.format);
}

bool Is32Bit(int32_t format) { return format == pfX8R8G8B8 || format == pfA8R8G8B8; }

// The loader's own rows: one stored row, the same as 32-bit pixels and, when
// reducing, the four 64-bit channel sums of each reduced pixel.
int64_t WorkingRowBytes(const SPixelBufferDesc& source, int32_t factor) {
  const int64_t sums = factor > 1 ? int64_t{source.width} / factor * 4 * 8 : 0;
  return int64_t{source.stride} + int64_t{source.width} * 4 + sums;
}

}  // namespace

CBmpLoader::CBmpLoader(const CStr& path, const SBmpHeader& header, const uint8_t* palette,
                       const SPixelBufferDesc& destination, int32_t factor, bool alpha,
                       uint32_t& error)
    : m_Destination(destination), m_Factor(factor) {
  m_Failed = true;
  CBufferedFileStream* file = &m_File;
  if (!file->Open(path, kFileModeRead | kFileShareRead, kFileBuffer, error)) return;
  SBmpHeader fileHeader = header;
  uint8_t filePalette[kPaletteBytes];
  if (!palette) {
    if (!ReadBmpHeader(*file, fileHeader, filePalette, error)) return;
    palette = filePalette;
  }
  if (!BmpImageSource(fileHeader, alpha, *file, m_Source, error)) return;
  Start(*file, palette, error);
}

CBmpLoader::CBmpLoader(CStream& stream, const SImageSource& source, const uint8_t* palette,
                       const SPixelBufferDesc& destination, int32_t factor, uint32_t& error)
    : m_Source(source), m_Destination(destination), m_Factor(factor) {
  Start(stream, palette, error);
}

CBmpLoader::~CBmpLoader() = default;

void CBmpLoader::Start(CStream& stream, const uint8_t* palette, uint32_t& error) {
  m_Failed = true;
  error = kErrNone;
  if (m_Factor < 1 || !IsUsableDestination(m_Destination)) {
    error = kErrUnknown;
    return;
  }
  if (!FitsInMemory(m_Destination.stride, m_Destination.height) ||
      !FitsInMemory(WorkingRowBytes(m_Source.desc, m_Factor), 1)) {
    error = kErrImageTooLarge;
    return;
  }
  if (m_Factor == 1)
    CheckConversion(m_Source.desc.format, m_Destination.format);
  else if (!Is32Bit(m_Destination.format))
    CheckConversion(pfX8R8G8B8, m_Destination.format);
  std::memcpy(m_Palette, palette, kPaletteBytes);
  if (stream.Seek(m_Source.dataOffset, 0) != m_Source.dataOffset) {
    error = kErrFileSeek;
    return;
  }
  MakeWorkingRows(stream);
  m_RowsLeft = m_Source.desc.height;
  m_Failed = false;
}

bool CBmpLoader::ReadsDirect() const {
  return m_Factor == 1 && m_Source.desc.format == m_Destination.format &&
         m_Destination.width >= m_Source.desc.width;
}

void CBmpLoader::MakeWorkingRows(CStream& stream) {
  m_Decoder = std::make_unique<CRowDecoder>(stream, m_Source);
  if (!ReadsDirect()) m_Row.resize(static_cast<size_t>(m_Source.desc.stride));
  if (m_Factor == 1) return;
  const int32_t width = std::min(m_Destination.width, m_Source.desc.width / m_Factor);
  m_Reducer = std::make_unique<CBlockReducer>(m_Factor, width, m_Source.desc.width);
  m_Argb.resize(static_cast<size_t>(m_Source.desc.width));
}

bool CBmpLoader::ReadRows(void* pixels, int32_t count, const SImageProgress* progress,
                          uint32_t& error) {
  error = kErrNone;
  if (m_Failed) {
    error = kErrUnknown;
    return false;
  }
  if (m_Destination.width == 0) return true;  // no pixel to write
  m_Pixels = static_cast<uint8_t*>(pixels);
  const int32_t wanted = std::min(count, m_Destination.height);
  const bool ok = m_Factor == 1 ? ReadFullRows(wanted, progress, error)
                                : ReadReducedRows(wanted, progress, error);
  m_Failed = !ok;
  return ok;
}

uint8_t* CBmpLoader::DestinationRow(int32_t index) const {
  const int32_t last = m_Destination.height - 1;
  const int32_t picture = m_Source.BottomUp() ? last - index : index;
  const int32_t memory = m_Destination.nextRow > 0 ? picture : last - picture;
  return m_Pixels + static_cast<ptrdiff_t>(memory) * m_Destination.stride;
}

bool CBmpLoader::ReadFullRows(int32_t wanted, const SImageProgress* progress, uint32_t& error) {
  const int32_t rows = static_cast<int32_t>(std::min<int64_t>(std::max(wanted, 0), m_RowsLeft));
  if (rows == 0) return true;
  const int32_t format = m_Source.desc.format;
  const bool direct = ReadsDirect();
  const int32_t count = std::min(m_Source.desc.width, m_Destination.width);
  CImageProgress steps(progress, rows);
  for (int32_t i = 0; i < rows; ++i) {
    uint8_t* out = DestinationRow(i);
    if (!m_Decoder->DecodeRow(direct ? out : m_Row.data(), error)) return false;
    if (!direct) ScanlineConvert(out, m_Row.data(), format, m_Destination.format, m_Palette, count);
    --m_RowsLeft;
    steps.RowDone();
  }
  return true;
}

bool CBmpLoader::DecodeToArgb(uint32_t& error) {
  if (!m_Decoder->DecodeRow(m_Row.data(), error)) return false;
  ScanlineConvert(reinterpret_cast<uint8_t*>(m_Argb.data()), m_Row.data(), m_Source.desc.format,
                  pfA8R8G8B8, m_Palette, m_Source.desc.width);
  --m_RowsLeft;
  return true;
}

void CBmpLoader::WriteReducedRow(uint8_t* out) const {
  const int32_t width = std::min(m_Destination.width, m_Source.desc.width / m_Factor);
  const uint8_t* row = reinterpret_cast<const uint8_t*>(m_Argb.data());
  if (Is32Bit(m_Destination.format))
    std::memcpy(out, row, static_cast<size_t>(width) * 4);
  else
    ScanlineConvert(out, row, pfX8R8G8B8, m_Destination.format, m_Palette, width);
}

bool CBmpLoader::ReadReducedRows(int32_t wanted, const SImageProgress* progress, uint32_t& error) {
  const int32_t rows =
      static_cast<int32_t>(std::min<int64_t>(std::max(wanted, 0), m_RowsLeft / m_Factor));
  if (rows == 0) return true;
  if (m_FirstRead) {
    m_FirstRead = false;
    for (int64_t leftover = m_Source.desc.height % m_Factor; leftover > 0; --leftover)
      if (!DecodeToArgb(error)) return false;
  }
  CImageProgress steps(progress, rows);
  for (int32_t i = 0; i < rows; ++i) {
    for (int32_t k = 0; k < m_Factor; ++k) {
      if (!DecodeToArgb(error)) return false;
      m_Reducer->AddRow(m_Argb.data());
    }
    m_Reducer->TakeRow(m_Argb.data());
    WriteReducedRow(DestinationRow(i));
    steps.RowDone();
  }
  return true;
}
