// UTM zone and latitude-band helpers. Out-of-range input gives 0, '\0' or
// NaN instead of a read outside the tables. A namespace keeps them apart
// from the exports of the same names and argument types.
#pragma once

#include <cstdint>

namespace geodesy {

int32_t UTMLongToZone(double lon);
char UTMToZoneChar(double lat, double lon);
double UTMZoneToLat(uint8_t band);
double UTMZoneToLong(int32_t zone);

}  // namespace geodesy
