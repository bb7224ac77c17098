// The chart tag as the tag section of a version 2.0.0.0 chart file.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/geodesy/Datum.h"

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
// other than 0..2, 0x70020 for a calibration count other than 2 or 3.
// Nothing is written on those errors.
bool TCF2FileWriteTagV4(CStream& stream, CTCF2Tag& tag, uint32_t& error);
// The links: i32 count, then per link a type byte (0 or 1, else 0x70035)
// and two texts.
bool TCF2TagReadLinks(CStream& in, CTCF2Tag& tag, uint32_t& error);
void TCF2TagWriteLinks(CStream& out, CTCF2Tag& tag);
// GUID, identity number (above 0xFFFFF: warning 0x0002) and identity code
// (outside 0..47: warning 0x0004).
void TCF2TagReadIdNumbers(CStream& in, CTCF2Tag& tag, uint32_t& warnings);
// The kind as its stored byte 0, 1 or 3; 0x70034 for another byte or kind.
bool TCF2TagReadKind(CStream& in, CTCF2Tag& tag, uint32_t& error);
bool TCF2TagWriteKind(CStream& out, CTCF2Tag& tag, uint32_t& error);
// Seven datum parameters, then the ellipsoid's a and 1/f; null (nothing
// created) for values that make no datum.
const SGeodeticDatum* TCF2ReadDatumDefinition(CStream& in);
void TCF2WriteDatumDefinition(CStream& out, const SGeodeticDatum& datum);
// The plain payload into the stream.
bool TCF2TagWritePayload(CStream& payload, CTCF2Tag& tag, uint32_t& error);
