#include <windows.h>

#include "lib/foundation/Colors.h"

uint32_t SystemColor(int index) { return GetSysColor(index); }
