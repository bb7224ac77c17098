#include "lib/foundation/FontDesc.h"

#include <cstring>

#include "lib/foundation/ScreenInfo.h"

namespace {

// Before the screen information exists, the common desktop resolution.
constexpr int32_t kDefaultDPI = 96;

}  // namespace

CFontDesc::CFontDesc(const CStr& faceName, int32_t size, uint32_t style)
    : faceName_(faceName),
      dpi_(g_ScreenInfo ? g_ScreenInfo->GetDPI() : kDefaultDPI),
      size_(size),
      style_(style) {
  UpdateHeight();
  MakeFont();
}

CFontDesc::~CFontDesc() {
  if (font_) DeleteObject(font_);
}

void CFontDesc::UpdateHeight() { pixelHeight_ = MulDiv(size_, dpi_, 72); }

void CFontDesc::MakeFont() {
  if (font_) DeleteObject(font_);
  LOGFONTA desc = {};
  desc.lfHeight = -pixelHeight_;
  desc.lfWeight = style_ & kFontBold ? FW_BOLD : FW_NORMAL;
  desc.lfItalic = style_ & kFontItalic ? 1 : 0;
  desc.lfUnderline = style_ & kFontUnderline ? 1 : 0;
  desc.lfStrikeOut = style_ & kFontStrikeOut ? 1 : 0;
  // The face-name field holds 31 characters and its terminator.
  std::strncpy(desc.lfFaceName, faceName_.c_str(), LF_FACESIZE - 1);
  font_ = CreateFontIndirectA(&desc);
}

void CFontDesc::SetDPI(int32_t dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  UpdateHeight();
  MakeFont();
}

void CFontDesc::SetSize(int32_t points) {
  if (points == size_) return;
  size_ = points;
  UpdateHeight();
  MakeFont();
}

void CFontDesc::SetStyle(uint32_t style) {
  if (style == style_) return;
  style_ = style;
  MakeFont();
}

void CFontDesc::Assign(const CFontDesc& other) {
  if (faceName_ == other.faceName_ && style_ == other.style_ && size_ == other.size_) return;
  faceName_ = other.faceName_;
  style_ = other.style_;
  size_ = other.size_;
  UpdateHeight();
  MakeFont();
}

int32_t CFontDesc::GetMemSize(bool includeObject) const {
  return faceName_.GetLength() + (includeObject ? 36 : 1);
}
