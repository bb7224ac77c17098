// Exports of the runtime family: dates.
#include "include/TdLib.h"

#include <limits>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/exports/Guard.h"

TDEXPORT(double) CalcDate(double timeOfDay, double reference) {
  return td::Guard(std::numeric_limits<double>::quiet_NaN(),
                   [&] { return NearestDate(timeOfDay, reference); });
}
