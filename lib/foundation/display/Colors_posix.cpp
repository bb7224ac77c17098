#include "lib/foundation/display/Colors.h"

namespace {

// No desktop colour scheme here: the colours start black and change only
// through SetSystemColors.
constexpr int kSystemColorCount = 31;
uint32_t g_SystemColors[kSystemColorCount] = {};

bool IsKnown(int index) { return index >= 0 && index < kSystemColorCount; }

}  // namespace

uint32_t SystemColor(int index) { return IsKnown(index) ? g_SystemColors[index] : 0; }

void SetSystemColors(int count, const int* indices, const uint32_t* colours) {
  for (int i = 0; i < count; ++i)
    if (IsKnown(indices[i])) g_SystemColors[indices[i]] = colours[i];
}
