// The chart viewer's whole frame on the 16,384 x 16,384 benchmark chart, as
// its render and paint steps do it: the back buffer filled with the
// background, two overlapping charts drawn from warm tiles (the last visible
// entry first), then the 1024 x 768 back buffer copied into the screen
// buffer (CBmp32::Draw, mode 0). Axis-parallel at level 0, at a zoom that
// picks level 1, and turned by 30 degrees; beside a memcpy of the same 3 MiB
// frame as the physical floor.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/charts/BenchChartFiles.h"
#include "bench/charts/BenchViews.h"
#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2TileStore.h"
#include "lib/widgets/ChartRender.h"

namespace {

using namespace bench_charts;

constexpr uint32_t kBackground = 0xFF808080;
constexpr uint16_t kRequester = 1;

struct SChartFree {
  void operator()(CTCF2Chart* chart) const { chart->DeleteThis(1); }
};
using TChart = std::unique_ptr<CTCF2Chart, SChartFree>;

// The second chart: the same file placed 700 x 500 chart pixels further on,
// so that it covers most of the view over the first.
void PlaceSecond(CTCF2Chart& first, CTCF2Chart& second) {
  CGeodeticCalibration& own = first.GetCalibration();
  const SPointD a{0, 0}, b{10000, 10000}, a2{700, 500}, b2{10700, 10500};
  SPointD ma, mb;
  own.PixToProj(&ma, &a);
  own.PixToProj(&mb, &b);
  second.Calibrate(2, a2, b2, b2, ma, mb, mb, *own.GetRef());
}

// The fraction of the frame the charts cover.
double Covered(const CBmp32& frame) {
  int64_t covered = 0;
  for (int32_t y = 0; y < frame.Height(); ++y)
    for (int32_t x = 0; x < frame.Width(); ++x) covered += frame.Row(y)[x] != kBackground;
  return double(covered) / double(frame.PixelCount());
}

void Frame(benchmark::State& state, double step, double angle) {
  uint32_t warnings = 0, error = 0;
  TChart first(TCF2ChartCreate(Files().chart.c_str(), warnings, error));
  TChart second(TCF2ChartCreate(Files().chart.c_str(), warnings, error));
  if (!first || !second) return state.SkipWithError("open failed");
  PlaceSecond(*first, *second);
  CGeodeticCalibration view;
  if (!MakeView(*first, view, step, angle)) return state.SkipWithError("view failed");
  TChartVisibilityList entries(true);
  for (CTCF2Chart* chart : {first.get(), second.get()})
    entries.Add(new SChartVisibility{1 / step, 1, 1, chart, true, false});
  CTCF2TileStore store;
  CBmp32 backBuffer(kViewWidth, kViewHeight, false), screen(kViewWidth, kViewHeight, false);
  const SRectD all = backBuffer.PixBounds();
  const auto frame = [&] {
    const bool placeholder =
        RenderVisibleCharts(store, backBuffer, &view, entries, kBackground, kRequester, nullptr);
    backBuffer.Draw(screen, all, all, bmCopy);
    return placeholder;
  };
  if (!WarmTiles(store, frame)) return state.SkipWithError("tiles not warm");
  for (auto _ : state) {
    frame();
    benchmark::DoNotOptimize(screen.Pixels());
    benchmark::ClobberMemory();
  }
  state.counters["tiles"] = store.GetLoadedCount();
  state.counters["fill"] = Covered(backBuffer);
}

void ViewerFrameLevel0(benchmark::State& state) { Frame(state, 1, 0); }
BENCHMARK(ViewerFrameLevel0)->Unit(benchmark::kMillisecond);

void ViewerFrameLevel1(benchmark::State& state) { Frame(state, 2, 0); }
BENCHMARK(ViewerFrameLevel1)->Unit(benchmark::kMillisecond);

void ViewerFrameTurned30(benchmark::State& state) { Frame(state, 1, std::acos(-1.0) / 6); }
BENCHMARK(ViewerFrameTurned30)->Unit(benchmark::kMillisecond);

void CopyFrame(benchmark::State& state) { CopyPixels(state, kViewWidth * kViewHeight); }
BENCHMARK(CopyFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
