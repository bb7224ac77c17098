// The scan-line converters: one row of pixels of one format written as a row
// of another. Palette entries are blue, green, red and a spare byte. A pair
// the library has no converter for throws a plain string: "ScanlineConvert_
// <source>_<destination>: Not implemented." for the missing ones and
// "Conversion not supported." for those no image needs. Any thread.
#pragma once

#include <cstdint>

using ScanlineConverter = void (*)(uint8_t* destination, const uint8_t* source,
                                   const uint8_t* palette, int32_t count);

// The converter of a pair, null when the pair throws (see CheckConversion).
ScanlineConverter FindScanlineConverter(int32_t sourceFormat, int32_t destinationFormat);
// Throws the pair's message when it has no converter.
void CheckConversion(int32_t sourceFormat, int32_t destinationFormat);
// Converts count pixels; throws for a pair without converter.
void ScanlineConvert(uint8_t* destination, const uint8_t* source, int32_t sourceFormat,
                     int32_t destinationFormat, const uint8_t* palette, int32_t count);
