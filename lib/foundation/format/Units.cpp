#include "lib/foundation/format/Units.h"

#include <cmath>
#include <cstring>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/app/FinalizeRegistry.h"

namespace {

using UnitFunc = double (*)(double);

struct SNonSIUnit {
  const char* name;
  UnitFunc toSI;    // null for a plain factor
  UnitFunc fromSI;  // null for a plain factor
  double factor;    // one such unit in the SI unit of its quantity
};

struct SQuantity {
  const char* symbol;
  int32_t lengthExponent;  // raises prefix factors: 2 for area, 3 for volume
  CArray<SNonSIUnit> units;
};

SQuantity* g_quantities[kQuantityCount] = {};

struct SPrefix {
  const char* text;
  double factor;
};

// Index 0 is unused so that prefix codes index the table directly.
const SPrefix kPrefixes[kPrefixCount + 1] = {
    {"", 0.0},    {"y", 1e-24}, {"z", 1e-21},   {"a", 1e-18}, {"f", 1e-15},
    {"p", 1e-12}, {"n", 1e-9},  {"\xB5", 1e-6}, {"m", 1e-3},  {"c", 1e-2},
    {"d", 1e-1},  {"", 1.0},    {"da", 1e1},    {"h", 1e2},   {"k", 1e3},
    {"M", 1e6},   {"G", 1e9},   {"T", 1e12},    {"P", 1e15},  {"E", 1e18},
    {"Z", 1e21},  {"Y", 1e24}};

constexpr double kTwoPi = 6.283185307179586;
constexpr double kKelvinAtZeroCelsius = 273.15;

double CelsiusToKelvin(double v) { return v + kKelvinAtZeroCelsius; }
double KelvinToCelsius(double v) { return v - kKelvinAtZeroCelsius; }
double FahrenheitToKelvin(double v) { return (v + 459.67) * 0.5555555555555556; }
double KelvinToFahrenheit(double v) { return 1.8 * v - 459.67; }

// Middle of each Beaufort force's wind-speed band, in metres per second.
const double kBeaufortSpeeds[13] = {0.15, 0.95, 2.5,   4.45,  6.75, 9.4, 12.35,
                                    15.55, 19.0, 22.65, 26.5, 30.6, 35.0};
// Upper bound of forces 0..11, in metres per second.
const double kBeaufortBounds[12] = {0.3,  1.6,  3.4,  5.5,  8.0,  10.8,
                                    13.9, 17.2, 20.8, 24.5, 28.5, 32.7};

double BeaufortToSpeed(double v) {
  double force = std::floor(v + 0.5);
  if (!(force > 0.0)) return kBeaufortSpeeds[0];
  if (force >= 12.0) return kBeaufortSpeeds[12];
  return kBeaufortSpeeds[static_cast<int>(force)];
}

double SpeedToBeaufort(double v) {
  int force = 0;
  while (force < 12 && !(v < kBeaufortBounds[force])) ++force;
  return force;
}

struct SUnitDef {
  int quantity;
  const char* name;
  double factor;
  UnitFunc toSI;
  UnitFunc fromSI;
};

constexpr double kPi = 3.141592653589793;
constexpr double kInch = 0.0254;
constexpr double kFoot = 12 * kInch;
constexpr double kYard = kFoot * 3;
constexpr double kMile = kYard * 1760;
constexpr double kPound = 453.59237;

// Quantity by quantity, units in index order.
const SUnitDef kUnitDefs[] = {
    {0, "-", 1.0, nullptr, nullptr},
    {1, "min", 60, nullptr, nullptr},
    {1, "h", 3600, nullptr, nullptr},
    {1, "d", 86400, nullptr, nullptr},
    {1, "years", 31557600, nullptr, nullptr},
    {2, "rpm", 1.0 / 60, nullptr, nullptr},
    {3, "deg", kPi / 180, nullptr, nullptr},
    {4, "deg/s", kPi / 180, nullptr, nullptr},
    {6, "mil", 2.54e-5, nullptr, nullptr},
    {6, "in", kInch, nullptr, nullptr},
    {6, "ft", kFoot, nullptr, nullptr},
    {6, "yd", kYard, nullptr, nullptr},
    {6, "fath", kYard * 2, nullptr, nullptr},
    {6, "mile", kMile, nullptr, nullptr},
    {6, "nmile", 1852, nullptr, nullptr},
    {8, "ml", 1e-6, nullptr, nullptr},
    {8, "cl", 1e-5, nullptr, nullptr},
    {8, "dl", 1e-4, nullptr, nullptr},
    {8, "l", 1e-3, nullptr, nullptr},
    {8, "gal", 0.00378541, nullptr, nullptr},
    {9, "km/h", 1 / 3.6, nullptr, nullptr},
    {9, "mph", kMile / 3600, nullptr, nullptr},
    {9, "kn", 1852.0 / 3600, nullptr, nullptr},
    {9, "bft", 1.0, BeaufortToSpeed, SpeedToBeaufort},
    {11, "ton", 1e6, nullptr, nullptr},
    {11, "lb", kPound, nullptr, nullptr},
    {11, "US ton", 907184.74, nullptr, nullptr},
    {11, "UK ton", 2240 * kPound, nullptr, nullptr},
    {12, "lbf", 4.44822, nullptr, nullptr},
    {14, "mbar", 100, nullptr, nullptr},
    {14, "bar", 100000, nullptr, nullptr},
    {14, "mmHg", 133.322, nullptr, nullptr},
    {14, "psi", 6894.76, nullptr, nullptr},
    {15, "kWh", 3600000, nullptr, nullptr},
    {15, "cal", 4.1868, nullptr, nullptr},
    {15, "kcal", 4186.8, nullptr, nullptr},
    {17, "\xB0" "C", 1.0, CelsiusToKelvin, KelvinToCelsius},
    {17, "\xB0" "F", 1.0, FahrenheitToKelvin, KelvinToFahrenheit},
};

struct SQuantityDef {
  const char* symbol;
  int32_t lengthExponent;
};

const SQuantityDef kQuantityDefs[kQuantityCount] = {
    {"", 1},      {"s", 1},        {"Hz", 1},  {"rad", 1}, {"rad/s", 1},
    {"rad/s\xB2", 1}, {"m", 1},    {"m\xB2", 2}, {"m\xB3", 3}, {"m/s", 1},
    {"m/s\xB2", 1}, {"g", 1},      {"N", 1},   {"Nm", 1},  {"Pa", 1},
    {"J", 1},     {"W", 1},        {"K", 1},   {"A", 1},   {"V", 1},
    {"Ohm", 1}};

void FreeUnits() {
  for (int q = kQuantityCount - 1; q >= 0; --q) {
    delete g_quantities[q];
    g_quantities[q] = nullptr;
  }
}

[[noreturn]] void ThrowUnitError(const CStr& message) {
  throw CUnitConvertError(message);
}

void RequireTable() {
  if (!g_quantities[0]) ThrowUnitError("UnitConvert: Units are not initialized.");
}

const SQuantity& QuantityOf(uint32_t code) {
  RequireTable();
  uint32_t quantity = code >> 16;
  if (quantity >= kQuantityCount) ThrowUnitError("UnitConvert: Invalid unit code.");
  return *g_quantities[quantity];
}

// Host-supplied codes are checked, so a bad code is an error, not a read
// outside the tables.
const SPrefix& PrefixOf(uint32_t code) {
  uint32_t prefix = code & 0x7FFF;
  if (prefix < 1 || prefix > kPrefixCount) ThrowUnitError("UnitConvert: Invalid unit code.");
  return kPrefixes[prefix];
}

const SNonSIUnit& NonSIUnitOf(const SQuantity& quantity, uint32_t code) {
  uint32_t index = code & 0xFFFF;
  if (index >= static_cast<uint32_t>(quantity.units.GetCount()))
    ThrowUnitError("UnitConvert: Invalid unit code.");
  return quantity.units[index];
}

double PrefixPower(double factor, int32_t exponent) {
  double result = factor;
  for (int32_t i = 1; i < exponent; ++i) result *= factor;
  return result;
}

// One side of a conversion: a function, or a factor when the function is null.
struct SSide {
  UnitFunc func;
  double factor;
};

SSide FromSide(uint32_t code) {
  const SQuantity& quantity = QuantityOf(code);
  if (code & kUnitSI) return {nullptr, PrefixPower(PrefixOf(code).factor, quantity.lengthExponent)};
  const SNonSIUnit& unit = NonSIUnitOf(quantity, code);
  return {unit.toSI, unit.factor};
}

SSide ToSide(uint32_t code) {
  const SQuantity& quantity = QuantityOf(code);
  if (code & kUnitSI)
    return {nullptr, PrefixPower(1.0 / PrefixOf(code).factor, quantity.lengthExponent)};
  const SNonSIUnit& unit = NonSIUnitOf(quantity, code);
  return {unit.fromSI, 1.0 / unit.factor};
}

struct SConversion {
  SSide from;
  double quantityFactor;
  SSide to;

  double Apply(double value) const {
    double v = from.func ? from.func(value) : value * from.factor;
    v *= quantityFactor;
    return to.func ? to.func(v) : v * to.factor;
  }
  bool IsLinear() const { return !from.func && !to.func; }
  double LinearFactor() const { return from.factor * quantityFactor * to.factor; }
};

SConversion MakeConversion(uint32_t from, uint32_t to) {
  double q = GetQuantityFactor(from, to);  // first, so a mismatch converts nothing
  SSide fromSide = FromSide(from);
  return {fromSide, q, ToSide(to)};
}

template <typename T>
void ConvertArray(const T* source, T* destination, int32_t count, uint32_t from, uint32_t to) {
  SConversion conversion = MakeConversion(from, to);
  if (conversion.IsLinear()) {
    double k = conversion.LinearFactor();
    for (int32_t i = count - 1; i >= 0; --i) destination[i] = static_cast<T>(k * source[i]);
    return;
  }
  for (int32_t i = count - 1; i >= 0; --i)
    destination[i] = static_cast<T>(conversion.Apply(source[i]));
}

bool StartsWith(const CStr& text, const char* prefix) {
  size_t n = std::strlen(prefix);
  return static_cast<size_t>(text.GetLength()) >= n && std::memcmp(text.c_str(), prefix, n) == 0;
}

}  // namespace

void InitUnits() {
  if (g_quantities[0]) return;
  AddFinalizeProc(FreeUnits);
  // Quantity 0 is published last: until then the table counts as not built.
  for (int q = kQuantityCount - 1; q >= 0; --q) {
    auto* quantity = new SQuantity{kQuantityDefs[q].symbol, kQuantityDefs[q].lengthExponent, {}};
    g_quantities[q] = quantity;
    for (const SUnitDef& def : kUnitDefs) {
      if (def.quantity == q) quantity->units.Add(SNonSIUnit{def.name, def.toSI, def.fromSI, def.factor});
    }
  }
}

double GetQuantityFactor(uint32_t from, uint32_t to) {
  uint32_t qFrom = from >> 16;
  uint32_t qTo = to >> 16;
  if (qFrom == qTo) return 1.0;
  if (qFrom == 2 && qTo == 4) return kTwoPi;
  if (qFrom == 4 && qTo == 2) return 0.15915494309189535;
  ThrowUnitError("GetQuantityFactor: Quantities do not match.");
}

double ConvertUnit(double value, uint32_t from, uint32_t to) {
  return MakeConversion(from, to).Apply(value);
}

void ConvertUnits(const double* source, double* destination, int32_t count, uint32_t from,
                  uint32_t to) {
  ConvertArray(source, destination, count, from, to);
}

void ConvertUnits(const float* source, float* destination, int32_t count, uint32_t from,
                  uint32_t to) {
  ConvertArray(source, destination, count, from, to);
}

uint32_t UnitFromText(const CStr& text) {
  RequireTable();
  for (uint32_t p = 1; p <= kPrefixCount; ++p) {
    if (!StartsWith(text, kPrefixes[p].text)) continue;
    const char* rest = text.c_str() + std::strlen(kPrefixes[p].text);
    for (uint32_t q = kQuantityCount - 1; q >= 1; --q) {
      if (std::strcmp(rest, g_quantities[q]->symbol) == 0) return MakeSIUnit(q, p);
    }
  }
  for (uint32_t q = 0; q < kQuantityCount; ++q) {
    const CArray<SNonSIUnit>& units = g_quantities[q]->units;
    for (int32_t i = units.GetCount() - 1; i >= 0; --i) {
      if (text == units[i].name) return MakeNonSIUnit(q, static_cast<uint32_t>(i));
    }
  }
  ThrowUnitError(CStr("Unknown unit \"") + text + "\".");
}

CStr UnitToStr(uint32_t code) {
  const SQuantity& quantity = QuantityOf(code);
  if (code & kUnitSI) return CStr(PrefixOf(code).text) + quantity.symbol;
  return CStr(NonSIUnitOf(quantity, code).name);
}
