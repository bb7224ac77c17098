// Visual styles: "uxtheme.dll" is loaded on demand by ThemesInitialize and
// freed at unload; without it the queries answer false.
#pragma once

#include "lib/foundation/Abi.h"

TDEXPORT(void) ThemesInitialize();
TDEXPORT(bool) ThemesAvailable();
// Available, and the application is themed with a theme active.
TDEXPORT(bool) ThemesEnabled();
