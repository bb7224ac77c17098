#include "lib/bitmap/Bmp.h"

#include <algorithm>

#include "lib/bitmap/BmpModule.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/ErrorCodes.h"
#include "lib/foundation/FileName.h"

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
  while (bytes > kMaxBitmapBytes || !TryAllocatePixels(bytes, format)) {
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

// The file readers and writer come with the image-file code; until then a
// load reports an error and the bitmap stays as it is.
void CBmp::LoadBmp(const CStr* path, uint32_t shrink, uint8_t alpha, void* param, uint32_t* error) {
  *error = kErrUnknown;
}

void CBmp::LoadTga(const CStr* path, int32_t shrink, void* param, uint32_t* error) { *error = kErrUnknown; }

void CBmp::SaveBmp(const CStr* path, void* param) {}

void CBmp::ShrinkTo(CBmp* destination, int32_t factor, uint8_t roundUp) {}

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
