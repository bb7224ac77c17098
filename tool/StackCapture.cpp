#include "tool/StackCapture.h"

#include <windows.h>

#include <unwind.h>

#include <cstdio>
#include <string>

#include "tool/Exceptions.h"

namespace {

struct CaptureList {
  uintptr_t addresses[StackCapture::kMaxAddresses];
  int count = 0;
  bool capturing = false;
  bool faultFirst = false;
};

CaptureList g_list;
uintptr_t g_codeStart = 0, g_codeEnd = 0;
PVOID g_faultHandler = nullptr;
// A fault waiting to be thrown from where it happened: its address leads the
// next capture.
uintptr_t g_pendingFault = 0;

// Frames of the capture itself: the walk, its start and the capture entry
// point, then the throw wrapper; a fault adds the frame that throws it.
const int kCaptureFrames = 3;
const int kFaultFrames = 2;

bool InCode(uintptr_t address) {
  return address > g_codeStart && address < g_codeEnd;
}

void Store(uintptr_t address) {
  if (g_list.count < StackCapture::kMaxAddresses)
    g_list.addresses[g_list.count++] = address;
}

#if defined(_WIN64)

// This platform's frames are described by the unwind tables, not by a chain
// of frame pointers: the system's unwinder walks them.
__attribute__((noinline)) void CaptureStack(int skip) {
  void* frames[StackCapture::kMaxAddresses + 8];
  USHORT n = RtlCaptureStackBackTrace(1, sizeof frames / sizeof frames[0],
                                      frames, nullptr);
  for (USHORT i = 0; i < n; ++i) {
    auto ret = reinterpret_cast<uintptr_t>(frames[i]);
    if (!InCode(ret)) continue;
    if (skip > 0) --skip;
    else Store(ret);
  }
}

#else

// The top of the committed stack region that holds this frame.
uintptr_t StackTop() {
  MEMORY_BASIC_INFORMATION region{};
  VirtualQuery(__builtin_frame_address(0), &region, sizeof region);
  return reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
}

// The frame pointer's column in this platform's unwind tables.
const int kFramePointerColumn = 5;

// The last frame the unwind tables led to.
struct TableWalk {
  int skip;
  uintptr_t ip = 0;
  uintptr_t framePointer = 0;
};

_Unwind_Reason_Code VisitFrame(_Unwind_Context* context, void* data) {
  auto& walk = *static_cast<TableWalk*>(data);
  walk.ip = _Unwind_GetIP(context);
  walk.framePointer = _Unwind_GetGR(context, kFramePointerColumn);
  if (InCode(walk.ip)) {
    if (walk.skip > 0) --walk.skip;
    else Store(walk.ip);
  }
  return g_list.count < StackCapture::kMaxAddresses ? _URC_NO_REASON
                                                    : _URC_END_OF_STACK;
}

// The thread that walks its stack, while it does: a fault of that thread
// then (a stack too corrupt to follow) ends the walk with the addresses it
// has. Other threads' faults take their usual road.
DWORD g_walkingThread = 0;
void* g_walkExit[5];

[[noreturn]] __attribute__((noinline)) void LeaveWalk() {
  __builtin_longjmp(g_walkExit, 1);
}

// The unwind tables describe every frame of this program, also those of
// functions that keep no frame pointer (this compiler leaves it out of
// file-local leaf functions), and a fault's frame exactly. They are followed
// as far as they reach; the system's frames beyond, which have no entry
// there, keep frame pointers, and the chain of those is followed on.
__attribute__((noinline)) void CaptureStack(int skip) {
  TableWalk walk{skip + 1};  // and this function's own frame
  g_walkingThread = GetCurrentThreadId();
  if (__builtin_setjmp(g_walkExit) == 0) {
    // The tables end at the outermost frame (no return address) or at a
    // frame they do not describe: the one seen last.
    if (_Unwind_Backtrace(VisitFrame, &walk) == _URC_END_OF_STACK && walk.ip != 0)
      g_list.count += StackCapture::WalkFramePointers(
          walk.framePointer, StackTop(), g_codeStart, g_codeEnd, walk.skip,
          g_list.addresses + g_list.count,
          StackCapture::kMaxAddresses - g_list.count);
  }
  g_walkingThread = 0;
}

#endif

__attribute__((noinline)) void StartCapture() {
  g_list.count = 0;
  g_list.faultFirst = g_pendingFault != 0;
  int skip = kCaptureFrames;
  if (g_pendingFault != 0) {
    Store(g_pendingFault);
    skip += kFaultFrames;
    g_pendingFault = 0;
  }
  CaptureStack(skip);
}

std::string g_faultMessage;
DWORD g_faultCode = 0;

[[noreturn]] __attribute__((noinline)) void RaiseFault() {
  if (g_faultCode == EXCEPTION_ACCESS_VIOLATION)
    throw EAccessViolation(g_faultMessage);
  throw EExternalException(g_faultMessage);
}

std::string FaultMessage(const EXCEPTION_RECORD& record) {
  char text[160];
  const int digits = 2 * sizeof(void*);
  auto at = reinterpret_cast<uintptr_t>(record.ExceptionAddress);
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION &&
      record.NumberParameters >= 2) {
    std::snprintf(text, sizeof text,
                  "Access violation at address %0*llX. %s of address %0*llX",
                  digits, static_cast<unsigned long long>(at),
                  record.ExceptionInformation[0] == 1 ? "Write" : "Read",
                  digits,
                  static_cast<unsigned long long>(record.ExceptionInformation[1]));
  } else {
    std::snprintf(text, sizeof text, "External exception %08lX at address %0*llX",
                  static_cast<unsigned long>(record.ExceptionCode), digits,
                  static_cast<unsigned long long>(at));
  }
  return text;
}

bool IsFault(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return true;
    default:
      return false;
  }
}

// A fault in this program's own code continues as a call of RaiseFault from
// the faulting instruction, so that it takes the same road as any thrown
// error: captured at the throw, caught where window procedures catch.
LONG CALLBACK FaultHandler(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  CONTEXT& context = *info->ContextRecord;
#if defined(_WIN64)
  DWORD64& ip = context.Rip;
  DWORD64& sp = context.Rsp;
#else
  DWORD& ip = context.Eip;
  DWORD& sp = context.Esp;
#endif
#if !defined(_WIN64)
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION &&
      g_walkingThread == GetCurrentThreadId()) {
    ip = reinterpret_cast<uintptr_t>(&LeaveWalk);
    return EXCEPTION_CONTINUE_EXECUTION;
  }
#endif
  if (!IsFault(record.ExceptionCode) || !InCode(ip) || g_pendingFault != 0)
    return EXCEPTION_CONTINUE_SEARCH;
  try {
    g_faultMessage = FaultMessage(record);
  } catch (...) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  g_pendingFault = ip;
  g_faultCode = record.ExceptionCode;
#if defined(_WIN64)
  // Room for the callee's 32-byte home area, which a leaf function at the
  // fault has not reserved, and the alignment of a call.
  sp = ((sp - 32) & ~static_cast<DWORD64>(15)) - sizeof(uintptr_t);
  const uintptr_t returnAddress = ip;
#else
  // The unwind tables take a return address for the end of a call and look
  // up the byte before it: one byte into the faulting instruction, they
  // describe that instruction itself, also where it follows a push or starts
  // a range of its own in the handler tables.
  sp -= sizeof(uintptr_t);
  const uintptr_t returnAddress = ip + 1;
#endif
  *reinterpret_cast<uintptr_t*>(sp) = returnAddress;
  ip = reinterpret_cast<uintptr_t>(&RaiseFault);
  return EXCEPTION_CONTINUE_EXECUTION;
}

void ReadCodeBounds() {
  auto base = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) throw Exception("Not a valid MZ-file!");
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) throw Exception("Not a valid PE-file!");
  g_codeStart = base + nt->OptionalHeader.BaseOfCode;
  g_codeEnd = g_codeStart + nt->OptionalHeader.SizeOfCode;
}

}  // namespace

namespace StackCapture {

int WalkFramePointers(uintptr_t frame, uintptr_t top, uintptr_t codeStart,
                      uintptr_t codeEnd, int skip, uintptr_t* out, int capacity) {
  const int kMaxFrames = 256;
  int stored = 0;
  for (int n = 0; n < kMaxFrames && stored < capacity; ++n) {
    if (frame + 2 * sizeof(uintptr_t) > top || (frame % sizeof(uintptr_t)) != 0)
      break;
    auto* slots = reinterpret_cast<const uintptr_t*>(frame);
    if (slots[1] > codeStart && slots[1] < codeEnd) {
      if (skip > 0) --skip;
      else out[stored++] = slots[1];
    }
    if (slots[0] <= frame) break;
    frame = slots[0];
  }
  return stored;
}

void Install() {
  if (g_codeEnd == 0) ReadCodeBounds();
  if (g_faultHandler == nullptr)
    g_faultHandler = AddVectoredExceptionHandler(1, FaultHandler);
}

void Uninstall() {
  if (g_faultHandler != nullptr) RemoveVectoredExceptionHandler(g_faultHandler);
  g_faultHandler = nullptr;
}

// Guarded: a throw while capturing (there is none by design) captures nothing.
__attribute__((noinline)) void CaptureExceptionStack() {
  if (g_list.capturing || g_codeEnd == 0) return;
  g_list.capturing = true;
  StartCapture();
  g_list.capturing = false;
}

int Count() { return g_list.count; }
uintptr_t Address(int index) { return g_list.addresses[index]; }
bool FirstIsFaultAddress() { return g_list.faultFirst; }

}  // namespace StackCapture

extern "C" {

[[noreturn]] void __real___cxa_throw(void* object, void* type, void* destructor);

// Every throw of the program passes here first.
[[noreturn]] __attribute__((noinline)) void __wrap___cxa_throw(void* object,
                                                               void* type,
                                                               void* destructor) {
  StackCapture::CaptureExceptionStack();
  __real___cxa_throw(object, type, destructor);
}

}  // extern "C"
