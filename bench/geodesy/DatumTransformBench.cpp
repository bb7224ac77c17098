// Per-point cost of the seven-parameter datum transformation, the library's
// against PROJ doing the same work (geographic -> geocentric -> Helmert ->
// geographic, RD/Bessel to WGS 84) in the same run.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <vector>

#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"

namespace {

const double kDeg = 3.14159265358979323846 / 180;

// A spread of points over the Netherlands, so that no branch or cache
// pattern favours either side.
std::vector<SGeo3D> Points() {
  std::vector<SGeo3D> points;
  for (int i = 0; i < 1024; ++i)
    points.push_back({(50.8 + (i % 32) * 0.08) * kDeg, (3.4 + (i / 32) * 0.12) * kDeg, (i % 7) * 10.0});
  return points;
}

void BM_TdLibTransform3(benchmark::State& state) {
  const SGeodeticDatum& source = *GeodeticDatumCreateSafe("RD");
  const SGeodeticDatum& target = *GeodeticWGS84Datum();
  const std::vector<SGeo3D> points = Points();
  size_t i = 0;
  for (auto _ : state) {
    SGeo3D out;
    GeodeticDatumTransform3(out, target, points[i++ & 1023], source);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_TdLibTransform2(benchmark::State& state) {
  const SGeodeticDatum& source = *GeodeticDatumCreateSafe("RD");
  const SGeodeticDatum& target = *GeodeticWGS84Datum();
  const std::vector<SGeo3D> points = Points();
  size_t i = 0;
  for (auto _ : state) {
    const SGeo3D& p = points[i++ & 1023];
    SGeo3D out;
    GeodeticDatumTransform2(out, target, {p.lat, p.lon}, source);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations());
}

// The RD row's parameters in PROJ's coordinate-frame convention, with exact
// rotation matrices as the library builds them; input in radians.
PJ* CreateProjHelmert(PJ_CONTEXT* ctx) {
  return proj_create(ctx,
                     "+proj=pipeline +step +proj=cart +a=6377397.155 +rf=299.1528128 "
                     "+step +proj=helmert +x=565.04 +y=49.91 +z=465.84 +rx=0.4094 +ry=-0.3597 +rz=1.8685 "
                     "+s=4.0772 +convention=coordinate_frame +exact "
                     "+step +inv +proj=cart +a=6378137 +rf=298.257223563");
}

void BM_ProjTransform(benchmark::State& state, bool withHeight) {
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* pj = CreateProjHelmert(ctx);
  if (!pj) {
    state.SkipWithError("PROJ could not build the pipeline");
    proj_context_destroy(ctx);
    return;
  }
  const std::vector<SGeo3D> points = Points();
  size_t i = 0;
  for (auto _ : state) {
    const SGeo3D& p = points[i++ & 1023];
    const PJ_COORD in = proj_coord(p.lon, p.lat, withHeight ? p.h : 0, 0);
    PJ_COORD out = proj_trans(pj, PJ_FWD, in);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(state.iterations());
  proj_destroy(pj);
  proj_context_destroy(ctx);
}

void BM_ProjTransform3(benchmark::State& state) { BM_ProjTransform(state, true); }
void BM_ProjTransform2(benchmark::State& state) { BM_ProjTransform(state, false); }

}  // namespace

BENCHMARK(BM_TdLibTransform2);
BENCHMARK(BM_ProjTransform2);
BENCHMARK(BM_TdLibTransform3);
BENCHMARK(BM_ProjTransform3);

BENCHMARK_MAIN();
