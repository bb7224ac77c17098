#include "lib/bitmap/Bmp.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "lib/bitmap/BlockReducer.h"
#include "lib/bitmap/BmpLoader.h"
#include "lib/bitmap/BmpModule.h"
#include "lib/bitmap/BmpWriter.h"
#include "lib/bitmap/ImageHeaders.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/core/AllocationFaults.h"
#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/bitmap/ScanlineConvert.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileName.h"

namespace {

constexpr int32_t kImageFileBuffer = 64 * 1024;

}  // namespace

CBmp::CBmp(bool ownDC)
    : m_DIB(nullptr), m_OwnDC(ownDC), m_DC(nullptr), m_Height(0), m_Stride(0), m_Bits(nullptr), m_Width(0) {}

CBmp::~CBmp() { ReleasePixels(); }

bool CBmp::IsSize(int32_t width, int32_t height) const {
  return std::max(width, 0) == m_Width && std::max(height, 0) == m_Height;
}

void CBmp::ResizeStorage(int32_t width, int32_t height, int32_t format) {
  if (IsSize(width, height)) return;
  ReleasePixels();
  m_Width = std::max(width, 0);
  m_Height = std::max(height, 0);
  const int64_t stride = PixelFormatStride(m_Width, format);
  m_Stride = static_cast<int32_t>(std::min<int64_t>(stride, INT32_MAX));
  if (stride == 0 || m_Height == 0) return;
  const int64_t bytes = stride > INT64_MAX / m_Height ? INT64_MAX : stride * m_Height;
  try {
    AllocatePixels(bytes, format);
    AttachOwnDC();
  } catch (...) {
    MakeEmpty();
    throw;
  }
}

void CBmp::AllocatePixels(int64_t bytes, int32_t format) {
  if (format != pfX1R5G5B5 && format != pfA1R5G5B5 && format != pfR8G8B8 && format != pfX8R8G8B8 &&
      format != pfA8R8G8B8)
    throw "CBmp::InitBitmapInfo: Unsupported pixel format.";
  while (bytes > kMaxBitmapBytes || td::AllocationFaultHit() || !TryAllocatePixels(bytes, format)) {
    AllocFailHandler handler = GetAllocFailHandler();
    if (!handler || !handler(static_cast<uint32_t>(std::min<int64_t>(bytes, UINT32_MAX))))
      throw "CBmp::SetSize: Can't allocate the DIB handle";
  }
}

void CBmp::MakeEmpty() {
  ReleasePixels();
  m_Width = m_Height = m_Stride = 0;
}

void CBmp::SetSize(int32_t width, int32_t height) {
  try {
    ResizeStorage(width, height, GetPixelFormat());
  } catch (...) {
  }
}

HDC CBmp::GetDC() { return m_DC; }
int32_t CBmp::GetHeight() { return m_Height; }
int32_t CBmp::GetStride() { return m_Stride; }
int32_t CBmp::GetWidth() { return m_Width; }

uint32_t CBmp::GetMemorySize(uint8_t includeObject) {
  return static_cast<uint32_t>(m_Stride) * static_cast<uint32_t>(m_Height) + (includeObject ? 32 : 0);
}

void CBmp::GetRect(SRectI* rect) { *rect = {0, 0, m_Width, m_Height}; }

void CBmp::GetPixBounds(SRectD* rect) { *rect = {-0.5, -0.5, m_Width - 0.5, m_Height - 0.5}; }

void CBmp::GetBufferDesc(SPixelBufferDesc* desc) {
  *desc = {GetPixelFormat(), m_Stride, m_Width, m_Height, m_Stride, -m_Stride};
}

void CBmp::GetTextExtent(const CStr* text, HFONT font, SIZE* size) {
  try {
    *size = MeasureText(*text, font);
  } catch (...) {
    *size = {0, 0};
  }
}

uint32_t CBmp::ReadImage(const CStr& path, bool tga, uint32_t factor, bool alpha, SPixelBufferDesc* sourceOut) {
  if (factor < 1) return kErrUnknown;
  CBufferedFileStream file;
  uint32_t error = kErrNone;
  if (!file.Open(path, kFileModeRead | kFileShareRead, kImageFileBuffer, error)) return error;
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  if (!ReadImageSource(file, tga, alpha, palette, source, error)) return error;
  if (sourceOut) *sourceOut = source.desc;
  const int32_t shrink = static_cast<int32_t>(std::min<uint32_t>(factor, INT32_MAX));
  const int32_t width = source.desc.width / shrink, height = source.desc.height / shrink;
  const int32_t format = GetPixelFormat();
  const int64_t rowBytes = PixelFormatStride(width, format);
  if (!FitsInMemory(rowBytes, height)) return kErrImageTooLarge;
  const int32_t stride = static_cast<int32_t>(rowBytes);
  const SPixelBufferDesc planned = {format, stride, width, height, stride, -stride};
  CBmpLoader loader(file, source, palette, planned, shrink, error);
  if (error != kErrNone) return error;
  SetSize(width, height);
  SPixelBufferDesc desc;
  GetBufferDesc(&desc);
  if (std::memcmp(&desc, &planned, sizeof desc) != 0 || (!HasPixels() && width > 0 && height > 0)) return kErrUnknown;
  loader.ReadRows(Bits(), height, nullptr, error);
  return error;
}

void CBmp::LoadBmp(const CStr* path, uint32_t shrink, uint8_t alpha, void* param, uint32_t* error) {
  try {
    *error = ReadImage(*path, false, shrink, alpha != 0, static_cast<SPixelBufferDesc*>(param));
  } catch (...) {
    *error = kErrUnknown;
  }
}

void CBmp::LoadTga(const CStr* path, int32_t shrink, void* param, uint32_t* error) {
  try {
    *error = ReadImage(*path, true, shrink < 1 ? 0 : static_cast<uint32_t>(shrink), false,
                       static_cast<SPixelBufferDesc*>(param));
  } catch (...) {
    *error = kErrUnknown;
  }
}

void CBmp::SaveBmp(const CStr* path, void* param) {
  try {
    if (!HasPixels()) return;
    SPixelBufferDesc desc;
    GetBufferDesc(&desc);
    const auto* progress = static_cast<const SImageProgress*>(param);
    const void* pixels = Bits();
    uint32_t error;
    WriteFileReplacing(
        *path,
        [&](CStream& stream, uint32_t& e) {
          return WriteBmp(stream, pixels, desc, desc.format, nullptr, rcNone, progress, e);
        },
        error);
  } catch (...) {
  }
}

void CBmp::ReduceInto(CBmp& destination, int32_t factor, bool roundUp) {
  const int32_t width = m_Width / factor + (roundUp && m_Width % factor ? 1 : 0);
  const int32_t height = m_Height / factor + (roundUp && m_Height % factor ? 1 : 0);
  const int32_t format = destination.GetPixelFormat();
  const bool direct = format == pfA8R8G8B8 || format == pfX8R8G8B8;
  if (!direct) CheckConversion(pfX8R8G8B8, format);
  // Reduced first, so that the destination may be this bitmap.
  std::vector<uint32_t> reduced(HasPixels() ? static_cast<size_t>(width) * height : 0);
  if (!reduced.empty()) {
    CBlockReducer reducer(factor, width, m_Width);
    std::vector<uint32_t> argb(static_cast<size_t>(m_Width));
    const int32_t sourceFormat = GetPixelFormat();
    for (int32_t y = 0; y < height; ++y) {
      const int64_t last = std::min<int64_t>(int64_t{y} * factor + factor, m_Height);
      for (int64_t sy = int64_t{y} * factor; sy < last; ++sy) {
        const uint8_t* row = static_cast<const uint8_t*>(m_Bits) + sy * m_Stride;
        ScanlineConvert(reinterpret_cast<uint8_t*>(argb.data()), row, sourceFormat, pfA8R8G8B8, nullptr, m_Width);
        reducer.AddRow(argb.data());
      }
      reducer.TakeRow(&reduced[static_cast<size_t>(y) * width]);
    }
  }
  // The slot keeps its failure inside and leaves the destination empty.
  destination.SetSize(width, height);
  if (!reduced.empty() && !destination.HasPixels()) throw "CBmp::SetSize: Can't allocate the DIB handle";
  if (reduced.empty()) return;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* out = static_cast<uint8_t*>(destination.m_Bits) + int64_t{y} * destination.m_Stride;
    const uint8_t* in = reinterpret_cast<const uint8_t*>(&reduced[static_cast<size_t>(y) * width]);
    if (direct)
      std::memcpy(out, in, static_cast<size_t>(width) * 4);
    else
      ScanlineConvert(out, in, pfX8R8G8B8, format, nullptr, width);
  }
}

void CBmp::ShrinkTo(CBmp* destination, int32_t factor, uint8_t roundUp) {
  if (!destination || factor < 1) return;
  try {
    ReduceInto(*destination, factor, roundUp != 0);
  } catch (...) {
  }
}

void CBmp::LoadFromFile(const CStr* path, uint32_t shrink, uint8_t flag, void* param, uint32_t* error) {
  try {
    const CStr ext = ExtractFileExt(*path);
    if (ext.CompareNoCase(".bmp") == 0)
      LoadBmp(path, shrink, flag, param, error);
    else if (ext.CompareNoCase(".tga") == 0)
      LoadTga(path, static_cast<int32_t>(shrink), param, error);
    else
      *error = kErrFileTypeUnknown;
  } catch (...) {
    *error = kErrUnknown;
  }
}
