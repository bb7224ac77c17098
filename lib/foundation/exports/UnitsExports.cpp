// Units of measure. No exception reaches the host: a failed conversion gives
// NaN, an unknown text the code kUnitUnknown, a bad code a null string.
#include <cstdint>
#include <limits>
#include <new>

#include "lib/foundation/Abi.h"
#include "lib/foundation/Units.h"

namespace {

constexpr uint32_t kUnitUnknown = 0xFFFFFFFF;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <typename T>
void ConvertOrFillNaN(const T* source, T* destination, int32_t count, uint32_t from, uint32_t to) {
  try {
    ConvertUnits(source, destination, count, from, to);
  } catch (...) {
    for (int32_t i = 0; i < count; ++i) destination[i] = std::numeric_limits<T>::quiet_NaN();
  }
}

}  // namespace

TDEXPORT(void) UnitsInitialize() {
  try {
    InitUnits();
  } catch (...) {
  }
}

TDEXPORT(double) UnitConvert(double value, uint32_t from, uint32_t to) {
  try {
    return ConvertUnit(value, from, to);
  } catch (...) {
    return kNaN;
  }
}

TDEXPORT(void) UnitConvertD(const double* source, double* destination, int32_t count, uint32_t from,
                            uint32_t to) {
  ConvertOrFillNaN(source, destination, count, from, to);
}

TDEXPORT(void) UnitConvertF(const float* source, float* destination, int32_t count, uint32_t from,
                            uint32_t to) {
  ConvertOrFillNaN(source, destination, count, from, to);
}

TDEXPORT(uint32_t) StrToUnit(const CStr* text) {
  if (!text) return kUnitUnknown;
  try {
    return UnitFromText(*text);
  } catch (...) {
    return kUnitUnknown;
  }
}

TDEXPORT(CStr*) StrCreateFromUnit(uint32_t code) {
  try {
    return new (std::nothrow) CStr(UnitToStr(code));
  } catch (...) {
    return nullptr;
  }
}
