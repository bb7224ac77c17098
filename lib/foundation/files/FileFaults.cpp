#include "lib/foundation/files/FileFaults.h"

#include <atomic>

namespace {

std::atomic<int32_t> g_Target{0};
std::atomic<int32_t> g_Count{0};

}  // namespace

namespace td {

void FileFaultArm(int32_t n) {
  g_Count.store(0);
  g_Target.store(n);
}

int32_t FileFaultCount() { return g_Count.load(); }

bool FileFaultHit() {
  if (g_Target.load(std::memory_order_relaxed) == 0) return false;
  return g_Count.fetch_add(1) + 1 == g_Target.load();
}

}  // namespace td
