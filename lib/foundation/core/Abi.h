// Calling conventions of the binary interface.
#pragma once

#if defined(_WIN32)
#define TD_STDCALL __stdcall
#else
#define TD_STDCALL
#endif

// An exported free function: C linkage, callee pops its arguments, and an
// undecorated name in the export table (the .def file lists it).
#define TDEXPORT(type) extern "C" type TD_STDCALL

// 1 where the host-visible layouts hold: 32-bit Windows, the product. The
// x86-64 test build and the native twin compile the same code with other sizes.
#if defined(_WIN32) && !defined(_WIN64)
#define TD_HOST_ABI 1
#else
#define TD_HOST_ABI 0
#endif
