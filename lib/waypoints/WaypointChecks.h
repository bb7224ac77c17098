// Limits of what a waypoint database holds: names, icons, overlays, font
// sizes. Each sets *error (0 when valid) and returns whether the value is valid.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

constexpr int32_t kMaxItemNameLength = 255;
// A comment is the one text of the file besides the names that has room for
// 255 characters only; it is refused where it enters, so that nothing cuts it.
constexpr int32_t kMaxCommentLength = 255;

namespace td {

bool WPMCheckName(const CStr& name, uint32_t* error);
// 0x80028 for a comment over kMaxCommentLength characters.
bool CheckComment(const CStr& comment, uint32_t* error);
bool WPMCheckFontSize(int32_t size, uint32_t* error);
// Origin in pixel-centre coordinates: the icon covers -0.5 to width - 0.5.
// A NaN origin lies outside the icon.
bool WPMCheckIcon(int32_t width, int32_t height, float x, float y, uint32_t* error);
bool WPMCheckIconOverlay(int32_t width, int32_t height, uint32_t* error);

}  // namespace td
