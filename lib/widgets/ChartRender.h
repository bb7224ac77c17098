// The chart viewer's render step, free of the OS so that the benchmark drives
// the same code: the canvas filled with the background, then each visible
// chart drawn from the last entry to the first, so that the first ends on top.
// Runs on the thread that owns the viewer.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2TileStore.h"
#include "lib/foundation/containers/List.h"
#include "lib/geodesy/GeodeticCalibration.h"

// One chart that overlaps a view: the three results of CTCF2Chart::GetCoverage
// for the view, the chart (not owned), whether it is drawn, and the
// coverage's bounds flag.
struct SChartVisibility {
  double Zoom;          // view pixels per chart pixel, handed to CTCF2Chart::Draw
  double Coverage;      // fraction of the view's pixels the chart covers, at most 1
  double RelativeArea;  // the chart's area relative to the view's
  CTCF2Chart* Chart;
  uint8_t Visible;
  uint8_t BoundsCut;  // the view is fully covered but the chart's outline cuts it
};

using TChartVisibilityList = CList<SChartVisibility>;

// Fills canvas with background (0xAARRGGBB); with a view, draws every visible
// entry from the last to the first through the tile manager on behalf of the
// requester and window. Returns whether a placeholder stood in for a tile
// still loading. Lets the chart's drawing errors out.
bool RenderVisibleCharts(CTCF2TileStore& manager, CBmp32& canvas, CGeodeticCalibration* view,
                         const TChartVisibilityList& entries, uint32_t background,
                         uint16_t requester, TWindowHandle window);
