// Item identifiers of the waypoint model and their order; item times.
#pragma once

#include <cstdint>

// 16 bytes as a file stores them; all zero for the manager's built-in items.
struct SItemId {
  uint8_t bytes[16];
};
static_assert(sizeof(SItemId) == 16);

// The identifier as one 128-bit number whose most significant 32-bit word is
// bytes 12-15, each word little-endian: -1, 0 or 1.
int CompareItemId(const SItemId& a, const SItemId& b);

bool IsZeroItemId(const SItemId& id);

// Item times are u32 seconds since 2000-01-01 00:00:00 UTC; the interface
// speaks in day numbers (days since 1899-12-30).
double SecondsSince2000ToDate(uint32_t seconds) noexcept;
// Clamped into the u32 range; NaN gives 0.
uint32_t DateToSecondsSince2000(double day) noexcept;
// The current UTC time in seconds since 2000.
uint32_t NowSecondsSince2000();
