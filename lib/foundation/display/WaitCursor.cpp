#include "lib/foundation/display/WaitCursor.h"

#include <windows.h>

void* g_WaitCursor = LoadCursorA(nullptr, IDC_WAIT);
