// Angles in radians. "Folded" results lie in [-pi, pi).
#pragma once

#include <cstdint>

#include "lib/geodesy/PlaneTypes.h"

float Atan2F(float y, float x);
float AngleFromXYF(float y, float x);
double AngleFromXYD(double y, double x);
float VectorAngleF(const SPointF& v);
double VectorAngleD(const SPointD& v);
void SinCosF(float& sine, float& cosine, float angle);
void SinCos(double& sine, double& cosine, double angle);
// Brings the angle into [base, base + 2 pi) by whole turns; infinite and NaN
// angles stay as they are.
void AngleNormaliseF(float& angle, float base);
void AngleNormaliseD(double& angle, double base);
// The same, also giving the signed number of turns subtracted
// (angle_out = angle_in - turns 2 pi).
void AngleNormaliseCountF(float& angle, int32_t& turns, float base);
void AngleNormaliseCountD(double& angle, int32_t& turns, double base);
// Blend of two directions, the first weighted min(0.9, num / den).
double AngleBlendD(double angle0, double angle1, double num, double den);
