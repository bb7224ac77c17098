// The chart viewer's scene: a chart of coloured tiles, zoomed out, turned and
// outlined around the pointer's chart.
#include <windows.h>

#include <fstream>
#include <string>

#include "lib/charts/TCF2Chart.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/widgets/ChartViewer.h"
#include "lib/widgets/Window.h"
#include "tests/charts/TiledChartBuilder.h"

namespace {

// A 768 x 512 chart of 1 m a pixel: six level-0 tiles in a colour wheel.
CTCF2Chart* GalleryChart() {
  static const uint32_t kColours[] = {0xE05050, 0xE0B040, 0x60C060, 0x40B0E0, 0x6060E0, 0xC060C0};
  STiledChart layout;
  layout.width = 768;
  layout.height = 512;
  layout.levels = 3;
  layout.colour = [](uint32_t n) { return kColours[n % 6]; };
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "tdlib_gallery_chart.tcf";
  const std::vector<uint8_t> bytes = TiledChartFile(layout);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  GeodeticTablesInitialize();
  uint32_t warnings = 0, error = 0;
  return TCF2ChartCreate(path.c_str(), warnings, error);
}

}  // namespace

void ChartViewerScene(CWindow& window, CFontDesc&) {
  // Both outlive every window of the gallery.
  static CTCF2TileStore store;
  static CTCF2Chart* chart = GalleryChart();
  if (chart == nullptr) return;
  auto* viewer = new CTCF2ChartViewer(&window, &store);
  viewer->SetBounds(4, 22, window.GetWidth() - 8, window.GetHeight() - 26);
  viewer->AddChart(chart);
  viewer->FitChart(chart);
  viewer->ZoomAt(0.35, viewer->CentrePix, true);
  viewer->SetRotation(0.35);
  viewer->SetShowBounds(true);
  viewer->MouseMove(int32_t(viewer->CentrePix.x), int32_t(viewer->CentrePix.y));
  // The tiles of this view are asked for and loaded before the first paint.
  CBmp32 scratch(viewer->GetWidth(), viewer->GetHeight(), false);
  RenderVisibleCharts(store, scratch, viewer->View, viewer->VisibleCharts, 0, viewer->InstanceBit,
                      nullptr);
  while (store.LoadNext()) {
  }
}
