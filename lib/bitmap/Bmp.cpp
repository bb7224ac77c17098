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

CBmp::CBmp(bool ownDC) : m_OwnDC(ownDC) {}

CBmp::~CBmp() = default;

void CBmpPixels::Swap(CBmpPixels& other) noexcept {
  std::swap(dib, other.dib);
  std::swap(dc, other.dc);
  std::swap(bits, other.bits);
  std::swap(width, other.width);
  std::swap(height, other.height);
  std::swap(stride, other.stride);
  rows.swap(other.rows);
}

bool CBmp::IsSize(int32_t width, int32_t height) const {
  return std::max(width, 0) == Width() && std::max(height, 0) == Height();
}

void CBmp::MakePixels(int32_t width, int32_t height, CBmpPixels& pixels) {
  const int32_t format = GetPixelFormat();
  pixels.width = std::max(width, 0);
  pixels.height = std::max(height, 0);
  const int64_t stride = PixelFormatStride(pixels.width, format);
  pixels.stride = static_cast<int32_t>(std::min<int64_t>(stride, INT32_MAX));
  if (stride == 0 || pixels.height == 0) return;
  const int64_t bytes = stride > INT64_MAX / pixels.height ? INT64_MAX : stride * pixels.height;
  AllocatePixels(pixels, bytes, format);
  if (m_OwnDC) pixels.AttachDC();
  pixels.rows.reset(new uint8_t*[static_cast<size_t>(pixels.height) + 1]);
  uint8_t* base = static_cast<uint8_t*>(pixels.bits);
  for (int32_t y = 0; y <= pixels.height; ++y)
    pixels.rows[y] = base + static_cast<ptrdiff_t>(y) * stride;
}

void CBmp::AllocatePixels(CBmpPixels& pixels, int64_t bytes, int32_t format) {
  if (format != pfX1R5G5B5 && format != pfA1R5G5B5 && format != pfR8G8B8 && format != pfX8R8G8B8 &&
      format != pfA8R8G8B8)
    throw "CBmp::InitBitmapInfo: Unsupported pixel format.";
  while (bytes > kMaxBitmapBytes || td::AllocationFaultHit() ||
         !pixels.TryAllocate(bytes, format)) {
    AllocFailHandler handler = GetAllocFailHandler();
    if (!handler || !handler(static_cast<uint32_t>(std::min<int64_t>(bytes, UINT32_MAX))))
      throw "CBmp::SetSize: Can't allocate the DIB handle";
  }
}

void CBmp::Resize(int32_t width, int32_t height) {
  if (IsSize(width, height)) return;
  CBmpPixels pixels;
  MakePixels(width, height, pixels);
  TakePixels(pixels);
}

void CBmp::MakeEmpty() noexcept {
  CBmpPixels none;
  TakePixels(none);
}

void CBmp::SetSize(int32_t width, int32_t height) {
  try {
    Resize(width, height);
  } catch (...) {
    MakeEmpty();
  }
}

HDC CBmp::GetDC() { return m_Pixels.dc; }
int32_t CBmp::GetHeight() { return Height(); }
int32_t CBmp::GetStride() { return Stride(); }
int32_t CBmp::GetWidth() { return Width(); }

uint32_t CBmp::GetMemorySize(uint8_t includeObject) {
  return static_cast<uint32_t>(Stride()) * static_cast<uint32_t>(Height()) +
         (includeObject ? 32 : 0);
}

void CBmp::GetRect(SRectI* rect) { *rect = {0, 0, Width(), Height()}; }

void CBmp::GetPixBounds(SRectD* rect) { *rect = {-0.5, -0.5, Width() - 0.5, Height() - 0.5}; }

void CBmp::GetBufferDesc(SPixelBufferDesc* desc) {
  *desc = {GetPixelFormat(), Stride(), Width(), Height(), Stride(), -Stride()};
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
  CBmpPixels pixels;
  MakePixels(width, height, pixels);
  if (!loader.ReadRows(pixels.bits, height, nullptr, error)) return error;
  TakePixels(pixels);
  return kErrNone;
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
  const int32_t width = Width() / factor + (roundUp && Width() % factor ? 1 : 0);
  const int32_t height = Height() / factor + (roundUp && Height() % factor ? 1 : 0);
  const int32_t format = destination.GetPixelFormat();
  const bool direct = format == pfA8R8G8B8 || format == pfX8R8G8B8;
  if (!direct && !FindScanlineConverter(pfX8R8G8B8, format)) return;
  CBmpPixels pixels;  // made aside, so that the destination may be this bitmap
  destination.MakePixels(width, height, pixels);
  if (HasPixels() && pixels.bits) {
    CBlockReducer reducer(factor, width, Width());
    std::vector<uint32_t> argb(static_cast<size_t>(Width()));
    std::vector<uint32_t> reduced(static_cast<size_t>(width));
    const int32_t sourceFormat = GetPixelFormat();
    for (int32_t y = 0; y < height; ++y) {
      const int64_t last = std::min<int64_t>(int64_t{y} * factor + factor, Height());
      for (int64_t sy = int64_t{y} * factor; sy < last; ++sy) {
        const uint8_t* row = static_cast<const uint8_t*>(Bits()) + sy * Stride();
        ScanlineConvert(reinterpret_cast<uint8_t*>(argb.data()), row, sourceFormat, pfA8R8G8B8,
                        nullptr, Width());
        reducer.AddRow(argb.data());
      }
      reducer.TakeRow(reduced.data());
      const uint8_t* in = reinterpret_cast<const uint8_t*>(reduced.data());
      if (direct)
        std::memcpy(pixels.rows[y], in, static_cast<size_t>(width) * 4);
      else
        ScanlineConvert(pixels.rows[y], in, pfX8R8G8B8, format, nullptr, width);
    }
  }
  destination.TakePixels(pixels);
}

void CBmp::ShrinkTo(CBmp* destination, int32_t factor, uint8_t roundUp) {
  if (!destination || factor < 1) return;
  try {
    ReduceInto(*destination, factor, roundUp != 0);
  } catch (...) {
    destination->MakeEmpty();
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
