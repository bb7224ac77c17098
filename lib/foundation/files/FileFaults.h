// A test seam in the file layer: once armed with n, the n-th create, write,
// set-end, flush, rename or delete after arming fails as the system call
// would, once.
// Disarmed (the normal state) it costs one relaxed atomic load per call.
#pragma once

#include <cstdint>

namespace td {

// n = 0 disarms. Counting restarts at every call.
void FileFaultArm(int32_t n);
// Operations of the kinds above counted since the last FileFaultArm.
int32_t FileFaultCount();
// Called by the file layer before each such operation: true to fail it.
bool FileFaultHit();

// The same for calls that report a code: sets it when the call is to fail.
inline bool FileFault(uint32_t code, uint32_t& error) {
  if (!FileFaultHit()) return false;
  error = code;
  return true;
}

}  // namespace td
