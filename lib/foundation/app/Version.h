// Four-part version numbers a.b.c.d packed with a in the high byte, as every
// file format stores them (1.1.0.0 is 0x01010000).
#pragma once

#include <cstdint>

constexpr uint32_t MakeVersion(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(b) << 16 |
         static_cast<uint32_t>(c) << 8 | d;
}
