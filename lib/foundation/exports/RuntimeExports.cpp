// Exports of the runtime family: dates.
#include "include/TdLib.h"
#include <limits>

#include "lib/foundation/Abi.h"
#include "lib/foundation/DateTime.h"
#include "lib/foundation/exports/Guard.h"

TDEXPORT(double) CalcDate(double timeOfDay, double reference) {
  return td::Guard(std::numeric_limits<double>::quiet_NaN(),
                   [&] { return NearestDate(timeOfDay, reference); });
}
