// Translated texts of the program start-up checks.
#pragma once

#include "lib/foundation/text/Language.h"

extern const SLangText kTextError;
extern const SLangText kTextNeedDirectX8;
extern const SLangText kTextLowColourDepth;
