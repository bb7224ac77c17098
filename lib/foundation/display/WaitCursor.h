// The system's hourglass cursor, loaded once at load: the widget toolkit's
// shared busy cursor.
#pragma once

extern void* g_WaitCursor;  // HCURSOR
