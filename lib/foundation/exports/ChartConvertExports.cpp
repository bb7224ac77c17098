// Exports of chart conversion: the chart error code of a calibration status.
#include <cstdint>

#include "lib/charts/TCF2CalibrationResult.h"
#include "lib/foundation/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

TDEXPORT(void) ConvertCalibrationResult(uint32_t status, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false, [&] {
    *error = ConvertCalibrationResult(status, *warnings);
    return true;
  });
}
