#include "tests/widgets/FreedMemory.h"

#include "tests/AllocationSeam.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kMaxKept = 1 << 16;
constexpr unsigned char kTailPoison = 0xDD;

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

// Keeps and poisons a block given back while a watch stands.
bool Keep(void* memory) {
  if (g_KeptCount >= kMaxKept) return false;
  Poison(memory, _msize(memory));
  g_Kept[g_KeptCount++] = memory;
  return true;
}

}  // namespace

CFreedMemoryWatch::CFreedMemoryWatch() {
  g_KeptCount = 0;
  g_PoisonedCalls = 0;
  td::test::SetReleaseHook(Keep);
}

CFreedMemoryWatch::~CFreedMemoryWatch() {
  td::test::SetReleaseHook(nullptr);
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
