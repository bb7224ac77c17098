// The plain records of version 1.0.0.2 chart files: bounds, links, date
// text, datum record and the projection parameters. Free of state; any
// thread. Readers stop at their first error and leave what they stored so
// far; a record that ends early throws CStreamError. A datum record of the
// shift type validates the tag's calibration and throws CGeodeticsError
// (prefix "ReadDatum1_0_0_2") when it is faulty.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/geodesy/GeodeticRef.h"

// Stored projection codes of the 1.0.0.1 and 1.0.0.2 tag areas.
enum : uint8_t { kTCF2Proj1002Mercator = 0, kTCF2Proj1002RD = 1, kTCF2Proj1002TM = 2 };

// Clears the bounds and reads the vertices without a range check on the
// count; a vertex equal to the one before it ORs warning 0x0200 once.
void TCF2ReadBounds1002(CStream& in, CTCF2Bounds& bounds, uint32_t& warnings);
void TCF2WriteBounds1002(CStream& out, CTCF2Bounds& bounds);

// Links of type 0 or 1 with two plain texts; 0x70035 for another type.
bool TCF2ReadLinks1002(CStream& in, CTCF2Tag& tag, uint32_t& error);
void TCF2WriteLinks1002(CStream& out, CTCF2Tag& tag);

// Eight scrambled digits yyyymmdd. A text that is no valid date reads as 0
// and ORs `warning` into warnings.
double TCF2ReadDateText(CStream& in, uint32_t key, uint32_t warning, uint32_t& warnings);
void TCF2WriteDateText(CStream& out, uint32_t key, double date);

// Reads a datum record against the provisional reference; null with 0x70032
// (no such datum, or values that make none) or 0x70033 (unknown type).
const SGeodeticDatum* ReadDatum1_0_0_2(CStream& in, int32_t width, int32_t height, CTCF2Tag& tag,
                                       const SGeodeticRef& provisional, uint32_t& error);
// 0x70033 for a datum that is neither a table row nor made by shift or
// definition.
bool TCF2WriteDatum1002(CStream& out, const SGeodeticDatum* datum, uint32_t& error);

// Reads the parameters of the stored projection code and sets the tag's
// reference; the tag's calibration must already be set. 0x70028 for an
// unknown code.
bool TCF2ReadProjection1002(CStream& in, uint8_t code, int32_t width, int32_t height, CTCF2Tag& tag,
                            uint32_t& error);
// The projection's code byte into `code` and its parameters into out;
// 0x70028 for another projection.
bool TCF2WriteProjection1002(CStream& out, const SGeodeticRef& ref, uint32_t& error);
bool TCF2Projection1002Code(const SGeodeticRef& ref, uint8_t& code, uint32_t& error);
