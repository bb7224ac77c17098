// Writes 32-bit pixels as an RGB PNG file through zlib.
#pragma once

#include <cstdint>
#include <string>

// pixels: height rows of width 0xAARRGGBB values, top-down; alpha is dropped
// (GDI leaves it 0). Returns false when the file cannot be written.
bool WritePng(const std::string& path, const uint32_t* pixels, int32_t width, int32_t height,
              int32_t stride);
