// The rasteriser of CBmp32 and, in the same run, cairo on an image surface
// of the same 1024 x 768 ARGB pixels: 1000 one-pixel anti-aliased lines of
// random direction, 200 random 12-gons filled even-odd, 200 circles of
// radius 5-100 stroked one pixel wide, 200 rectangles with a 3-pixel band
// and a fill. Also the night screen's DimBitmap of the canvas beside memcpy
// of the same bytes. Prints operations per second and the ratios; on a busy
// machine run with --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true (medians are reported).

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/NightScreen.h"

namespace {

constexpr int32_t kWidth = 1024, kHeight = 768;
constexpr int kLines = 1000, kShapes = 200, kCorners = 12;
constexpr uint32_t kLine = 0xFF203040, kFill = 0xC0E0A040;

struct SCircle {
  double x, y, r;
};

struct SScene {
  std::unique_ptr<CBmp32> canvas = std::make_unique<CBmp32>(kWidth, kHeight, false);
  std::vector<uint32_t> copy = std::vector<uint32_t>(size_t{kWidth} * kHeight);
  cairo_surface_t* surface;
  cairo_t* cr;
  std::vector<SPointD> lines;     // pairs
  std::vector<SPointD> polygons;  // kCorners per polygon
  std::vector<SCircle> circles;
  std::vector<SRectD> rects;

  SScene() {
    canvas->Fill(0xFFF0F0F0);
    surface =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(canvas->GetBits()),
                                            CAIRO_FORMAT_ARGB32, kWidth, kHeight, kWidth * 4);
    cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
    std::mt19937 rng(1024);
    std::uniform_real_distribution<double> x(0, kWidth - 1), y(0, kHeight - 1), r(5, 100),
        size(10, 200);
    for (int i = 0; i < 2 * kLines; ++i) lines.push_back({x(rng), y(rng)});
    for (int i = 0; i < kShapes; ++i) {
      const SPointD centre = {x(rng), y(rng)};
      for (int k = 0; k < kCorners; ++k)
        polygons.push_back({centre.x + r(rng) - 52, centre.y + r(rng) - 52});
      circles.push_back({x(rng), y(rng), r(rng)});
      const double left = x(rng), top = y(rng);
      rects.push_back({left, top, left + size(rng), top + size(rng)});
    }
  }
};

SScene& Scene() {
  static SScene scene;
  return scene;
}

void Count(benchmark::State& state, double operations) {
  state.counters["ops/s"] =
      benchmark::Counter(operations, benchmark::Counter::kIsIterationInvariantRate);
}

void CairoColour(cairo_t* cr, uint32_t argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                        (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
}

void OursLines(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state)
    for (int i = 0; i < kLines; ++i)
      s.canvas->DrawLine(&s.lines[2 * i], &s.lines[2 * i + 1], kLine, 1.0, 1);
  Count(state, kLines);
}

void CairoLines(benchmark::State& state) {
  SScene& s = Scene();
  CairoColour(s.cr, kLine);
  cairo_set_line_width(s.cr, 1.0);
  for (auto _ : state)
    for (int i = 0; i < kLines; ++i) {
      // Pixel centres at +0.5 in cairo's space.
      cairo_move_to(s.cr, s.lines[2 * i].x + 0.5, s.lines[2 * i].y + 0.5);
      cairo_line_to(s.cr, s.lines[2 * i + 1].x + 0.5, s.lines[2 * i + 1].y + 0.5);
      cairo_stroke(s.cr);
    }
  cairo_surface_flush(s.surface);
  Count(state, kLines);
}

void OursPolygons(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state)
    for (int i = 0; i < kShapes; ++i)
      s.canvas->FillPolygon(&s.polygons[i * kCorners], kCorners, kFill);
  Count(state, kShapes);
}

void CairoPolygons(benchmark::State& state) {
  SScene& s = Scene();
  CairoColour(s.cr, kFill);
  cairo_set_fill_rule(s.cr, CAIRO_FILL_RULE_EVEN_ODD);
  for (auto _ : state)
    for (int i = 0; i < kShapes; ++i) {
      const SPointD* p = &s.polygons[i * kCorners];
      cairo_move_to(s.cr, p[0].x, p[0].y);
      for (int k = 1; k < kCorners; ++k) cairo_line_to(s.cr, p[k].x, p[k].y);
      cairo_close_path(s.cr);
      cairo_fill(s.cr);
    }
  cairo_surface_flush(s.surface);
  Count(state, kShapes);
}

void OursCircles(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state)
    for (const SCircle& c : s.circles) s.canvas->DrawCircle(c.x, c.y, c.r, kLine);
  Count(state, kShapes);
}

void CairoCircles(benchmark::State& state) {
  SScene& s = Scene();
  CairoColour(s.cr, kLine);
  cairo_set_line_width(s.cr, 1.0);
  for (auto _ : state)
    for (const SCircle& c : s.circles) {
      cairo_new_sub_path(s.cr);
      cairo_arc(s.cr, c.x + 0.5, c.y + 0.5, c.r, 0, 2 * 3.14159265358979323846);
      cairo_stroke(s.cr);
    }
  cairo_surface_flush(s.surface);
  Count(state, kShapes);
}

void OursRects(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state)
    for (const SRectD& r : s.rects) s.canvas->DrawRect(&r, kLine, kFill, 3.0);
  Count(state, kShapes);
}

void CairoRects(benchmark::State& state) {
  SScene& s = Scene();
  cairo_set_line_width(s.cr, 3.0);
  for (auto _ : state)
    for (const SRectD& r : s.rects) {
      cairo_rectangle(s.cr, r.left + 0.5, r.top + 0.5, r.right - r.left, r.bottom - r.top);
      CairoColour(s.cr, kFill);
      cairo_fill_preserve(s.cr);
      CairoColour(s.cr, kLine);
      cairo_stroke(s.cr);
    }
  cairo_surface_flush(s.surface);
  Count(state, kShapes);
}

void OursDim(benchmark::State& state) {
  SScene& s = Scene();
  CNightScreen screen;
  screen.SetNight(1);  // factor 128: the canvas darkens over the run, at the same cost
  for (auto _ : state) screen.DimBitmap(s.canvas.get());
  screen.SetNight(0);
  Count(state, 1);
}

void MemcpyCanvas(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state) {
    std::memcpy(s.copy.data(), s.canvas->GetBits(), s.copy.size() * 4);
    benchmark::ClobberMemory();
  }
  Count(state, 1);
}

const char* const kCases[][3] = {{"lines", "tdlib/lines", "cairo/lines"},
                                 {"polygons", "tdlib/polygons", "cairo/polygons"},
                                 {"circles", "tdlib/circles", "cairo/circles"},
                                 {"rectangles", "tdlib/rectangles", "cairo/rectangles"},
                                 {"dim-bitmap", "tdlib/dim-bitmap", "memcpy/canvas"}};

class CSummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      m_Rates[run.run_name.function_name] = run.counters.at("ops/s").value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-12s %14s %14s %8s\n", "case", "ours ops/s", "peer ops/s", "ratio");
    for (const auto& c : kCases) {
      if (!m_Rates.count(c[1]) || !m_Rates.count(c[2])) continue;
      std::printf("%-12s %14.0f %14.0f %7.2fx\n", c[0], m_Rates[c[1]], m_Rates[c[2]],
                  m_Rates[c[1]] / m_Rates[c[2]]);
    }
  }

 private:
  std::map<std::string, double> m_Rates;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("tdlib/lines", OursLines);
  benchmark::RegisterBenchmark("cairo/lines", CairoLines);
  benchmark::RegisterBenchmark("tdlib/polygons", OursPolygons);
  benchmark::RegisterBenchmark("cairo/polygons", CairoPolygons);
  benchmark::RegisterBenchmark("tdlib/circles", OursCircles);
  benchmark::RegisterBenchmark("cairo/circles", CairoCircles);
  benchmark::RegisterBenchmark("tdlib/rectangles", OursRects);
  benchmark::RegisterBenchmark("cairo/rectangles", CairoRects);
  benchmark::RegisterBenchmark("tdlib/dim-bitmap", OursDim);
  benchmark::RegisterBenchmark("memcpy/canvas", MemcpyCanvas);
  benchmark::Initialize(&argc, argv);
  CSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  cairo_destroy(Scene().cr);
  cairo_surface_destroy(Scene().surface);
  return 0;
}
