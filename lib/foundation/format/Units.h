// Units of measure: 21 physical quantities, SI units with decimal prefixes
// and a fixed set of non-SI units, named by 32-bit unit codes.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

// Unit code: quantity << 16 | unit. SI units carry kUnitSI and the prefix
// index (1..21, kPrefixNone = no prefix) in the low byte; non-SI units the
// index in their quantity's list.
constexpr uint32_t kUnitSI = 0x8000;
constexpr uint32_t kPrefixNone = 11;
constexpr int kQuantityCount = 21;
constexpr int kPrefixCount = 21;

constexpr uint32_t MakeSIUnit(uint32_t quantity, uint32_t prefix) {
  return quantity << 16 | kUnitSI | prefix;
}
constexpr uint32_t MakeNonSIUnit(uint32_t quantity, uint32_t index) {
  return quantity << 16 | index;
}

// Builds the table once and registers its clean-up; later calls do nothing.
void InitUnits();

// These throw CUnitConvertError for mismatched quantities, codes that name
// no unit, unknown texts, and when the table has not been built.
double ConvertUnit(double value, uint32_t from, uint32_t to);
// Element by element from the last to the first, so source and destination
// may be the same array.
void ConvertUnits(const double* source, double* destination, int32_t count, uint32_t from,
                  uint32_t to);
void ConvertUnits(const float* source, float* destination, int32_t count, uint32_t from,
                  uint32_t to);
uint32_t UnitFromText(const CStr& text);
CStr UnitToStr(uint32_t code);
double GetQuantityFactor(uint32_t from, uint32_t to);
