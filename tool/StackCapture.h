#pragma once
#include <cstdint>

// The code addresses of the stack at the moment the last error was raised.
// This compiler's exceptions never pass the operating system's dispatch, so
// the throw itself is wrapped at link time (--wrap=__cxa_throw), and
// processor faults are taken by a vectored handler that turns them into a
// throw from the faulting instruction.
namespace StackCapture {

constexpr int kMaxAddresses = 50;

// Reads this module's code bounds; installs the fault handler.
void Install();
void Uninstall();

// Records the stack of the calling throw (the capture frames skipped).
void CaptureExceptionStack();

// Follows a chain of saved frame pointers (each frame: the caller's frame
// pointer, then the return address) from `frame` below `top`, storing return
// addresses inside [codeStart, codeEnd) after skipping the first `skip` of
// them. A frame pointer that does not rise, is not aligned or leaves the
// stack ends the walk, and so does a fixed number of frames, so a corrupt
// chain can neither loop nor fault. Returns the number stored.
int WalkFramePointers(uintptr_t frame, uintptr_t top, uintptr_t codeStart,
                      uintptr_t codeEnd, int skip, uintptr_t* out, int capacity);

int Count();
uintptr_t Address(int index);
// True when the first address is where a fault happened, not a return address.
bool FirstIsFaultAddress();

}  // namespace StackCapture
