// operator new and new[] in all their forms, through malloc (so that a kept
// block's size can be read back) and the thread's allocation countdown.
#include "tests/AllocationSeam.h"

#include <cstdlib>
#include <new>

#if defined(_WIN32)
#include <malloc.h>
#endif

namespace {

td::test::TReleaseHook g_ReleaseHook = nullptr;

void* Allocate(size_t size) {
  if (td::AllocationFaultHit()) return nullptr;
  return std::malloc(size ? size : 1);
}

void* AllocateAligned(size_t size, std::align_val_t alignment) {
  if (td::AllocationFaultHit()) return nullptr;
  const size_t align = static_cast<size_t>(alignment);
#if defined(_WIN32)
  return _aligned_malloc(size ? size : 1, align);
#else
  void* memory = nullptr;
  return posix_memalign(&memory, align, size ? size : 1) == 0 ? memory : nullptr;
#endif
}

void* Required(void* memory) {
  if (!memory) throw std::bad_alloc();
  return memory;
}

void Release(void* memory) {
  if (!memory || (g_ReleaseHook && g_ReleaseHook(memory))) return;
  std::free(memory);
}

void ReleaseAligned(void* memory) {
#if defined(_WIN32)
  _aligned_free(memory);
#else
  std::free(memory);
#endif
}

}  // namespace

namespace td::test {

void SetReleaseHook(TReleaseHook hook) { g_ReleaseHook = hook; }

}  // namespace td::test

// The replacements allocate with malloc, so free is the matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) { return Required(Allocate(size)); }
void* operator new[](size_t size) { return Required(Allocate(size)); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(size_t size, std::align_val_t align) {
  return Required(AllocateAligned(size, align));
}
void* operator new[](size_t size, std::align_val_t align) {
  return Required(AllocateAligned(size, align));
}
void* operator new(size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, align);
}
void* operator new[](size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
  return AllocateAligned(size, align);
}

void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, size_t) noexcept { Release(memory); }
void operator delete[](void* memory, size_t) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete(void* memory, size_t, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete[](void* memory, size_t, std::align_val_t) noexcept { ReleaseAligned(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  ReleaseAligned(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  ReleaseAligned(memory);
}
