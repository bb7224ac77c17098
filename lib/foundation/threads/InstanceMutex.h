// The mark of a running program instance, shared by the library's start-up
// service and the tool: a named mutex that the first instance owns until it
// ends. Plain Windows types only, so that both can use it.
#pragma once

enum class EInstanceMutex { kTaken, kHeldElsewhere, kCreateFailed, kWaitFailed };

// Creates or opens the mutex `name` (its handle is stored in *mutex whenever
// it exists, for the caller to release and close at the end) and tries it
// without waiting. kTaken when the calling thread owns it now: nobody held it,
// or its owner ended without releasing it. kHeldElsewhere when another
// instance runs: the first top-level window of class `windowClass` (any case)
// is brought to the front.
EInstanceMutex TakeInstanceMutex(const char* name, const char* windowClass, void** mutex);
