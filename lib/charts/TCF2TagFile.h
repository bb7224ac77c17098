// The chart tag as the tag section of a version 2.0.0.0 chart file.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/foundation/Stream.h"

// Reads the tag section: nothing changes unless its checksum matches; then
// the tag is cleared and each field stored as it is read. Warning bits are
// ORed in; errors 0x70020, 0x70028, 0x70032 to 0x70035 stop at their field.
// A payload that ends early throws CStreamError.
bool TCF2FileReadTagV4(CStream& stream, const STCF2FileHeader& header, CTCF2Tag& tag,
                       uint32_t& warnings, uint32_t& error);
// The payload alone, from the stream's position, into the tag as it is.
bool TCF2TagReadPayload(CStream& payload, CTCF2Tag& tag, uint32_t& warnings, uint32_t& error);
// Writes the tag section at the stream's position; 0x70028 for a projection
// other than Mercator, transverse Mercator or RD, 0x70033 for a datum that is
// neither a table row nor made by shift or definition, 0x70034 for a kind
// other than 0..2. Nothing is written on those errors.
bool TCF2FileWriteTagV4(CStream& stream, CTCF2Tag& tag, uint32_t& error);
// The links: i32 count, then per link a type byte (0 or 1, else 0x70035)
// and two texts.
bool TCF2TagReadLinks(CStream& in, CTCF2Tag& tag, uint32_t& error);
void TCF2TagWriteLinks(CStream& out, CTCF2Tag& tag);
// The plain payload into the stream.
bool TCF2TagWritePayload(CStream& payload, CTCF2Tag& tag, uint32_t& error);
