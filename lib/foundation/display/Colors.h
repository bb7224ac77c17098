// Colour conversions between the platform's 0x00BBGGRR colour references,
// system colour indices and the library's 0xAARRGGBB colours.
#pragma once

#include <cstdint>

// Bit 27 marks a colour whose low byte is a system colour index.
constexpr uint32_t kSystemColorFlag = 0x08000000;

// Exchanges the lowest and third bytes; the high byte is cleared.
uint32_t ColorSwapRB(uint32_t color);
// An opaque 0xFFRRGGBB from a colour reference or a system colour.
uint32_t ColorToARGB(uint32_t color);
uint32_t MakeARGB(uint8_t a, uint8_t r, uint8_t g, uint8_t b);
// The platform's colour reference of a system colour index.
uint32_t SystemColor(int index);
// Sets system colour indices[i] to colours[i] for i < count in one step
// (SetSysColors on Windows). Elsewhere the colours are a table of indices
// 0..30 in this process, all 0 at start, that SystemColor reads; other
// indices are ignored there. Main thread only.
void SetSystemColors(int count, const int* indices, const uint32_t* colours);
