// Loading a control's .bmp file, or a copy of a bitmap, into one of its bitmap
// fields. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Str.h"

class CBmp32;

// Frees the bitmap in role, then loads the .bmp file at path at full size into
// a new one. On success role holds it and the answer is true; a failed load
// leaves role null and answers false.
bool LoadBitmapFile(CBmp32*& role, const CStr& path);

// Replaces the bitmap in role with a copy of source (null empties role). The
// copy is made before the old bitmap goes, so source may be role's own.
void ReplaceWithCopy(CBmp32*& role, CBmp32* source);
