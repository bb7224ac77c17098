#include "lib/foundation/app/FinalizeRegistry.h"

#include <mutex>

#include "lib/foundation/containers/Array.h"

namespace {

// Both are usable before any static initialiser of this file has run: static
// initialisers of other files may register first, and the mutex is built
// at compile time.
std::mutex g_lock;
CArray<FinalizeProc>* g_procs = nullptr;

}  // namespace

void AddFinalizeProc(FinalizeProc proc) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_procs) g_procs = new CArray<FinalizeProc>();
  g_procs->Add(proc);
}

void RunFinalizeProcs() {
  CArray<FinalizeProc>* procs = nullptr;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    procs = g_procs;
    g_procs = nullptr;
  }
  if (!procs) return;
  for (int32_t i = procs->GetCount() - 1; i >= 0; --i) (*procs)[i]();
  delete procs;
}
