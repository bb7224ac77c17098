// The chart error code of a calibration status. Free of state; any thread.
#pragma once

#include <cstdint>

// Status 0 (usable but weak) gives 0 and sets bit 0 of warnings, 1 gives 0;
// faults give their chart error code, an unknown status 0x7001E. Only
// status 0 touches warnings.
uint32_t ConvertCalibrationResult(uint32_t status, uint32_t& warnings);
