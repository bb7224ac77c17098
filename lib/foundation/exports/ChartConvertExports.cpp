// Exports of chart conversion: the chart error code of a calibration status
// and the conversion of older chart files. File names are zero-terminated
// 8-bit texts.
#include <cstdint>

#include "lib/charts/TCF2CalibrationResult.h"
#include "lib/charts/TCF2FileConvert.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

TDEXPORT(void) ConvertCalibrationResult(uint32_t status, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false, [&] {
    *error = ConvertCalibrationResult(status, *warnings);
    return true;
  });
}

TDEXPORT(void)
TCF2FileConvert(const char* sourceName, const char* targetName, uint32_t targetIndex,
                const TdProgress* progress, uint32_t* error) {
  td::GuardCode(error, false, [&] {
    return TCF2FileConvert(CStr(sourceName), CStr(targetName), targetIndex, progress, *error);
  });
}
