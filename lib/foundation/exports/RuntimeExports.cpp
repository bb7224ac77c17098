// Exports of the runtime family: dates.
#include "include/TdLib.h"
#include "lib/foundation/Abi.h"
#include "lib/foundation/DateTime.h"

TDEXPORT(double) CalcDate(double timeOfDay, double reference) {
  return NearestDate(timeOfDay, reference);
}
