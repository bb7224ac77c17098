#include "lib/foundation/core/AllocationFaults.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "lib/foundation/app/Application.h"

// Made before any code runs; while it is 0, an allocation reads nothing else.
constinit std::atomic<int32_t> td::allocation_faults::g_CountingThreads{0};

namespace {

using td::allocation_faults::g_CountingThreads;

// The seam keeps no thread-local storage: this toolchain emulates it with a
// block allocated on each thread's first use. A thread that arms takes one
// of a few process-wide slots, keyed by its id, and keeps it while it counts
// or while it holds a failure to report; only its owner reads or writes a
// slot's countdown and answer.
struct SArmedThread {
  std::atomic<uint32_t> owner{0};  // the thread's id; 0 when the slot is free
  int32_t countdown = -1;          // allocations left before the one that fails
  bool failed = false;             // the armed allocation has failed
};

constexpr int kSlots = 16;
constinit SArmedThread g_Slots[kSlots];

SArmedThread* SlotOf(uint32_t thread) noexcept {
  for (SArmedThread& slot : g_Slots)
    if (slot.owner.load(std::memory_order_relaxed) == thread) return &slot;
  return nullptr;
}

SArmedThread& ClaimSlot(uint32_t thread) noexcept {
  if (SArmedThread* own = SlotOf(thread)) return *own;
  for (SArmedThread& slot : g_Slots) {
    uint32_t free = 0;
    if (slot.owner.compare_exchange_strong(free, thread, std::memory_order_acquire)) return slot;
  }
  std::fputs("AllocationFaultArm: more threads armed at once than the seam has slots\n", stderr);
  std::abort();
}

void StopCounting(SArmedThread& slot) noexcept {
  if (slot.countdown < 0) return;
  slot.countdown = -1;
  g_CountingThreads.fetch_sub(1, std::memory_order_relaxed);
}

// A slot that neither counts nor holds a failure goes back to the pool.
void ReleaseIfIdle(SArmedThread& slot) noexcept {
  if (slot.countdown < 0 && !slot.failed) slot.owner.store(0, std::memory_order_release);
}

}  // namespace

namespace td {

bool allocation_faults::HitWhileCounting() noexcept {
  SArmedThread* slot = SlotOf(CurrentThreadId());
  if (!slot || slot->countdown < 0 || slot->countdown-- > 0) return false;
  g_CountingThreads.fetch_sub(1, std::memory_order_relaxed);  // the countdown has run out
  slot->failed = true;
  return true;
}

void AllocationFaultArm(int32_t n) noexcept {
  const uint32_t thread = CurrentThreadId();
  SArmedThread* slot = n < 0 ? SlotOf(thread) : &ClaimSlot(thread);
  if (!slot) return;
  StopCounting(*slot);
  slot->failed = false;
  if (n >= 0) {
    slot->countdown = n;
    g_CountingThreads.fetch_add(1, std::memory_order_relaxed);
  }
  ReleaseIfIdle(*slot);
}

bool AllocationFaultDisarm() noexcept {
  SArmedThread* slot = SlotOf(CurrentThreadId());
  if (!slot) return false;
  StopCounting(*slot);
  const bool failed = slot->failed;
  ReleaseIfIdle(*slot);
  return failed;
}

void* ReallocBlock(void* block, size_t bytes) noexcept {
  return AllocationFaultHit() ? nullptr : std::realloc(block, bytes);
}

void* ZeroedBlock(size_t count, size_t size) noexcept {
  return AllocationFaultHit() ? nullptr : std::calloc(count, size);
}

}  // namespace td
