// What the kit is for, in one run: a generated chart image of known
// calibration (2 m a pixel on the RD grid) becomes a chart file through the
// library's writer, is read back through the exports as a host would, and is
// shown 1024 x 768 by the toolkit's chart viewer, its tiles loaded by the tile
// manager's thread: once north-up, once turned by 30 degrees. Each view is
// written as a PNG file, with the time a frame takes.
//   chart_viewer_demo OUTPUT_FOLDER
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2TileManager.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/widgets/ChartViewer.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/Window.h"
#include "tests/charts/ChartFileWriter.h"
#include "tests/widgets/demo/DemoHostCheck.h"
#include "tests/widgets/gallery/PngFile.h"

namespace {

constexpr int32_t kImageWidth = 3072, kImageHeight = 2048;
constexpr double kMetresPerPixel = 2;
constexpr double kOriginE = 150000, kOriginN = 466000;  // RD position of pixel (0, 0)
constexpr int32_t kScreenWidth = 1024, kScreenHeight = 768;
constexpr int kTimedFrames = 20;

// One level of the image, top-down rows of 0xAARRGGBB.
struct SRaster {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// A chart-like picture of the RD position (e, n): sea shaded by depth with a
// depth contour, land with its coastline, and a kilometre grid.
uint32_t ChartColour(double e, double n) {
  const double s = std::sin(e / 700) * std::cos(n / 900) + 0.6 * std::sin((e + n) / 1300) +
                   0.3 * std::cos((e - 2 * n) / 500);
  const double gridE = std::fabs(std::remainder(e, 1000)),
               gridN = std::fabs(std::remainder(n, 1000));
  if (gridE < 1.5 || gridN < 1.5) return 0xFF8A6FA8;
  if (std::fabs(s - 0.45) < 0.012) return 0xFF202020;
  if (s > 0.45) return 0xFFF2E3A5;
  if (std::fabs(s + 0.2) < 0.01) return 0xFF3C6EB4;
  return s > -0.2 ? 0xFFC4E2F5 : 0xFF93C3E8;
}

SRaster GenerateImage() {
  SRaster r{kImageWidth, kImageHeight, {}};
  r.pixels.resize(size_t(r.width) * r.height);
  for (int32_t y = 0; y < r.height; ++y)
    for (int32_t x = 0; x < r.width; ++x)
      r.pixels[size_t(y) * r.width + x] =
          ChartColour(kOriginE + x * kMetresPerPixel, kOriginN - y * kMetresPerPixel);
  return r;
}

// The next level: each pixel the mean of up to four.
SRaster Halve(const SRaster& from) {
  SRaster r{(from.width + 1) / 2, (from.height + 1) / 2, {}};
  r.pixels.resize(size_t(r.width) * r.height);
  for (int32_t y = 0; y < r.height; ++y)
    for (int32_t x = 0; x < r.width; ++x) {
      uint32_t sum[4] = {}, count = 0;
      for (int32_t dy = 0; dy < 2; ++dy)
        for (int32_t dx = 0; dx < 2; ++dx) {
          const int32_t sx = 2 * x + dx, sy = 2 * y + dy;
          if (sx >= from.width || sy >= from.height) continue;
          const uint32_t p = from.pixels[size_t(sy) * from.width + sx];
          for (int c = 0; c < 4; ++c) sum[c] += p >> (8 * c) & 0xFF;
          ++count;
        }
      uint32_t p = 0;
      for (int c = 0; c < 4; ++c) p |= (sum[c] + count / 2) / count << (8 * c);
      r.pixels[size_t(y) * r.width + x] = p;
    }
  return r;
}

// Writes the chart file: every tile of every level cut from its image.
bool WriteChart(const std::string& path) {
  std::vector<SRaster> levels{GenerateImage()};
  const int32_t count = TCF2FileAutoLevelCount(kImageWidth, kImageHeight);
  while (int32_t(levels.size()) < count) levels.push_back(Halve(levels.back()));
  SChartFileLayout layout;
  layout.width = kImageWidth;
  layout.height = kImageHeight;
  layout.pix[1] = {kImageWidth, kImageHeight};
  layout.map[0] = {kOriginE, kOriginN};
  layout.map[1] = {kOriginE + kImageWidth * kMetresPerPixel,
                   kOriginN - kImageHeight * kMetresPerPixel};
  layout.text1 = "Generated chart";
  layout.text2 = "Known calibration, 2 m a pixel";
  const auto cut = [&levels](const SChartTileArea& area, uint32_t* pixels) {
    const SRaster& r = levels[size_t(area.level)];
    for (uint32_t y = 0; y < area.height; ++y)
      for (uint32_t x = 0; x < area.width; ++x)
        pixels[size_t(y) * area.width + x] = r.pixels[size_t(area.y + y) * r.width + area.x + x];
  };
  return CChartFileWriter(layout, cut).Write(CStr(path.c_str()));
}

bool CheckAsHost(const std::string& path) {
  const SDemoChartFacts f = DemoReadChartAsHost(path.c_str());
  std::printf(
      "Read back through TCF2FileRead: error %u, version 0x%08X, %u x %u pixels, %u levels,\n"
      "  calibration pixel (%g, %g) at RD (%g, %g), pixel (%g, %g) at RD (%g, %g)\n",
      f.Error, f.Version, f.Width, f.Height, f.Levels, f.Pix[0][0], f.Pix[0][1], f.Map[0][0],
      f.Map[0][1], f.Pix[1][0], f.Pix[1][1], f.Map[1][0], f.Map[1][1]);
  return f.Error == 0 && f.Width == uint32_t(kImageWidth) && f.Height == uint32_t(kImageHeight) &&
         f.CalibrationPoints == 2 && f.Map[0][0] == kOriginE && f.Map[0][1] == kOriginN &&
         f.Map[1][0] == kOriginE + kImageWidth * kMetresPerPixel;
}

void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  } while (int32_t(end - GetTickCount()) > 0);
}

// Lets the loader thread bring every tile of the view (its 0x2700 messages
// repaint the viewer), then draws once more; whether nothing is missing.
bool WaitForTiles(CTCF2ChartViewer& viewer, CTCF2TileManager& manager) {
  for (int round = 0; round < 400; ++round) {
    viewer.InvalidateView();
    viewer.RepaintNow();
    if (!viewer.TilesMissing && round > 0 && manager.GetQueuedCount() == 0 && !manager.HasWork())
      return true;
    PumpFor(25);
  }
  return false;
}

double MillisecondsPerFrame(CTCF2ChartViewer& viewer) {
  LARGE_INTEGER start, end, rate;
  QueryPerformanceFrequency(&rate);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kTimedFrames; ++i) {
    viewer.InvalidateView();
    viewer.RepaintNow();
  }
  QueryPerformanceCounter(&end);
  return 1000.0 * double(end.QuadPart - start.QuadPart) / double(rate.QuadPart) / kTimedFrames;
}

bool ShowView(CTCF2ChartViewer& viewer, CTCF2TileManager& manager, const std::string& path) {
  if (!WaitForTiles(viewer, manager)) {
    std::printf("FAILED: tiles did not arrive for %s\n", path.c_str());
    return false;
  }
  const double ms = MillisecondsPerFrame(viewer);
  CBmp32* screen = GetScreenBackBuffer();
  const bool ok = WritePng(path, screen->Row(0), kScreenWidth, kScreenHeight, screen->Stride() / 4);
  std::printf("%s %s (%d x %d, %.2f ms per frame: render, copy and show)\n",
              ok ? "wrote" : "FAILED", path.c_str(), kScreenWidth, kScreenHeight, ms);
  return ok;
}

int Run(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  GeodeticTablesInitialize();
  const std::string chartPath = folder + "\\generated_chart.tcf";
  if (!WriteChart(chartPath)) {
    std::printf("FAILED: writing %s\n", chartPath.c_str());
    return 1;
  }
  std::printf("Wrote the chart file %s (%d x %d pixels, 2 m a pixel on the RD grid)\n",
              chartPath.c_str(), kImageWidth, kImageHeight);
  if (!CheckAsHost(chartPath)) {
    std::printf("FAILED: the chart file does not read back as written\n");
    return 1;
  }
  uint32_t warnings = 0, error = 0;
  CTCF2Chart* chart = TCF2ChartCreate(CStr(chartPath.c_str()), warnings, error);
  if (chart == nullptr) {
    std::printf("FAILED: opening the chart, error 0x%X\n", error);
    return 1;
  }
  bool ok = true;
  {
    CTCF2TileManager manager("Tile loader", SCallback{});
    CWindow window("Chart viewer", nullptr);
    auto* viewer = new CTCF2ChartViewer(&window, &manager);
    viewer->SetBounds(0, 0, kScreenWidth, kScreenHeight);
    viewer->AddChart(chart);
    viewer->FitChart(chart);
    viewer->ZoomAt(double(kScreenWidth) / kImageWidth, viewer->CentrePix, true);  // all of it
    window.Show();
    ok = ShowView(*viewer, manager, folder + "\\chart_north_up.png");
    viewer->ZoomAt(1.5, viewer->CentrePix, true);  // level 1
    viewer->SetRotation(std::acos(-1.0) / 6);
    ok = ShowView(*viewer, manager, folder + "\\chart_turned_30.png") && ok;
    viewer->RemoveAllCharts();
    viewer->DetachFromTileManager();
  }
  chart->DeleteThis(1);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: chart_viewer_demo OUTPUT_FOLDER\n");
    return 2;
  }
  CScreenInfo screen(kScreenWidth, kScreenHeight, 96);
  g_ScreenInfo = &screen;
  int result = 1;
  try {
    result = Run(argv[1]);
  } catch (const std::exception& e) {
    std::printf("FAILED: %s\n", e.what());
  }
  g_ScreenInfo = nullptr;
  if (result == 0) std::printf("The chart viewer demo ran to its end.\n");
  return result;
}
