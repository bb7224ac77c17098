#include <windows.h>

#include "lib/foundation/display/Colors.h"

uint32_t SystemColor(int index) { return GetSysColor(index); }

void SetSystemColors(int count, const int* indices, const uint32_t* colours) {
  static_assert(sizeof(COLORREF) == sizeof(uint32_t));
  SetSysColors(count, indices, reinterpret_cast<const COLORREF*>(colours));
}
