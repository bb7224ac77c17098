// Opens arbitrary bytes as a chart for display: the chart object reads and
// calibrates it, measures its coverage of its own view, answers containment
// and draws itself directly into a 64 x 64 view of its top-left corner.
// Bad files must end in an error code, a failed calibration or a stream
// exception from a tile; the sanitizers catch the rest.
#include "fuzz/ScratchFile.h"
#include "lib/charts/TCF2Chart.h"
#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Geodetics.h"

namespace {

constexpr int32_t kViewSide = 64;

// A 64 x 64 view at the chart's own scale, on its top-left pixels.
bool CornerView(CTCF2Chart& chart, CGeodeticCalibration& view) {
  CGeodeticCalibration& own = chart.GetCalibration();
  const SPointD p1{0, 0}, p2{kViewSide - 1.0, kViewSide - 1.0};
  SPointD m1, m2;
  own.PixToProj(&m1, &p1);
  own.PixToProj(&m2, &p2);
  return view.Calibrate2(&p1, &p2, &m1, &m2, kViewSide, kViewSide, own.GetRef()) <= 1;
}

void Exercise(CTCF2Chart& chart, CTCF2TileStore& store) {
  CGeodeticCalibration& own = chart.GetCalibration();
  SPointD centre;
  own.GetCentre(&centre);
  SGeo2D geo;
  own.PixToGeoWGS84(&geo, &centre);
  SPoint3D unit;
  GeoToGreatCirclePoint(unit, geo);
  double ratio, coverage, area;
  bool cut;
  chart.GetCoverage(unit, 1000, own, ratio, coverage, area, cut);
  chart.ContainsPoint(geo);
  chart.BoundsContainPixel(centre);
  chart.GetName();
  CGeodeticCalibration view;
  if (!CornerView(chart, view)) return;
  CBmp32 dest(kViewSide, kViewSide, false);
  bool placeholder = false;
  try {
    chart.Draw(store, dest, view, 1.0, 1, nullptr, true, placeholder);
  } catch (const CStreamError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tables = GeodeticTablesInitialize() != nullptr;
  static CTCF2TileStore store;
  (void)tables;
  uint32_t warnings = 0, error = 0;
  CTCF2Chart* chart = TCF2ChartCreate(WriteScratchFile("chart.tcf", data, size), warnings, error);
  if (chart != nullptr) {
    Exercise(*chart, store);
    chart->DeleteThis(1);
  }
  return 0;
}
