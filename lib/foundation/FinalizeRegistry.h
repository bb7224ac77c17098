// The clean-up registry: global tables register their clean-up when they are
// built, and the library runs them in reverse order when it is unloaded.
#pragma once

using FinalizeProc = void (*)();

void AddFinalizeProc(FinalizeProc proc);

// Runs every registered clean-up, the last registered first, then forgets them.
void RunFinalizeProcs();
