// Converting a chart file of an older version into version 2.0.0.0. The
// target is written under a temporary name beside it and replaces it in one
// step once complete, so that a refused or failed conversion leaves no new
// file, an existing target as it was and the source untouched; the target may
// name the source. Any thread, one conversion per target at a time.
#pragma once

#include <cstdint>

#include "lib/foundation/display/Progress.h"
#include "lib/foundation/text/Str.h"

// targetIndex is a format index 1..4 (else 0x70000 before anything is read).
// A source of that version is copied byte for byte; another target below 4
// gives 0x70000. Otherwise the tiles the source has are copied (each split
// into its colour and alpha streams by decoding it, a missing alpha stream
// added as all opaque; a tile that does not decode gives 0x10015), the
// levels it lacks are made by the tile job, and the descriptive sections are
// written anew (an outline of 1 or 2 vertices as an empty one). The target's
// level count is the larger of the automatic one and the source's; levels
// both have must coincide (else 0x10015). Progress (null: none) sees the
// copying and the making as two stages; a cancel stops with its code. Any
// error of the reading, the streams and the section writers stops the
// conversion with that code. Exceptions (out of memory, a damaged section)
// pass on, with no temporary file left behind.
bool TCF2FileConvert(const CStr& source, const CStr& target, uint32_t targetIndex,
                     const SProgress* progress, uint32_t& error);
