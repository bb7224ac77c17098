#include <cstring>

#include "lib/foundation/display/FontDesc.h"

void CFontDesc::UpdateHeight() { pixelHeight_ = MulDiv(size_, dpi_, 72); }

void CFontDesc::ReleaseFont() {
  if (font_) DeleteObject(font_);
  font_ = nullptr;
}

void CFontDesc::MakeFont() {
  ReleaseFont();
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
