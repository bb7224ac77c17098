// Exports of the runtime family: dates.
#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/time/DateTime.h"

TDEXPORT(double) CalcDate(double timeOfDay, double reference) {
  return NearestDate(timeOfDay, reference);
}
