// The views the drawing benchmarks show of the benchmark chart, the warm-up
// that brings their tiles into the store before the timing, and the copy
// that is their floor.
#pragma once

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2TileStore.h"
#include "lib/geodesy/GeodeticCalibration.h"

namespace bench_charts {

constexpr int32_t kViewWidth = 1024, kViewHeight = 768;

// A view of kViewWidth x kViewHeight whose top-left pixel corner lies on
// chart pixel (3000, 3000), `step` chart pixels a view pixel, turned by
// angle: three corners, as the viewer makes its views (two points make no
// turned view).
inline bool MakeView(CTCF2Chart& chart, CGeodeticCalibration& view, double step, double angle) {
  CGeodeticCalibration& own = chart.GetCalibration();
  const double c = std::cos(angle) * step, s = std::sin(angle) * step;
  const auto onChart = [&](double x, double y) {
    SPointD proj;
    const SPointD pixel{3000 + x * c - y * s, 3000 + x * s + y * c};
    own.PixToProj(&proj, &pixel);
    return proj;
  };
  const SPointD p1{-0.5, -0.5}, p2{kViewWidth - 0.5, -0.5}, p3{kViewWidth - 0.5, kViewHeight - 0.5};
  const SPointD m1 = onChart(0, 0), m2 = onChart(kViewWidth, 0),
                m3 = onChart(kViewWidth, kViewHeight);
  return view.Calibrate3(&p1, &p2, &p3, &m1, &m2, &m3, kViewWidth, kViewHeight, own.GetRef()) <= 1;
}

// Draws (draw() answers whether it drew a placeholder for a tile still
// loading) and loads every tile the drawing queued, until a drawing queues
// none and draws no placeholder; whether the tiles became warm within a few
// rounds.
template <class TDraw>
bool WarmTiles(CTCF2TileStore& store, TDraw draw) {
  for (int round = 0; round < 4; ++round) {
    const bool placeholder = draw();
    bool queued = false;
    while (store.LoadNext()) queued = true;
    if (!queued && !placeholder) return store.GetLoadedCount() > 0;
  }
  return false;
}

// The physical floor of drawing `pixels` pixels: copying them with memcpy.
inline void CopyPixels(benchmark::State& state, size_t pixels) {
  std::vector<uint32_t> from(pixels, 0x12345678), to(pixels);
  for (auto _ : state) {
    benchmark::DoNotOptimize(from.data());
    std::memcpy(to.data(), from.data(), 4 * pixels);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace bench_charts
