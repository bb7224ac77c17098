#include "lib/geodesy/PlaneHelpers.h"

#include <algorithm>
#include <cmath>

namespace {

struct SScaleStep {
  double maxMantissa;
  double step;
  int32_t segments;
};

constexpr SScaleStep kScaleSteps[] = {
    {1.5, 1.5, 3}, {2, 2, 4}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 3}, {8, 8, 4},
};

}  // namespace

double ScaleBarStep(double mantissa, double length, int32_t& segments) {
  double step = 10;
  segments = 5;
  for (const SScaleStep& s : kScaleSteps) {
    if (mantissa <= s.maxMantissa) {
      step = s.step;
      segments = s.segments;
      break;
    }
  }
  return step / mantissa * length;
}

double WeightedBlend(double a, double b, double num, double den) {
  const double w = std::min(0.9, num / den);
  return w * a + (1 - w) * b;
}

void DivMod16(uint32_t dividend, uint16_t divisor, uint16_t& quotient, uint16_t& remainder) {
  quotient = static_cast<uint16_t>(dividend / divisor);
  remainder = static_cast<uint16_t>(dividend % divisor);
}

void DivMod32(uint32_t dividend, uint32_t divisor, uint32_t& quotient, uint32_t& remainder) {
  quotient = dividend / divisor;
  remainder = dividend % divisor;
}

double FloatToDouble(float value) { return value; }
float SqrtF(float value) { return std::sqrt(value); }
float CeilF(float value) { return std::ceil(value); }
int32_t FloorToIntF(float value) { return static_cast<int32_t>(std::floor(value)); }
int32_t CeilToIntF(float value) { return static_cast<int32_t>(std::ceil(value)); }
