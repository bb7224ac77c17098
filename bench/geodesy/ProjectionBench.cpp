// Projections and chart pixel conversions per point, side by side with PROJ
// doing the same work (PROJ's affine step stands in for the pixel mapping).
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <vector>

#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr size_t kPoints = 1024;

// Positions within 3 degrees of 3 E, between 40 and 60 N.
std::vector<SGeo2D> Positions() {
  std::vector<SGeo2D> v;
  for (size_t i = 0; i < kPoints; ++i) {
    v.push_back({(40.0 + 20.0 * (i % 32) / 32.0) * kDeg, (0.1 + 5.8 * (i / 32) / 32.0) * kDeg});
  }
  return v;
}

const SGeodeticRef& MercatorRef() {
  static SGeodeticRef ref = [] {
    GeodeticTablesInitialize();
    SGeodeticRef r;
    GeodeticRefInitMercator(r, 0.0, *GeodeticWGS84Datum());
    return r;
  }();
  return ref;
}

const SGeodeticRef& TmRef() {
  static SGeodeticRef ref = [] {
    GeodeticTablesInitialize();
    SGeodeticRef r;
    GeodeticRefInitTransverseMercator(r, 0.9996, 0.0, 3 * kDeg, *GeodeticWGS84Datum());
    return r;
  }();
  return ref;
}

template <typename In, typename Out, typename Fn>
void RunOurs(benchmark::State& state, const std::vector<In>& in, Fn fn) {
  size_t i = 0;
  Out out;
  for (auto _ : state) {
    fn(out, in[i]);
    benchmark::DoNotOptimize(out);
    i = (i + 1) % in.size();
  }
  state.SetItemsProcessed(state.iterations());
}

std::vector<SPointD> Projected(const SGeodeticRef& ref) {
  std::vector<SPointD> v;
  for (const SGeo2D& g : Positions()) {
    SPointD p;
    GeoToProj(p, g, ref);
    v.push_back(p);
  }
  return v;
}

void RunProj(benchmark::State& state, const char* definition, PJ_DIRECTION direction, bool geoInput) {
  PJ* p = proj_create(PJ_DEFAULT_CTX, definition);
  if (p == nullptr) {
    state.SkipWithError("PROJ rejected the definition");
    return;
  }
  std::vector<PJ_COORD> in;
  for (const SGeo2D& g : Positions()) {
    PJ_COORD c = proj_coord(g.lon, g.lat, 0, 0);
    in.push_back(geoInput ? c : proj_trans(p, PJ_FWD, c));
  }
  size_t i = 0;
  for (auto _ : state) {
    PJ_COORD out = proj_trans(p, direction, in[i]);
    benchmark::DoNotOptimize(out);
    i = (i + 1) % in.size();
  }
  state.SetItemsProcessed(state.iterations());
  proj_destroy(p);
}

const char kProjMerc[] = "+proj=merc +ellps=WGS84";
const char kProjTm[] = "+proj=tmerc +approx +ellps=WGS84 +lon_0=3 +k_0=0.9996";
const char kProjTmExact[] = "+proj=tmerc +ellps=WGS84 +lon_0=3 +k_0=0.9996";

void BM_GeoToMercator(benchmark::State& s) {
  RunOurs<SGeo2D, SPointD>(s, Positions(), [](SPointD& o, const SGeo2D& g) { GeoToMercator(o, g, MercatorRef()); });
}
void BM_MercatorToGeo(benchmark::State& s) {
  RunOurs<SPointD, SGeo2D>(s, Projected(MercatorRef()), [](SGeo2D& o, const SPointD& p) { MercatorToGeo(o, p, MercatorRef()); });
}
void BM_GeoToTransverseMercator(benchmark::State& s) {
  RunOurs<SGeo2D, SPointD>(s, Positions(), [](SPointD& o, const SGeo2D& g) { GeoToTransverseMercator(o, g, TmRef()); });
}
void BM_TransverseMercatorToGeo(benchmark::State& s) {
  RunOurs<SPointD, SGeo2D>(s, Projected(TmRef()), [](SGeo2D& o, const SPointD& p) { TransverseMercatorToGeo(o, p, TmRef()); });
}
void BM_Proj_Merc_Fwd(benchmark::State& s) { RunProj(s, kProjMerc, PJ_FWD, true); }
void BM_Proj_Merc_Inv(benchmark::State& s) { RunProj(s, kProjMerc, PJ_INV, false); }
void BM_Proj_TmApprox_Fwd(benchmark::State& s) { RunProj(s, kProjTm, PJ_FWD, true); }
void BM_Proj_TmApprox_Inv(benchmark::State& s) { RunProj(s, kProjTm, PJ_INV, false); }
void BM_Proj_TmExact_Fwd(benchmark::State& s) { RunProj(s, kProjTmExact, PJ_FWD, true); }
void BM_Proj_TmExact_Inv(benchmark::State& s) { RunProj(s, kProjTmExact, PJ_INV, false); }

// A north-up Mercator chart of 10 m per pixel whose top-left pixel lies at
// (0, 6e6) metres, and the same mapping as a PROJ pipeline.
CGeodeticCalibration& Chart() {
  static CGeodeticCalibration* cal = [] {
    auto* c = new CGeodeticCalibration;
    const SPointD pix[3] = {{0, 0}, {1000, 0}, {0, 1000}};
    const SPointD proj[3] = {{0, 6e6}, {1e4, 6e6}, {0, 6e6 - 1e4}};
    c->Calibrate3(&pix[0], &pix[1], &pix[2], &proj[0], &proj[1], &proj[2], 1000, 1000, &MercatorRef());
    return c;
  }();
  return *cal;
}
const char kProjChart[] =
    "+proj=pipeline +step +proj=merc +ellps=WGS84 "
    "+step +proj=affine +xoff=0 +yoff=600000 +s11=0.1 +s12=0 +s21=0 +s22=-0.1";

void BM_GeoWGS84ToPix(benchmark::State& s) {
  RunOurs<SGeo2D, SPointD>(s, Positions(), [](SPointD& o, const SGeo2D& g) { Chart().GeoWGS84ToPix(&o, &g); });
}
void BM_PixToGeoWGS84(benchmark::State& s) {
  std::vector<SPointD> pixels;
  for (const SGeo2D& g : Positions()) {
    SPointD p;
    Chart().GeoWGS84ToPix(&p, &g);
    pixels.push_back(p);
  }
  RunOurs<SPointD, SGeo2D>(s, pixels, [](SGeo2D& o, const SPointD& p) { Chart().PixToGeoWGS84(&o, &p); });
}
void BM_Proj_ChartPipeline_Fwd(benchmark::State& s) { RunProj(s, kProjChart, PJ_FWD, true); }
void BM_Proj_ChartPipeline_Inv(benchmark::State& s) { RunProj(s, kProjChart, PJ_INV, false); }

BENCHMARK(BM_GeoToMercator);
BENCHMARK(BM_Proj_Merc_Fwd);
BENCHMARK(BM_MercatorToGeo);
BENCHMARK(BM_Proj_Merc_Inv);
BENCHMARK(BM_GeoToTransverseMercator);
BENCHMARK(BM_Proj_TmApprox_Fwd);
BENCHMARK(BM_Proj_TmExact_Fwd);
BENCHMARK(BM_TransverseMercatorToGeo);
BENCHMARK(BM_Proj_TmApprox_Inv);
BENCHMARK(BM_Proj_TmExact_Inv);
BENCHMARK(BM_GeoWGS84ToPix);
BENCHMARK(BM_Proj_ChartPipeline_Fwd);
BENCHMARK(BM_PixToGeoWGS84);
BENCHMARK(BM_Proj_ChartPipeline_Inv);

}  // namespace

BENCHMARK_MAIN();
