// The round-trip self-test of the waypoint-database file: a reference
// database that uses every stored field is saved to the file, read into a
// second manager and compared item by item. Host thread only.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

namespace td {

// True when the data came back equal and the file was deleted afterwards.
// False with *error set when a step failed (the file stays as it is), or
// with *error 0 when a comparison found a difference (the file stays).
// Nothing is thrown: an exception gives code 1.
bool ValidateWaypointDB(const CStr& fileName, uint32_t* error);

}  // namespace td
