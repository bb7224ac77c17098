#include "lib/foundation/display/Colors.h"

uint32_t ColorSwapRB(uint32_t color) {
  return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

uint32_t ColorToARGB(uint32_t color) {
  if (color & kSystemColorFlag) color = SystemColor(static_cast<int>(color & 0xFF));
  return 0xFF000000u | ColorSwapRB(color);
}

uint32_t MakeARGB(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
         static_cast<uint32_t>(g) << 8 | b;
}
