#include "lib/foundation/format/Numeric.h"

#include <cmath>

int64_t FloorToInt64(double x) { return static_cast<int64_t>(std::floor(x)); }

int64_t CeilToInt64(double x) { return static_cast<int64_t>(std::ceil(x)); }

double FloatAbs(float x) { return std::fabs(static_cast<double>(x)); }

double FloorF(float x) { return std::floor(static_cast<double>(x)); }
