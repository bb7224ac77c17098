#include "lib/foundation/FinalizeRegistry.h"

#include "lib/foundation/Array.h"

namespace {

// Created on first use: static initialisers of other files may register
// before this file's own statics would have been built.
CArray<FinalizeProc>* g_procs = nullptr;

}  // namespace

void AddFinalizeProc(FinalizeProc proc) {
  if (!g_procs) g_procs = new CArray<FinalizeProc>();
  g_procs->Add(proc);
}

void RunFinalizeProcs() {
  if (!g_procs) return;
  for (int32_t i = g_procs->GetCount() - 1; i >= 0; --i) (*g_procs)[i]();
  delete g_procs;
  g_procs = nullptr;
}
