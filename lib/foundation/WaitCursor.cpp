#include "lib/foundation/WaitCursor.h"

#include <windows.h>

void* g_WaitCursor = LoadCursorA(nullptr, IDC_WAIT);
