// The .bmp writer: a pixel buffer written as a .bmp file with a 40-byte info
// header, uncompressed or RLE8, rows bottom-up. Any thread, on a stream of
// its own; the buffer must not change meanwhile.
#pragma once

#include <cstdint>

#include "lib/bitmap/ImageHeaders.h"

// Writes the pixels that source describes (rows placed as the readers place
// them) as a file of the given pixel format; palette (1024 bytes, null: all
// black) for formats of up to 8 bits; coding rcNone or rcRle8 (8-bit files
// only). False with the stream's code. Throws a plain string for what a .bmp
// cannot hold: "pfR5G6B5 is not supported by a .bmp file.", "RLE4 not
// implemented.", "Unsupported bitmap compression.", and the converters'
// messages when the pixels cannot become that format; std::bad_alloc when
// memory runs out. After a throw the stream may hold the start of the file:
// callers write to a file that replaces the old one only when complete.
bool WriteBmp(CStream& stream, const void* pixels, const SPixelBufferDesc& source, int32_t format,
              const uint8_t* palette, int32_t coding, const SImageProgress* progress,
              uint32_t& error);
