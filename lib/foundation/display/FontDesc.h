// A font for text drawing, described by face name, size in points and style,
// with the platform font made for the screen's DPI. The native build has no
// platform font: there the handle stays null and the rest works the same.
#pragma once

#if defined(_WIN32)
#include <windows.h>
using TFontHandle = HFONT;
#else
using TFontHandle = void*;
#endif

#include <cstdint>

#include "lib/foundation/text/Str.h"

enum : uint32_t {
  kFontBold = 1,
  kFontItalic = 2,
  kFontUnderline = 4,
  kFontStrikeOut = 8,
};

class CFontDesc {
 public:
  CFontDesc(const CStr& faceName, int32_t size, uint32_t style);
  ~CFontDesc();
  CFontDesc(const CFontDesc&) = delete;
  CFontDesc& operator=(const CFontDesc&) = delete;

  void SetDPI(int32_t dpi);
  void SetSize(int32_t points);
  void SetStyle(uint32_t style);
  // Face, size and style at once; the face is moved in, so that nothing is
  // allocated and nothing can fail.
  void Set(CStr&& faceName, int32_t size, uint32_t style) noexcept;

  TFontHandle GetHandle() const { return font_; }
  int32_t GetPixelHeight() const { return pixelHeight_; }
  int32_t GetSize() const { return size_; }
  uint32_t GetStyle() const { return style_; }
  const CStr& GetFaceName() const { return faceName_; }
  int32_t GetMemSize(bool includeObject) const;

 private:
  // The platform's part, one file per OS.
  void UpdateHeight();
  void MakeFont();
  void ReleaseFont();

  TFontHandle font_ = nullptr;
  int32_t pixelHeight_ = 0;
  CStr faceName_;
  int32_t dpi_;
  int32_t size_;
  uint32_t style_;
};
