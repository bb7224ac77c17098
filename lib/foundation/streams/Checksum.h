// XOR checksums over memory blocks and the reversible text scrambler.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/text/Str.h"

// XOR of the little-endian words; the tail bytes go, in order, into the
// lowest bytes of the result.
uint32_t XorChecksum32(const void* data, size_t byteCount);
uint64_t XorChecksum64(const void* data, size_t byteCount);

// Byte i becomes data[i] XOR ((key + i + 1) mod 256): a rolling XOR that is
// its own inverse. The text scrambler and the chart files' sections use it.
void ScrambleBytes(uint32_t key, void* data, size_t byteCount);

// ScrambleBytes over the characters of a copy of text.
CStr StrScramble(uint32_t key, const CStr& text);
