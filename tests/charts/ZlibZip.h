// The tests' compression callbacks over zlib, as a host would supply them:
// deflate at level 6 in one call, inflate in chunks.
#pragma once

#include <string>

#include "lib/foundation/streams/Zip.h"

// zlib's own deflate at level 6: the bytes a host's callback writes.
std::string Deflate(const std::string& raw);

// A CZip over the callbacks above; lives as long as the test program.
const CZip& TestZip();
