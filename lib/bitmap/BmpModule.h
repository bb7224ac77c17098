// What all bitmaps share besides the constant tables: the allocation-failure
// handler that CBmp::SetSize consults when the system gives no pixel memory.
#pragma once

#include <cstdint>

// Called with the byte size of the pixel memory that could not be had
// (at most 0xFFFFFFFF); returns true to ask for another attempt, false to
// give up. A request above 1 GiB is refused like memory the system does not
// give, so it fails again on every attempt: a handler answers true only when
// it freed something, as for any failure, or the attempts never end.
using AllocFailHandler = bool (*)(uint32_t bytes);

// Stores a new handler (null for none) and returns the previous one. Any
// thread; the swap is made under the module lock.
AllocFailHandler SetAllocFailHandler(AllocFailHandler handler);
// The current handler, read without the lock; null when none is installed.
AllocFailHandler GetAllocFailHandler();
