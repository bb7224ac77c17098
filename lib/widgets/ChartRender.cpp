#include "lib/widgets/ChartRender.h"

bool RenderVisibleCharts(CTCF2TileStore& manager, CBmp32& canvas, CGeodeticCalibration* view,
                         const TChartVisibilityList& entries, uint32_t background,
                         uint16_t requester, TWindowHandle window) {
  canvas.Fill(background);
  bool placeholderUsed = false;
  if (view == nullptr) return false;
  for (int32_t i = entries.GetCount() - 1; i >= 0; --i) {
    SChartVisibility& entry = *entries[i];
    if (!entry.Visible) continue;
    entry.Chart->Draw(manager, canvas, *view, entry.Zoom, requester, window, false,
                      placeholderUsed);
  }
  return placeholderUsed;
}
