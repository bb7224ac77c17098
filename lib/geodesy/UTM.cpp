#include "lib/geodesy/UTM.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace geodesy {

namespace {

constexpr double kDegrees = 57.29577951308232;
constexpr double kRadians = 0.017453292519943295;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// I and O name no band; their entries stay -9999 as they are, not degrees.
constexpr double kNoBand = -9999.0;

// Middle latitude of each band A..Z in degrees.
constexpr double kBandMiddle[26] = {-85, -85, -76, -68, -60, -52, -44, -36, kNoBand,
                                    -28, -20, -12, -4,  4,   kNoBand, 12, 20, 28,
                                    36,  44,  52,  60,  68,  78,  87,  87};

}  // namespace

int32_t UTMLongToZone(double lon) {
  const double deg = lon * kDegrees;
  // The slack admits +-pi converted to degrees with its rounding.
  if (!(std::fabs(deg) <= 180.0 + 1e-9)) return 0;
  const double zone = std::floor((deg + 183.0) / 6.0 + 0.5);
  // 180 degrees is the eastern edge of zone 60, not a zone 61.
  return static_cast<int32_t>(std::fmin(60.0, std::fmax(1.0, zone)));
}

char UTMToZoneChar(double lat, double lon) {
  const double deg = lat * kDegrees;
  if (std::isnan(deg) || std::isnan(lon)) return '\0';
  if (deg < -80.0) return lon < 0.0 ? 'A' : 'B';
  if (deg >= 84.0) return lon < 0.0 ? 'Y' : 'Z';
  if (deg >= 72.0) return 'X';
  return "CDEFGHJKLMNPQRSTUVW"[static_cast<int>(std::floor((deg + 80.0) / 8.0))];
}

double UTMZoneToLat(uint8_t band) {
  if (band >= 26) return kNaN;
  const double deg = kBandMiddle[band];
  return deg == kNoBand ? kNoBand : deg * kRadians;
}

double UTMZoneToLong(int32_t zone) {
  if (zone < -60 || zone > 60 || zone == 0) return kNaN;
  return (std::abs(zone) * 6 - 183) * kRadians;
}

}  // namespace geodesy
