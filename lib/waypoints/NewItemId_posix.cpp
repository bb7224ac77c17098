// A random (version 4) GUID in the byte layout Windows gives one.
#include <random>

#include "lib/waypoints/NewItemId.h"

SItemId NewItemId() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  SItemId id;
  for (int i = 0; i < 16; i += 8) {
    uint64_t bits = generator();
    for (int b = 0; b < 8; ++b) id.bytes[i + b] = static_cast<uint8_t>(bits >> (8 * b));
  }
  id.bytes[7] = static_cast<uint8_t>((id.bytes[7] & 0x0F) | 0x40);
  id.bytes[8] = static_cast<uint8_t>((id.bytes[8] & 0x3F) | 0x80);
  return id;
}
