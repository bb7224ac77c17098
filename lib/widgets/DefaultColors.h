// The toolkit's default colours (COLORREF, 0x00BBGGRR). Controls copy them into
// their own colour fields at construction; they never change at run time.
#pragma once

#include <cstdint>

constexpr uint32_t DefaultFaceColor = 0xEBEBEB;
constexpr uint32_t DefaultDownColor = 0xFDC8B7;
constexpr uint32_t DefaultHighlightColor = 0xFDC8B7;
constexpr uint32_t DefaultActiveColor = 0xB7FDC8;
constexpr uint32_t DefaultBackColor = 0xFFFFFF;
constexpr uint32_t DefaultBorderColor = 0x000000;
constexpr uint32_t DefaultTextColor = 0x000000;
constexpr uint32_t DefaultDisabledBorderColor = 0xC0C0C0;
constexpr uint32_t DefaultDisabledTextColor = 0xC0C0C0;
// Caption and title bars: blue with white text.
constexpr uint32_t CaptionBarColor = 0xC56A31;
constexpr uint32_t CaptionTextColor = 0xFFFFFF;
