// Translated captions that more than one toolkit window shows.
#pragma once

#include "lib/foundation/text/Language.h"

extern const SLangText kTextCancel;
extern const SLangText kTextOK;
extern const SLangText kTextHelp;
