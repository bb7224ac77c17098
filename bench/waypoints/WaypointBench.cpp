// The waypoint model at scale: each benchmark runs at n and 10 n items, so
// that the ratio of the two shows whether the cost grows linearly. There is
// no peer library of this model to run beside it.
#include <benchmark/benchmark.h>

#include <vector>

#include "lib/foundation/text/Language.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

CWaypointManager* NewManager() {
  SetLanguage(kLangEnglish);
  SWaypointManagerArgs args{
      0, nullptr, nullptr, 0, 0, 0, "Arial", {10, 0, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
  return new CWaypointManager(args);
}

SGeo3D Spread(int64_t i) { return SGeo3D{(i % 1000) * 1e-5, (i / 1000) * 1e-5, 0.0}; }

void AddThenDeleteWaypoints(benchmark::State& state) {
  for (auto _ : state) {
    CWaypointManager* manager = NewManager();
    CStr name("Bench");
    CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
    std::vector<CWaypoint*> added;
    for (int64_t i = 0; i < state.range(0); ++i) {
      SGeo3D p = Spread(i);
      added.push_back(db->AddWaypoint(&p, nullptr));
    }
    uint32_t error;
    for (CWaypoint* w : added) w->Delete(&error);
    benchmark::DoNotOptimize(manager->GetWaypointCount());
    td::Free(manager);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(AddThenDeleteWaypoints)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void AddPointsToOneRoute(benchmark::State& state) {
  for (auto _ : state) {
    CWaypointManager* manager = NewManager();
    CWaypointRoute* route = manager->CreateRoute();
    uint32_t error;
    for (int64_t i = 0; i < state.range(0); ++i) {
      SGeo3D p = Spread(i);
      route->AddPoint(&p, 0.0f, &error);
    }
    benchmark::DoNotOptimize(route->GetLength());
    td::Free(manager);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(AddPointsToOneRoute)->Arg(6553)->Arg(65535)->Unit(benchmark::kMillisecond)->Complexity();

void WaypointsInRadius(benchmark::State& state) {
  CWaypointManager* manager = NewManager();
  CStr name("Bench");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  uint32_t error;
  for (int64_t i = 0; i < state.range(0); ++i) {
    SGeo3D p = Spread(i);
    CWaypoint* w = db->AddWaypoint(&p, nullptr);
    w->SetRadius(50.0f, &error);
    w->SetUserFlags(1, 1);
  }
  CWaypointList found;
  SGeo2D centre{0.005, 0.0005};
  for (auto _ : state) {
    manager->FindWaypointsInRadius(&centre, 1, &found);
    benchmark::DoNotOptimize(found.GetCount());
  }
  td::Free(manager);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(WaypointsInRadius)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
