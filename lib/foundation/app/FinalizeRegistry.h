// The clean-up registry: global tables register their clean-up when they are
// built, and the library runs them in reverse order when it is unloaded.
#pragma once

using FinalizeProc = void (*)();

// Any thread may register at any time. The clean-ups run on the thread that
// unloads the library; one registered while they run waits for the next run.

void AddFinalizeProc(FinalizeProc proc);

// Runs every registered clean-up, the last registered first, then forgets them.
void RunFinalizeProcs();
