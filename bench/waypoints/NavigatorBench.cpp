// One position report of the GPS navigator (arrival check and every
// navigation value) on routes of 100 and of 65,535 points: the cost must not
// grow with the route. No peer library follows routes this way.
#include <benchmark/benchmark.h>

#include <memory>

#include "lib/gps/GpsClock.h"
#include "lib/waypoints/GpsNavigator.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointRoute.h"

namespace {

void NavigatorReport(benchmark::State& state) {
  CGPSClock clock;
  SWaypointManagerArgs args{
      reinterpret_cast<uintptr_t>(&clock),     nullptr, nullptr, 1, 16.0f, 16.0f, "Tahoma",
      {10, 1, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
  auto* manager = new CWaypointManager(args);
  {
    CGPSNavigator nav(manager, CStr("."));
    CWaypointRoute* route = manager->CreateRoute();
    uint32_t error = 0;
    const int32_t count = static_cast<int32_t>(state.range(0));
    for (int32_t i = 0; i < count; ++i) {
      SGeo2D p{i * 1e-5, 0.0};
      route->AddPointLatLon(&p, 10.0f, &error);
    }
    nav.SetRoute(route);
    SGeo3D here{-1e-5, 1e-6, 0.0};
    nav.SetValues(&here, true, false, 5.0f, true, false, 0.0f, true, false, &error);
    nav.StartRoute(&error);
    nav.SetTarget(count / 2);
    double step = 0;
    for (auto _ : state) {
      step = step == 0 ? 1e-7 : 0;
      SGeo3D p{here.lat + step, here.lon, 0.0};
      CGPSNavigator::PositionReport(&nav, &p, 1, 46000.0, &error);
      benchmark::DoNotOptimize(nav.CalcNavValues(CGPSNavigator::kNavAll));
    }
  }
  td::Free(manager);
}
BENCHMARK(NavigatorReport)->Arg(100)->Arg(65535);

}  // namespace
BENCHMARK_MAIN();
