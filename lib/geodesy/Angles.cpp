#include "lib/geodesy/Angles.h"

#include <cmath>
#include <limits>

#include "lib/geodesy/PlaneHelpers.h"

namespace {

constexpr double kPiD = 3.14159265358979323846;
constexpr double kTwoPiD = 2 * kPiD;
constexpr float kPiF = 3.14159265f;
constexpr float kTwoPiF = 6.2831855f;
constexpr float kInvTwoPiF = 0.15915494f;

template <class T>
T Fold(T angle, T pi, T twoPi) {
  return angle >= pi ? angle - twoPi : angle;
}

// Past this many turns a turn count is meaningless (and would overflow), so
// the angle is reduced with fmod instead.
constexpr double kMaxTurns = 1 << 30;

template <class T>
int32_t SaturatedTurns(T quotient) {
  if (quotient >= kMaxTurns) return std::numeric_limits<int32_t>::max();
  if (quotient <= -kMaxTurns) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::floor(quotient));
}

template <class T>
void NormaliseT(T& angle, int32_t& turns, T base, T twoPi, T quotient) {
  turns = 0;
  if (!std::isfinite(angle - base)) return;
  const T top = base + twoPi;
  if (!(std::fabs(quotient) < kMaxTurns)) {
    T rest = std::fmod(angle - base, twoPi);
    if (rest < 0) rest += twoPi;
    turns = SaturatedTurns(quotient);
    angle = base + rest;
  } else {
    // Whole turns first, then at most a turn or two of rounding.
    turns = static_cast<int32_t>(quotient);
    angle -= turns * twoPi;
    for (int i = 0; i < 2 && angle < base; ++i, --turns) angle += twoPi;
    for (int i = 0; i < 2 && angle >= top; ++i, ++turns) angle -= twoPi;
  }
  // Near a huge base the interval may hold too few values to land in.
  if (angle < base || angle >= top) angle = base;
}

}  // namespace

float Atan2F(float y, float x) { return std::atan2(y, x); }
float AngleFromXYF(float y, float x) { return Fold(std::atan2(y, x), kPiF, kTwoPiF); }
double AngleFromXYD(double y, double x) { return Fold(std::atan2(y, x), kPiD, kTwoPiD); }
float VectorAngleF(const SPointF& v) { return AngleFromXYF(v.y, v.x); }
double VectorAngleD(const SPointD& v) { return AngleFromXYD(v.y, v.x); }

void SinCosF(float& sine, float& cosine, float angle) {
  sine = std::sin(angle);
  cosine = std::cos(angle);
}

void SinCos(double& sine, double& cosine, double angle) {
  sine = std::sin(angle);
  cosine = std::cos(angle);
}

void AngleNormaliseCountF(float& angle, int32_t& turns, float base) {
  NormaliseT(angle, turns, base, kTwoPiF, (angle - base) * kInvTwoPiF);
}

void AngleNormaliseCountD(double& angle, int32_t& turns, double base) {
  NormaliseT(angle, turns, base, kTwoPiD, (angle - base) / kTwoPiD);
}

void AngleNormaliseF(float& angle, float base) {
  int32_t turns;
  AngleNormaliseCountF(angle, turns, base);
}

void AngleNormaliseD(double& angle, double base) {
  int32_t turns;
  AngleNormaliseCountD(angle, turns, base);
}

double AngleBlendD(double angle0, double angle1, double num, double den) {
  double s0, c0, s1, c1;
  SinCos(s0, c0, angle0);
  SinCos(s1, c1, angle1);
  return AngleFromXYD(WeightedBlend(s0, s1, num, den), WeightedBlend(c0, c1, num, den));
}
