#include "lib/foundation/display/FontDesc.h"

#include <utility>

#include "lib/foundation/display/ScreenInfo.h"

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

CFontDesc::~CFontDesc() { ReleaseFont(); }

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

void CFontDesc::Set(CStr&& faceName, int32_t size, uint32_t style) noexcept {
  if (faceName_ == faceName && style_ == style && size_ == size) return;
  faceName_ = std::move(faceName);
  style_ = style;
  size_ = size;
  UpdateHeight();
  MakeFont();
}

int32_t CFontDesc::GetMemSize(bool includeObject) const {
  return faceName_.GetLength() + (includeObject ? 36 : 1);
}
