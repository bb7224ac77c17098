#include "lib/foundation/FileFaults.h"

#include <atomic>

namespace {

constexpr int kOperations = static_cast<int>(EFileFault::Delete) + 1;

// Calls left until the armed failure, per operation; 0 when not armed.
std::atomic<uint32_t> g_Countdown[kOperations];

}  // namespace

void FileFaultArm(EFileFault operation, uint32_t n) {
  g_Countdown[static_cast<int>(operation)] = n;
}

void FileFaultReset() {
  for (std::atomic<uint32_t>& countdown : g_Countdown) countdown = 0;
}

bool FileFaultHit(EFileFault operation) {
  std::atomic<uint32_t>& countdown = g_Countdown[static_cast<int>(operation)];
  uint32_t left = countdown.load();
  while (left != 0 && !countdown.compare_exchange_weak(left, left - 1)) {
  }
  return left == 1;
}
