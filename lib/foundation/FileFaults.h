// Failure injection for the file layer. Tests arm it to make the n-th call of
// one file operation fail as the system would; unarmed it costs one atomic
// load per call and changes nothing. Any thread may arm, reset or hit it.
#pragma once

#include <cstdint>

enum class EFileFault { Create, Write, Flush, Close, Rename, Delete };

// The n-th call (1 = the next one) of the operation from now on fails, once;
// 0 disarms that operation.
void FileFaultArm(EFileFault operation, uint32_t n);
// Disarms every operation.
void FileFaultReset();
// Called by the file layer before the system call: true when this call is to
// fail. Create fails with the create code, Write with -1, Flush, Close, Rename
// and Delete with false (a faulted Close still closes the file).
bool FileFaultHit(EFileFault operation);

// The same for operations that report a code: sets error to code when hit.
inline bool FileFaultHit(EFileFault operation, uint32_t code, uint32_t& error) {
  if (!FileFaultHit(operation)) return false;
  error = code;
  return true;
}
