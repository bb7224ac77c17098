#include "lib/bitmap/MapDecorations.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "lib/bitmap/PolygonRaster.h"
#include "lib/foundation/format/Convert.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/format/Units.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/PlaneHelpers.h"

namespace {

constexpr uint32_t kNeedleOutline = 0xC0000000, kNeedleDark = 0xC0000000, kNeedleLight = 0xC0FFFFFF;
constexpr uint32_t kHeadingLine = 0xFF0000FF, kCursorOutline = 0xFFFF0000, kCursorFill = 0x80FF4040;
constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;
constexpr uint32_t kBoxOutline = 0x80000000, kBoxFill = 0xA0FFFFFF;
constexpr COLORREF kLabelColour = 0x000000;  // GDI takes a COLORREF with top byte 0
constexpr int32_t kAlignLeftTop = 0, kAlignCentreTop = 3, kAlignRightTop = 6, kOneLine = 0;

// (u, v) turned by angle (clockwise from up) and moved to the position.
SPointD Turn(SPointD position, double angle, double u, double v) {
  const double s = std::sin(angle), c = std::cos(angle);
  return {position.x + u * c - v * s, position.y + v * c + u * s};
}

// A triangle of the needle, its fill prepared (all memory taken) before
// anything is drawn.
class CNeedleHalf {
 public:
  CNeedleHalf(CBmp32& bitmap, SPointD position, double angle, const SPointD (&shape)[3],
              uint32_t fill)
      : m_Bitmap(bitmap), m_Fill(bitmap) {
    for (int i = 0; i < 3; ++i) m_Points[i] = Turn(position, angle, shape[i].x, shape[i].y);
    m_Filled = m_Fill.Prepare(m_Points, 3, fill);
  }
  void Draw() {
    m_Bitmap.DrawPolyline(m_Points, 3, kNeedleOutline, 1);
    if (m_Filled) m_Fill.Draw();
  }

 private:
  CBmp32& m_Bitmap;
  SPointD m_Points[3];
  CPolygonRaster m_Fill;
  bool m_Filled;
};

// Decimals that state v exactly (up to 15), at least `minimum`.
int32_t DecimalsOf(double v, int32_t minimum) {
  for (int32_t d = minimum; d < 15; ++d) {
    const double scaled = v * std::pow(10.0, d);
    if (std::fabs(scaled - std::floor(scaled + 0.5)) <= 1e-9 * std::max(1.0, std::fabs(scaled)))
      return d;
  }
  return 15;
}

CStr Exact(double v, int32_t minimumDecimals) {
  return DoubleToStr(v, 5, DecimalsOf(v, minimumDecimals), UserFormatSettings());
}

// Whole numbers as integers, others with the decimals they need.
CStr WholeOrExact(double v) {
  const double whole = std::floor(v + 0.5);
  if (DecimalsOf(v, 0) == 0 && std::fabs(whole) < INT32_MAX)
    return IntToStr(static_cast<int32_t>(whole));
  return Exact(v, 1);
}

double UnitsPerPixel(double metresPerPixel, uint32_t unit) {
  if (unit == kUnitKilometre) return metresPerPixel;
  try {
    return ConvertUnit(metresPerPixel * 1000, kUnitMetre, unit);
  } catch (...) {  // no length unit
    return std::numeric_limits<double>::quiet_NaN();
  }
}

int32_t ToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

void DrawNeedle(CBmp32& bitmap, CGeodeticCalibration& calibration, SPointD position) {
  const double angle = calibration.GetNorthAngle(&position);
  const SPointD dark[3] = {{0, 15}, {0, -30}, {-10, 30}};
  const SPointD light[3] = {{0, 15}, {0, -30}, {10, 30}};
  CNeedleHalf left(bitmap, position, angle, dark, kNeedleDark);
  CNeedleHalf right(bitmap, position, angle, light, kNeedleLight);
  left.Draw();
  right.Draw();
}

void DrawGPSCursor(CBmp32& bitmap, CGeodeticCalibration& calibration, SPointD position,
                   float heading, const SPointD* shape, int32_t count, float size) {
  const double w = calibration.GetWidth(), h = calibration.GetHeight();
  if (!(position.x >= -0.5 && position.x < w - 0.5 && position.y >= -0.5 && position.y < h - 0.5))
    return;
  const double angle = calibration.GetNorthAngle(&position) + heading;
  const SPointD end = {position.x + 2000 * std::sin(angle), position.y - 2000 * std::cos(angle)};
  const int32_t symbol = shape ? std::max(count, 0) : 0;
  std::vector<SPointD> points(static_cast<size_t>(symbol));
  for (int32_t i = 0; i < symbol; ++i)
    points[i] = Turn(position, angle, shape[i].x * size, shape[i].y * size);
  CPolygonRaster fill(bitmap);
  const bool filled = fill.Prepare(points.data(), symbol, kCursorFill);
  bitmap.DrawLine(&position, &end, kHeadingLine, 1.0, 1);
  if (symbol == 0) return;
  bitmap.DrawPolyline(points.data(), symbol, kCursorOutline, 1);
  if (filled) fill.Draw();
}

bool LayoutScaleBar(int32_t x, double metresPerPixel, uint32_t unit, SScaleBar& bar) {
  InitUnits();
  const double u = UnitsPerPixel(metresPerPixel, unit);
  const double target = (190.0 - x - 6) * u * 0.75;
  if (!(target > 0 && std::isfinite(target))) return false;
  const double scale = std::pow(10.0, std::floor(std::log10(target)));
  bar.rounded = ScaleBarStep(target / scale, target, bar.segments);
  const double pixels = std::floor(bar.rounded / u + 0.5);
  if (!(pixels >= 0 && pixels < 1e15)) return false;
  bar.length = static_cast<int64_t>(pixels);
  const double r = bar.rounded;
  if (unit == kUnitKilometre && r < 10000) {
    bar.half = Exact(r / 2, 1);
    bar.full = Exact(r, 1);
    bar.full += " ";
    bar.full += UnitToStr(kUnitMetre);
  } else if (unit == kUnitKilometre) {
    bar.half = WholeOrExact(r / 2 * 0.001);
    bar.full = WholeOrExact(r * 0.001);
    bar.full += " ";
    bar.full += UnitToStr(kUnitKilometre);
  } else {
    bar.half = Exact(r / 1000 / 2, 1);
    bar.full = Exact(r / 1000, 1);
    bar.full += " ";
    bar.full += UnitToStr(unit);
  }
  return true;
}

void DrawScaleBar(CBmp32& bitmap, int32_t x, int32_t y, double metresPerPixel, uint32_t unit,
                  HFONT font) {
  SScaleBar bar;
  if (!LayoutScaleBar(x, metresPerPixel, unit, bar)) return;
  const int64_t b = bar.length, x0 = int64_t{x} + 3, xm = x0 + b / 2, xe = x0 + b;
  const double top = y;
  const CStr zero("0");
  const int32_t h = bitmap.MeasureText(zero, font).cy;
  const SRectD box = {double(x), top, double(x + 6 + b), top + 14 + h};
  bitmap.DrawRect(&box, kBoxOutline, kBoxFill, 1.0);
  for (auto [text, alignment] : {std::pair{&zero, kAlignLeftTop},
                                 {&bar.half, kAlignCentreTop},
                                 {&bar.full, kAlignRightTop}}) {
    RECT labels = {ToInt32(x0), ToInt32(int64_t{y} + 11), ToInt32(xe),
                   ToInt32(int64_t{y} + 11 + h)};
    bitmap.DrawText(text, &labels, font, kLabelColour, alignment, kOneLine);
  }
  const SRectD barRect = {double(x0), top + 3, double(xe), top + 8};
  bitmap.DrawRect(&barRect, kBlack, kWhite, 1.0);
  const SPointD ticks[3][2] = {{{double(x0), top + 8}, {double(x0), top + 11}},
                               {{double(xm), top + 3}, {double(xm), top + 11}},
                               {{double(xe), top + 8}, {double(xe), top + 11}}};
  for (const auto& tick : ticks) bitmap.DrawLine(&tick[0], &tick[1], kBlack, 1.0, 1);
  // The left half in 2n parts, black from the middle tick leftwards in
  // every other part.
  const int64_t n = bar.segments;
  for (int64_t part = n; part >= 1; part -= 2) {
    const SRectD black = {double(x0 + (part - 1) * b / (2 * n)) + 0.5, top + 3.5,
                          double(x0 + part * b / (2 * n)) + 0.5, top + 7.5};
    bitmap.DrawRect(&black, kBlack, kBlack, 0.0);
  }
}
