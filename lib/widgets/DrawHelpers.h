// Small drawing and text helpers the controls share. Toolkit thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>

#include "lib/foundation/text/Str.h"

class CBmp;
class CControl;
class CFontDesc;

// pw is the width of the pen selected in dc; pw / 2 keeps thick lines inside.
void DrawVLine(HDC dc, int32_t x, int32_t y, int32_t length, int32_t pw);
void DrawHLine(HDC dc, int32_t x, int32_t y, int32_t length, int32_t pw);
void DrawFrame(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t pw);
// A 1-pixel frame of width x height at the origin, filled; leaves dc's pen and brush as they were.
void DrawFilledFrame(HDC dc, int32_t width, int32_t height, COLORREF border, COLORREF fill);
// Only the left and top edges move in.
void DrawRoundFrame(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    int32_t ellipseWidth, int32_t ellipseHeight, int32_t pw);

// value limited to [low, high]; low wins when high < low.
double Clamp(double value, double low, double high);

// One operation on each control of a list, in order; a null control ends the
// list early.
using TControlList = std::initializer_list<CControl*>;
void SetHeights(int32_t height, TControlList controls);
void SetHittables(bool hittable, TControlList controls);
void SetTransparents(bool transparent, TControlList controls);
void SetVisibles(bool visible, TControlList controls);
// Labels only: text colour, then a repaint; other controls are skipped.
void SetTextColors(uint32_t colour, TControlList controls);

// The path when it fits maxWidth in the font on the canvas, else the first
// form that fits with leading folders replaced by "...", down to the bare name.
CStr ShortenPath(CBmp* canvas, const CStr& path, const CFontDesc* font, int32_t maxWidth);
