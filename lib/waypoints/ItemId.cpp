#include "lib/waypoints/ItemId.h"

#include <cmath>

#include "lib/foundation/time/DateTime.h"

namespace {

constexpr double kDay2000 = 36526.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kLastDay = kDay2000 + 4294967295.0 / kSecondsPerDay;

uint32_t Word(const SItemId& id, int w) {
  const uint8_t* b = id.bytes + 4 * w;
  return b[0] | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
}

}  // namespace

int CompareItemId(const SItemId& a, const SItemId& b) {
  for (int w = 3; w >= 0; --w) {
    uint32_t x = Word(a, w), y = Word(b, w);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

bool IsZeroItemId(const SItemId& id) {
  for (uint8_t b : id.bytes)
    if (b) return false;
  return true;
}

double SecondsSince2000ToDate(uint32_t seconds) noexcept {
  return seconds / kSecondsPerDay + kDay2000;
}

uint32_t DateToSecondsSince2000(double day) noexcept {
  if (std::isnan(day)) return 0;
  double clamped = day < kDay2000 ? kDay2000 : (day > kLastDay ? kLastDay : day);
  double seconds = std::floor((clamped - kDay2000) * kSecondsPerDay + 0.5);
  return seconds >= 4294967295.0 ? 4294967295u : static_cast<uint32_t>(seconds);
}

uint32_t NowSecondsSince2000() { return DateToSecondsSince2000(NowUTC()); }
