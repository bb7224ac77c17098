#include "lib/foundation/core/AllocationFaults.h"

#include <cstdlib>

namespace {

// Allocations left before the one that fails; negative when disarmed.
thread_local int32_t t_Countdown = -1;
thread_local bool t_Failed = false;

}  // namespace

namespace td {

void AllocationFaultArm(int32_t n) {
  t_Failed = false;
  t_Countdown = n;
}

bool AllocationFaultDisarm() {
  t_Countdown = -1;
  return t_Failed;
}

bool AllocationFaultHit() noexcept {
  if (t_Countdown < 0) return false;
  if (t_Countdown-- > 0) return false;
  t_Failed = true;
  return true;
}

void* ReallocBlock(void* block, size_t bytes) noexcept {
  return AllocationFaultHit() ? nullptr : std::realloc(block, bytes);
}

void* ZeroedBlock(size_t count, size_t size) noexcept {
  return AllocationFaultHit() ? nullptr : std::calloc(count, size);
}

}  // namespace td
