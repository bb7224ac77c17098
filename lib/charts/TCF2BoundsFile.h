// The bounds and the update tag as sections of a version 2.0.0.0 chart file.
// Nothing changes unless a section's checksum matches. A payload that ends
// early throws CStreamError.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2UpdateTag.h"
#include "lib/foundation/streams/Stream.h"

// Clears the bounds, then reads the vertices; a count below 0, 1 or 2 gives
// 0x70014 with the bounds left empty, a vertex equal to the one before it
// warning 0x0200.
bool TCF2FileReadBoundsV4(CStream& stream, const STCF2FileHeader& header, CTCF2Bounds& bounds,
                          uint32_t& warnings, uint32_t& error);
bool TCF2BoundsReadPayload(CStream& payload, CTCF2Bounds& bounds, uint32_t& warnings,
                           uint32_t& error);
// Vertices are snapped to the nearest pixel corner.
bool TCF2FileWriteBoundsV4(CStream& stream, CTCF2Bounds& bounds, uint32_t& error);
void TCF2BoundsWritePayload(CStream& payload, CTCF2Bounds& bounds);

// A date-time that is no valid date and time is stored as 0 with warning
// 0x1000, 0x2000 or 0x4000 for date-time 1, 2 or 3.
bool TCF2FileReadUpdateTagV4(CStream& stream, const STCF2FileHeader& header, CTCF2UpdateTag& tag,
                             uint32_t& warnings, uint32_t& error);
void TCF2UpdateTagReadPayload(CStream& payload, CTCF2UpdateTag& tag, uint32_t& warnings);
bool TCF2FileWriteUpdateTagV4(CStream& stream, CTCF2UpdateTag& tag, uint32_t& error);
void TCF2UpdateTagWritePayload(CStream& payload, CTCF2UpdateTag& tag);
