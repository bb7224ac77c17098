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

int Count();
uintptr_t Address(int index);
// True when the first address is where a fault happened, not a return address.
bool FirstIsFaultAddress();

}  // namespace StackCapture
