// Applying an opened update to a chart file. The chart is never changed in
// place: the updated chart is written under a temporary name beside it and
// replaces it in one step once it is complete, so that any failure, a cancel
// through progress included, leaves the chart byte for byte as it was and no
// temporary file. Any thread, one update per chart at a time; the update and
// the zip are not owned and are only read.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/charts/TCF2UpdateTag.h"
#include "lib/charts/Update.h"
#include "lib/foundation/display/Progress.h"
#include "lib/foundation/text/Str.h"

// Reads the whole chart, then: versions 1.0.0.0 and 1.0.0.1 give 0x70000;
// the update is checked against the chart before anything is written (its
// chart's GUID 0x7003E, its tile indices 0x10015); 1.0.0.2 charts take
// TCF2FileMergeUpdateV3, 2.0.0.0 charts TCF2FileApplyUpdateV4. flag is set
// to 0 first on every path and never to anything else. The errors of the
// read and of the path taken; exceptions (out of memory, a damaged section)
// pass on, with no temporary file left behind.
bool TCF2FileUpdate(const CStr& chartName, CTCF2Update& update, uint8_t& flag, const CZip* zip,
                    const SProgress* progress, uint32_t& error);

// Writes the 2.0.0.0 chart anew with its own levels: the level-0
// tiles copied (their update copies dropped), the tiles the update patches
// re-coded as update copies, every level above rebuilt, a new update tag
// (the update's text; date-time 1 now in UTC, 2 the chart's previous one, 3
// the update's), the bounds and tag sections copied byte for byte. header
// and tiles are the chart's as read, previous its update tag. Progress (null:
// none) sees the copying and the making as two stages; a cancel stops with
// its code. A patch that leaves its tile gives 0x10015.
bool TCF2FileApplyUpdateV4(const CStr& chartName, const STCF2FileHeader& header,
                           const CTCF2TileTable& tiles, const CTCF2UpdateTag& previous,
                           CTCF2Update& update, const CZip* zip, const SProgress* progress,
                           uint32_t& error);

// Writes the 1.0.0.2 chart anew in its own version: the level-0 tiles copied
// (earlier update copies dropped; a tile without an alpha stream gains the
// opaque one), the tiles the update patches re-coded as update copies, the
// smaller tiles rebuilt, the tag area written again with an update tag of
// the update's text and date-time. Progress and errors as for version
// 2.0.0.0, with the tag area writer's errors.
bool TCF2FileMergeUpdateV3(const CStr& chartName, CTCF2MipmapTable& mipmap,
                           const CTCF2TileTable& tiles, CTCF2Tag& tag, CTCF2Bounds& bounds,
                           CTCF2Update& update, const CZip* zip, const SProgress* progress,
                           uint32_t& error);
