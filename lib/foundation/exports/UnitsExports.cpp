// Units of measure. No exception reaches the host: a failed conversion gives
// NaN, an unknown text the code kUnitUnknown, a bad code a null string.
#include "include/TdLib.h"
#include <cstdint>
#include <limits>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/format/Units.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

namespace {

constexpr uint32_t kUnitUnknown = 0xFFFFFFFF;

template <typename T>
void ConvertOrFillNaN(const T* source, T* destination, int32_t count, uint32_t from, uint32_t to) {
  try {
    ConvertUnits(source, destination, count, from, to);
  } catch (...) {
    for (int32_t i = 0; i < count; ++i) destination[i] = std::numeric_limits<T>::quiet_NaN();
  }
}

}  // namespace

TDEXPORT(void) UnitsInitialize() { td::GuardVoid([] { InitUnits(); }); }

TDEXPORT(double) UnitConvert(double value, uint32_t from, uint32_t to) {
  return td::Guard(std::numeric_limits<double>::quiet_NaN(),
                   [&] { return ConvertUnit(value, from, to); });
}

TDEXPORT(void) UnitConvertD(const double* source, double* destination, int32_t count, uint32_t from,
                            uint32_t to) {
  ConvertOrFillNaN(source, destination, count, from, to);
}

TDEXPORT(void) UnitConvertF(const float* source, float* destination, int32_t count, uint32_t from,
                            uint32_t to) {
  ConvertOrFillNaN(source, destination, count, from, to);
}

TDEXPORT(uint32_t) StrToUnit(const TdStr* text) {
  if (!text) return kUnitUnknown;
  return td::Guard(kUnitUnknown, [&] { return UnitFromText(*td::FromHost(text)); });
}

TDEXPORT(TdStr*) StrCreateFromUnit(uint32_t code) {
  return td::Guard<TdStr*>(nullptr, [&] { return td::ToHost(td::Create<CStr>(UnitToStr(code))); });
}
