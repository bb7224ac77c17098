#include "tests/widgets/FreedMemory.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr int32_t kMaxKept = 1 << 16;
constexpr unsigned char kTailPoison = 0xDD;

bool g_Keeping = false;
void* g_Kept[kMaxKept];
int32_t g_KeptCount = 0;
int32_t g_PoisonedCalls = 0;

void* PoisonedCall() {
  ++g_PoisonedCalls;
  return nullptr;
}

using TSlot = void* (*)();
// Enough slots for the deepest virtual table of the toolkit.
TSlot g_PoisonTable[128];

const TSlot* PoisonTable() {
  if (!g_PoisonTable[0])
    for (TSlot& slot : g_PoisonTable) slot = PoisonedCall;
  return g_PoisonTable;
}

void Poison(void* block, size_t size) {
  char* bytes = static_cast<char*>(block);
  const TSlot* table = PoisonTable();
  const size_t words = size / sizeof(table);
  for (size_t i = 0; i < words; ++i) std::memcpy(bytes + i * sizeof(table), &table, sizeof(table));
  std::memset(bytes + words * sizeof(table), kTailPoison, size - words * sizeof(table));
}

bool StillPoisoned(void* block) {
  const char* bytes = static_cast<const char*>(block);
  const size_t size = _msize(block);
  const TSlot* table = PoisonTable();
  const size_t words = size / sizeof(table);
  for (size_t i = 0; i < words; ++i)
    if (std::memcmp(bytes + i * sizeof(table), &table, sizeof(table)) != 0) return false;
  for (size_t i = words * sizeof(table); i < size; ++i)
    if (static_cast<unsigned char>(bytes[i]) != kTailPoison) return false;
  return true;
}

}  // namespace

// The replacement pair allocates with malloc, so free is the matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
  if (!memory) return;
  if (g_Keeping && g_KeptCount < kMaxKept) {
    Poison(memory, _msize(memory));
    g_Kept[g_KeptCount++] = memory;
    return;
  }
  std::free(memory);
}

void operator delete(void* memory, size_t) noexcept { operator delete(memory); }

CFreedMemoryWatch::CFreedMemoryWatch() {
  g_KeptCount = 0;
  g_PoisonedCalls = 0;
  g_Keeping = true;
}

CFreedMemoryWatch::~CFreedMemoryWatch() {
  g_Keeping = false;
  for (int32_t i = 0; i < g_KeptCount; ++i) std::free(g_Kept[i]);
  g_KeptCount = 0;
}

int32_t CFreedMemoryWatch::Calls() const { return g_PoisonedCalls; }

int32_t CFreedMemoryWatch::Writes() const {
  int32_t writes = 0;
  for (int32_t i = 0; i < g_KeptCount; ++i) writes += StillPoisoned(g_Kept[i]) ? 0 : 1;
  return writes;
}

int32_t CFreedMemoryWatch::Freed() const { return g_KeptCount; }
