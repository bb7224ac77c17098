// The chart view's work, drawn by CBmp32 and, in the same run, by pixman on
// the same pixels: twelve 256 x 256 tiles onto a 1024 x 768 canvas copied
// (mode 0), copied where opaque (mode 1), scaled by 1.37 and rotated by 30
// degrees, and a 64 x 64 icon blended (mode 2). pixman's peers: OP_SRC, and
// OP_OVER on premultiplied copies, nearest filter and an affine transform for
// the scaled and rotated cases. Prints megapixels per second and the ratios;
// on a busy machine run with --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true (medians are reported).

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "lib/bitmap/Bmp32.h"

namespace {

constexpr int32_t kCanvasWidth = 1024, kCanvasHeight = 768, kTile = 256, kColumns = 4, kRows = 3;
constexpr double kScale = 1.37, kAngle = std::numbers::pi / 6;

// A chart-like tile: blocks of a few colours with noise; with holes, the
// transparent pixels (alpha 0) of a tile at a chart's edge.
std::unique_ptr<CBmp32> MakeTile(uint32_t seed, bool holes) {
  auto tile = std::make_unique<CBmp32>(kTile, kTile, false);
  std::mt19937 rng(seed);
  const uint32_t palette[4] = {0xFFF0E8D0, 0xFFA0C8F0, 0xFF303030, 0xFFE0A040};
  for (int32_t y = 0; y < kTile; ++y)
    for (int32_t x = 0; x < kTile; ++x) {
      uint32_t c = palette[((x / 16) ^ (y / 16) ^ seed) & 3] ^ (rng() & 0x030303);
      if (holes && (x + y) % 97 < 30) c = 0;
      tile->Row(y)[x] = c;
    }
  return tile;
}

// Premultiplied copy for pixman's OVER (0xAARRGGBB, colour channels x alpha / 255).
std::unique_ptr<CBmp32> Premultiplied(const CBmp32& bmp) {
  auto copy = std::make_unique<CBmp32>(bmp.Width(), bmp.Height(), false);
  for (int64_t i = 0; i < bmp.PixelCount(); ++i) {
    const uint32_t p = bmp.Pixels()[i], a = p >> 24;
    uint32_t out = p & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) out |= (((p >> shift) & 0xFF) * a / 255) << shift;
    copy->Pixels()[i] = out;
  }
  return copy;
}

pixman_image_t* Image(CBmp32& bmp) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, bmp.Width(), bmp.Height(), bmp.GetBits(), bmp.GetStride());
}

struct SScene {
  std::vector<std::unique_ptr<CBmp32>> tiles, holed, holedPremultiplied;
  std::unique_ptr<CBmp32> icon, iconPremultiplied, canvas;
  std::vector<pixman_image_t*> tileImages, holedImages;
  pixman_image_t *iconImage, *canvasImage;

  SScene() : canvas(std::make_unique<CBmp32>(kCanvasWidth, kCanvasHeight, false)) {
    for (uint32_t i = 0; i < kColumns * kRows; ++i) {
      tiles.push_back(MakeTile(i, false));
      holed.push_back(MakeTile(i, true));
      holedPremultiplied.push_back(Premultiplied(*holed.back()));
      tileImages.push_back(Image(*tiles.back()));
      holedImages.push_back(Image(*holedPremultiplied.back()));
    }
    icon = std::make_unique<CBmp32>(64, 64, false);
    for (int32_t y = 0; y < 64; ++y)
      for (int32_t x = 0; x < 64; ++x) icon->Row(y)[x] = uint32_t((x * 4) ^ (y * 4)) << 24 | 0x00C04020;
    iconPremultiplied = Premultiplied(*icon);
    iconImage = Image(*iconPremultiplied);
    canvas->Fill(0xFF808080);
    canvasImage = Image(*canvas);
  }
};

SScene& Scene() {
  static SScene scene;
  return scene;
}

void Count(benchmark::State& state, double pixels) {
  state.counters["MP/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// ---- equal size ----

void OursCopy(benchmark::State& state, int32_t mode) {
  SScene& s = Scene();
  auto& tiles = mode == bmCopy ? s.tiles : s.holed;
  const SRectD source = tiles[0]->PixBounds();
  for (auto _ : state)
    for (int32_t i = 0; i < kColumns * kRows; ++i) {
      const double x = (i % kColumns) * kTile - 0.5, y = (i / kColumns) * kTile - 0.5;
      tiles[i]->Draw(*s.canvas, SRectD{x, y, x + kTile, y + kTile}, source, mode);
    }
  Count(state, kColumns * kRows * kTile * kTile);
}

void PixmanCopy(benchmark::State& state, pixman_op_t op) {
  SScene& s = Scene();
  auto& images = op == PIXMAN_OP_SRC ? s.tileImages : s.holedImages;
  for (auto _ : state)
    for (int32_t i = 0; i < kColumns * kRows; ++i)
      pixman_image_composite32(op, images[i], nullptr, s.canvasImage, 0, 0, 0, 0, (i % kColumns) * kTile,
                               (i / kColumns) * kTile, kTile, kTile);
  Count(state, kColumns * kRows * kTile * kTile);
}

// ---- scaled by 1.37 ----

struct SPlacement {
  int32_t x, y, width, height;  // destination pixels inside the canvas
};

SPlacement ScaledPlacement(int32_t i) {
  const double size = kTile * kScale;
  const int32_t x0 = static_cast<int32_t>(std::floor((i % kColumns) * size + 0.5));
  const int32_t y0 = static_cast<int32_t>(std::floor((i / kColumns) * size + 0.5));
  const int32_t x1 = std::min(kCanvasWidth, static_cast<int32_t>(std::floor((i % kColumns + 1) * size + 0.5)));
  const int32_t y1 = std::min(kCanvasHeight, static_cast<int32_t>(std::floor((i / kColumns + 1) * size + 0.5)));
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

double ScaledPixels() {
  double n = 0;
  for (int32_t i = 0; i < kColumns * kRows; ++i) n += double(ScaledPlacement(i).width) * ScaledPlacement(i).height;
  return n;
}

void OursScaled(benchmark::State& state) {
  SScene& s = Scene();
  const double size = kTile * kScale;
  for (auto _ : state)
    for (int32_t i = 0; i < kColumns * kRows; ++i) {
      const double x = (i % kColumns) * size - 0.5, y = (i / kColumns) * size - 0.5;
      s.tiles[i]->Draw(*s.canvas, SRectD{x, y, x + size, y + size}, s.tiles[i]->PixBounds(), bmCopy);
    }
  Count(state, ScaledPixels());
}

void PixmanScaled(benchmark::State& state) {
  SScene& s = Scene();
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(1 / kScale), pixman_double_to_fixed(1 / kScale));
  for (pixman_image_t* image : s.tileImages) {
    pixman_image_set_filter(image, PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
  for (auto _ : state)
    for (int32_t i = 0; i < kColumns * kRows; ++i) {
      const SPlacement p = ScaledPlacement(i);
      if (p.width == 0 || p.height == 0) continue;
      pixman_image_set_transform(s.tileImages[i], &t);
      pixman_image_composite32(PIXMAN_OP_SRC, s.tileImages[i], nullptr, s.canvasImage, 0, 0, 0, 0, p.x, p.y,
                               p.width, p.height);
    }
  for (pixman_image_t* image : s.tileImages) pixman_image_set_transform(image, nullptr);
  Count(state, ScaledPixels());
}

// ---- rotated by 30 degrees about the canvas centre ----

// Tile grid coordinates (pixel i covers i .. i + 1) to canvas coordinates.
SPointD Rotate(double gx, double gy) {
  const double cx = kCanvasWidth / 2.0, cy = kCanvasHeight / 2.0;
  const double dx = gx - kColumns * kTile / 2.0, dy = gy - kRows * kTile / 2.0;
  return {cx + dx * std::cos(kAngle) - dy * std::sin(kAngle), cy + dx * std::sin(kAngle) + dy * std::cos(kAngle)};
}

void OursRotated(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state)
    for (int32_t i = 0; i < kColumns * kRows; ++i) {
      const double gx = (i % kColumns) * kTile, gy = (i / kColumns) * kTile;
      SPointD q[4] = {Rotate(gx, gy), Rotate(gx + kTile, gy), Rotate(gx + kTile, gy + kTile), Rotate(gx, gy + kTile)};
      for (SPointD& p : q) p.x -= 0.5, p.y -= 0.5;  // to pixel-centre coordinates
      s.tiles[i]->Transform(*s.canvas, {0, 0, kTile, kTile}, q, bmCopy);
    }
  Count(state, kColumns * kRows * kTile * kTile);
}

void PixmanRotated(benchmark::State& state) {
  SScene& s = Scene();
  const double c = std::cos(kAngle), sn = std::sin(kAngle);
  std::vector<pixman_image_t*> premultiplied;  // opaque tiles: premultiplied equals the tile
  for (pixman_image_t* image : s.tileImages) {
    pixman_image_set_filter(image, PIXMAN_FILTER_NEAREST, nullptr, 0);
    premultiplied.push_back(image);
  }
  for (auto _ : state)
    for (int32_t i = 0; i < kColumns * kRows; ++i) {
      const double gx = (i % kColumns) * kTile, gy = (i / kColumns) * kTile;
      // tile = R^-1 (canvas - centre) + grid centre - tile origin
      const double tx = kColumns * kTile / 2.0 - gx, ty = kRows * kTile / 2.0 - gy;
      const double cx = kCanvasWidth / 2.0, cy = kCanvasHeight / 2.0;
      pixman_transform_t t;
      pixman_transform_init_identity(&t);
      t.matrix[0][0] = pixman_double_to_fixed(c);
      t.matrix[0][1] = pixman_double_to_fixed(sn);
      t.matrix[0][2] = pixman_double_to_fixed(tx - (c * cx + sn * cy));
      t.matrix[1][0] = pixman_double_to_fixed(-sn);
      t.matrix[1][1] = pixman_double_to_fixed(c);
      t.matrix[1][2] = pixman_double_to_fixed(ty - (-sn * cx + c * cy));
      pixman_image_set_transform(premultiplied[i], &t);
      const SPointD q[4] = {Rotate(gx, gy), Rotate(gx + kTile, gy), Rotate(gx + kTile, gy + kTile),
                            Rotate(gx, gy + kTile)};
      double x0 = q[0].x, x1 = x0, y0 = q[0].y, y1 = y0;
      for (const SPointD& p : q) x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
      const int32_t left = std::max(0, int32_t(std::floor(x0))), top = std::max(0, int32_t(std::floor(y0)));
      const int32_t right = std::min(kCanvasWidth, int32_t(std::ceil(x1))), bottom = std::min(kCanvasHeight, int32_t(std::ceil(y1)));
      if (left < right && top < bottom)
        pixman_image_composite32(PIXMAN_OP_OVER, premultiplied[i], nullptr, s.canvasImage, left, top, 0, 0, left,
                                 top, right - left, bottom - top);
    }
  for (pixman_image_t* image : premultiplied) pixman_image_set_transform(image, nullptr);
  Count(state, kColumns * kRows * kTile * kTile);
}

// ---- a 64 x 64 icon blended ----

void OursIcon(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state) s.icon->Draw(*s.canvas, SRectD{99.5, 99.5, 163.5, 163.5}, s.icon->PixBounds(), bmBlend);
  Count(state, 64 * 64);
}

void PixmanIcon(benchmark::State& state) {
  SScene& s = Scene();
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, s.iconImage, nullptr, s.canvasImage, 0, 0, 0, 0, 100, 100, 64, 64);
  Count(state, 64 * 64);
}

const char* const kCases[] = {"copy", "transparent", "scaled-1.37", "rotated-30", "icon-blend"};

class CSummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // With repetitions the median stands for the case.
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const std::string name = run.run_name.function_name;
      m_Rates[name] = run.counters.at("MP/s").value;
      m_Times[name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-14s %12s %12s %8s %14s\n", "case", "CBmp32 MP/s", "pixman MP/s", "ratio", "CBmp32 time");
    for (const char* name : kCases) {
      const std::string ours = std::string("tdlib/") + name, theirs = std::string("pixman/") + name;
      if (!m_Rates.count(ours) || !m_Rates.count(theirs)) continue;
      std::printf("%-14s %12.1f %12.1f %7.2fx %11.3f ms\n", name, m_Rates[ours], m_Rates[theirs],
                  m_Rates[ours] / m_Rates[theirs], m_Times[ours] / 1e6);
    }
  }

 private:
  std::map<std::string, double> m_Rates, m_Times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("tdlib/copy", OursCopy, int32_t{bmCopy});
  benchmark::RegisterBenchmark("pixman/copy", PixmanCopy, PIXMAN_OP_SRC);
  benchmark::RegisterBenchmark("tdlib/transparent", OursCopy, int32_t{bmTransparent});
  benchmark::RegisterBenchmark("pixman/transparent", PixmanCopy, PIXMAN_OP_OVER);
  benchmark::RegisterBenchmark("tdlib/scaled-1.37", OursScaled);
  benchmark::RegisterBenchmark("pixman/scaled-1.37", PixmanScaled);
  benchmark::RegisterBenchmark("tdlib/rotated-30", OursRotated);
  benchmark::RegisterBenchmark("pixman/rotated-30", PixmanRotated);
  benchmark::RegisterBenchmark("tdlib/icon-blend", OursIcon);
  benchmark::RegisterBenchmark("pixman/icon-blend", PixmanIcon);
  benchmark::Initialize(&argc, argv);
  CSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
