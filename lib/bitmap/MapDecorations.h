// The fixed decorations of a chart view drawn into a CBmp32: a compass
// needle pointing north, the simple GPS cursor and a scale bar. The view's
// pixels are described by a CGeodeticCalibration. Used on the thread that
// owns the bitmap; the font belongs to the caller, who keeps it alive for
// the call.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/PlaneTypes.h"

class CGeodeticCalibration;

constexpr uint32_t kUnitMetre = 0x0006800B;
constexpr uint32_t kUnitKilometre = 0x0006800E;

// A needle of two triangles, 60 pixels long, centred 7.5 pixels below
// `position`, turned to the calibration's north there: dark left half,
// light right half. Each decoration takes all the memory it needs before it
// draws: one that throws std::bad_alloc has drawn nothing.
void DrawNeedle(CBmp32& bitmap, CGeodeticCalibration& calibration, SPointD position);

// The position symbol `shape` (count points with the nose toward negative
// y, scaled by size) turned to heading (radians clockwise from north) plus
// the calibration's north, and a heading line 2000 pixels long. Nothing
// unless -0.5 <= x < width - 0.5 and -0.5 <= y < height - 0.5 of the
// calibration. Throws std::bad_alloc.
void DrawGPSCursor(CBmp32& bitmap, CGeodeticCalibration& calibration, SPointD position,
                   float heading, const SPointD* shape, int32_t count, float size);

// The scale bar's measures for a bar whose box starts at column x.
struct SScaleBar {
  double rounded;    // R: the bar's length in metres (kilometre code) or thousandths of the unit
  int32_t segments;  // n: 3, 4 or 5 parts on the bar's left half
  int64_t length;    // B: the bar's length in pixels
  CStr half, full;   // the labels of its middle and end, the end with its unit
};

// False when no bar fits: the target length is not positive and finite (x
// at 184 or beyond, metres per pixel not positive, a unit that is no
// length). Labels state their lengths exactly, with at least one decimal
// where the length is given in metres or another unit than the kilometre,
// in the user's format settings. Throws std::bad_alloc when the labels
// cannot be made (bar then partly filled).
bool LayoutScaleBar(int32_t x, double metresPerPixel, uint32_t unit, SScaleBar& bar);

// The scale bar with its box at (x, y): a white box, the labels "0", half
// and full, the bar with its ticks and black parts. Throws when the text
// cannot be measured or memory runs out.
void DrawScaleBar(CBmp32& bitmap, int32_t x, int32_t y, double metresPerPixel, uint32_t unit,
                  HFONT font);
