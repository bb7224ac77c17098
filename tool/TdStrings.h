#pragma once
#include <cstdint>
#include <string>

// Mask bits: 1 bytes, 2 KB, 4 MB, 8 GB, 16 TB; 0 allows all units.
std::string FormatByteSize(unsigned unitMask, int decimals, bool showMinimum,
                           uint64_t size);

// Line breaks as the window controls want them: a lone "\r" or "\n" becomes
// "\r\n".
std::string AdjustLineBreaks(const std::string& text);

// Case-insensitive, with runs of digits compared by value ("COM2" < "COM10").
int NaturalCompareText(const std::string& a, const std::string& b);
