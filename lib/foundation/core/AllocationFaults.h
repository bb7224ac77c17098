// A test seam for running out of memory. Once armed with n on a thread, the
// n-th allocation that thread makes after arming fails, once. Every
// allocation of the library that does not go through operator new asks
// AllocationFaultHit first (blocks through td::ReallocBlock and
// td::ZeroedBlock, bitmap pixels); the test programs' operator new asks it
// too. Disarmed (the normal state) it costs one thread-local load.
#pragma once

#include <cstddef>
#include <cstdint>

namespace td {

// Arms the calling thread: allocation n from now (0 = the next) fails;
// a negative n arms nothing and forgets the last answer.
void AllocationFaultArm(int32_t n);
// Disarms the calling thread; true when the allocation armed last has
// failed (the answer stays until the next arming).
bool AllocationFaultDisarm();
// Called before each allocation: true when this one is to fail.
bool AllocationFaultHit() noexcept;

// std::realloc and std::calloc behind the seam: null when refused.
void* ReallocBlock(void* block, size_t bytes) noexcept;
void* ZeroedBlock(size_t count, size_t size) noexcept;

}  // namespace td
