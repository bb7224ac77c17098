// Running out of memory on purpose. Every test program links
// AllocationSeam.cpp, which replaces operator new and new[] in all their
// forms; with the library's own seam (container blocks, stream buffers,
// bitmap pixels) one countdown per thread reaches every allocation. Test
// thread only: other threads' allocations never count.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "lib/foundation/core/AllocationFaults.h"

namespace td::test {

// On this thread, allocation n from now (0 = the next) fails, once.
inline void ArmAllocationFailure(int32_t n) { td::AllocationFaultArm(n); }
// Disarms; true when the armed allocation did fail (asked again before the
// next arming, it gives the same answer).
inline bool DisarmAllocationFailure() { return td::AllocationFaultDisarm(); }

// A walk costs a whole run of its operation per allocation, and the i686
// programs may run under a slow emulator: they walk only the rows of a walk
// table marked for every build, the native twin every row.
#if defined(_WIN32)
inline constexpr bool kWalkEveryRow = false;
#else
inline constexpr bool kWalkEveryRow = true;
#endif

// Whether a row of a walk table runs in this build.
inline bool WalkedHere(bool onEveryBuild) { return kWalkEveryRow || onEveryBuild; }

// What came of an operation run with an allocation refused.
struct SRefusedRun {
  bool Threw;    // the operation let an exception out
  bool Refused;  // the armed allocation was reached and refused
};

// Runs op with allocation n from now refused, disarming before it answers.
template <class Op>
SRefusedRun RunRefusingAllocation(int32_t n, Op&& op) {
  ArmAllocationFailure(n);
  bool threw = false;
  try {
    op();
  } catch (...) {
    threw = true;
  }
  return {threw, DisarmAllocationFailure()};
}

// Runs run(n) for n = 0, 1, 2, ... until a run in which no allocation failed:
// the operation then completed. run sets up, calls ArmAllocationFailure(n)
// just before the operation (so that its set-up never fails), then
// DisarmAllocationFailure() before it checks anything (the checks allocate
// too), and checks what that answer says: a failure reported and the objects
// as before, or success. Returns the allocations the operation made.
template <class Run>
int32_t WalkAllocations(Run run, int32_t limit = 1000000) {
  for (int32_t n = 0; n < limit; ++n) {
    td::AllocationFaultArm(-1);
    run(n);
    if (!DisarmAllocationFailure()) return n;
  }
  ADD_FAILURE() << "the operation still allocates after " << limit << " allocations";
  return limit;
}

// Blocks given to operator delete go to this hook first; when it answers
// true it has kept the block (see FreedMemory.h). Null for none.
using TReleaseHook = bool (*)(void* block);
void SetReleaseHook(TReleaseHook hook);

}  // namespace td::test
