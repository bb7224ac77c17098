// A test seam for running out of memory. Once armed with n on a thread, the
// n-th allocation that thread makes after arming fails, once. Every
// allocation of the library that does not go through operator new asks
// AllocationFaultHit first (blocks through td::ReallocBlock and
// td::ZeroedBlock, bitmap pixels); the test programs' operator new asks it
// too. Other threads never count. While no thread is armed (the normal
// state) it costs one load of a process-wide count and touches nothing per
// thread: the seam keeps no thread-local storage, so it allocates nothing.
// A few threads at once may be armed (the test threads).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace td {

// Arms the calling thread: allocation n from now (0 = the next) fails;
// a negative n arms nothing and forgets the last answer.
void AllocationFaultArm(int32_t n) noexcept;
// Disarms the calling thread; true when the allocation armed last has
// failed (the answer stays until the next arming).
bool AllocationFaultDisarm() noexcept;

namespace allocation_faults {
// How many threads count down now.
extern std::atomic<int32_t> g_CountingThreads;
// AllocationFaultHit while some thread counts.
bool HitWhileCounting() noexcept;
}  // namespace allocation_faults

// Called before each allocation: true when this one is to fail.
inline bool AllocationFaultHit() noexcept {
  return allocation_faults::g_CountingThreads.load(std::memory_order_relaxed) != 0 &&
         allocation_faults::HitWhileCounting();
}

// std::realloc and std::calloc behind the seam: null when refused.
void* ReallocBlock(void* block, size_t bytes) noexcept;
void* ZeroedBlock(size_t count, size_t size) noexcept;

}  // namespace td
