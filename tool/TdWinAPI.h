// Windows calls that older systems lack, taken when the system has them.
#pragma once
#include <windows.h>

// GlobalMemoryStatusEx when kernel32 has it, else the older call's fields.
void GlobalMemoryStatusExSafe(MEMORYSTATUSEX& status);
