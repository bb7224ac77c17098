#include "lib/charts/TCF2CalibrationResult.h"

#include <iterator>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/geodesy/CalibrationStatus.h"

namespace {

// Error code by status, from status 1 on.
constexpr uint32_t kErrorOfStatus[] = {
    0,                      // 1 good
    kErrCalNotInitialized,  // 2
    kErrProjectionUnknown,  // 3
    kErrDatumUnknown,       // 4
    kErrCalK0,              // 5
    kErrCalLat0,            // 6
    kErrCalLong0,           // 7
    kErrCalLat1,            // 8
    kErrCalLat2,            // 9
    kErrChartWidth,         // 10
    kErrChartHeight,        // 11
    kErrCalTooClose,        // 12
    kErrCalSamePixel,       // 13
    kErrCalSameProj,        // 14
    kErrCalUpsideDown,      // 15
    kErrCalMirrored,        // 16
};
constexpr uint32_t kWarnWeakCalibration = 0x0001;

}  // namespace

uint32_t ConvertCalibrationResult(uint32_t status, uint32_t& warnings) {
  if (status == kCalibrationWeak) {
    warnings |= kWarnWeakCalibration;
    return 0;
  }
  if (status - kCalibrationGood < std::size(kErrorOfStatus))
    return kErrorOfStatus[status - kCalibrationGood];
  return kErrCalUnknown;
}
