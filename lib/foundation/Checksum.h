// XOR checksums over memory blocks and the reversible text scrambler.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/Str.h"

// XOR of the little-endian words; the tail bytes go, in order, into the
// lowest bytes of the result.
uint32_t XorChecksum32(const void* data, size_t byteCount);
uint64_t XorChecksum64(const void* data, size_t byteCount);

// Character i becomes text[i] XOR ((key + i + 1) mod 256); applying it twice
// with the same key gives the text back.
CStr StrScramble(uint32_t key, const CStr& text);
