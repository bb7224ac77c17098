// Small numeric helpers shared by the drawing and geometry code.
#pragma once

#include <cstdint>

// Rounds a scale-bar length: mantissa m in (1, 10] of length L gives the
// rounded length (step / m) L and its segment count.
double ScaleBarStep(double mantissa, double length, int32_t& segments);
// w a + (1 - w) b with w = min(0.9, num / den).
double WeightedBlend(double a, double b, double num, double den);
void DivMod16(uint32_t dividend, uint16_t divisor, uint16_t& quotient, uint16_t& remainder);
void DivMod32(uint32_t dividend, uint32_t divisor, uint32_t& quotient, uint32_t& remainder);
double FloatToDouble(float value);
float SqrtF(float value);
float CeilF(float value);
int32_t FloorToIntF(float value);
int32_t CeilToIntF(float value);
