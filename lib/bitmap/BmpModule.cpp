#include "lib/bitmap/BmpModule.h"

#include <atomic>

#include "lib/foundation/threads/CriticalSection.h"

namespace {

// Built on first use and freed at unload, so a host that never calls
// BmpInitialize, or calls it twice, is served the same.
CCriticalSection& ModuleLock() {
  static CCriticalSection lock;
  return lock;
}

std::atomic<AllocFailHandler> g_Handler{nullptr};

}  // namespace

AllocFailHandler SetAllocFailHandler(AllocFailHandler handler) {
  CCriticalSectionLock lock(ModuleLock());
  return g_Handler.exchange(handler);
}

AllocFailHandler GetAllocFailHandler() { return g_Handler.load(); }
