// Whole-bitmap fills: the first row is filled, then the rows are copied from
// the block already filled, doubling it each time.
#pragma once

#include <cstdint>

// count 16-bit pixels, two per 32-bit store and the odd one alone.
void FillRowPairs(uint16_t* row, uint16_t colour, int32_t count) noexcept;
// Rows 1 .. height - 1 of a block of rows `stride` bytes apart from row 0.
void FillByDoubling(uint8_t* first, int32_t stride, int32_t height) noexcept;
