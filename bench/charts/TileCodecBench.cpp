// Decodes and encodes a fixed set of tiles of each kind with the tile codec
// and, in the same run, with libpng and zlib on the same pixels; prints
// megapixels per second and compressed sizes for both, and their ratios.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/charts/PngCodec.h"
#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "tests/charts/TileSamples.h"

namespace {

constexpr uint32_t kTilesPerKind = 8;
const ETileKind kKinds[] = {ETileKind::kFlat, ETileKind::kFewColours, ETileKind::kGradient,
                            ETileKind::kNoise, ETileKind::kChart};

struct SKindSet {
  std::vector<std::vector<uint32_t>> tiles;
  std::vector<std::vector<uint8_t>> tcf2, png;
};

// Bytes of the coded tile in out.
size_t Tcf2Encode(CTileEncoder& encoder, const std::vector<uint32_t>& tile, std::vector<uint8_t>& out) {
  uint32_t colourSize = 0, alphaSize = 0;
  encoder.Compress(out.data(), out.size(), tile.data(), kTileSide, kTileSide, colourSize, alphaSize);
  return colourSize + alphaSize;
}

bool Tcf2Decode(const std::vector<uint8_t>& coded, uint32_t* pixels) {
  STileDecodeInfo info;
  return CTileDecoder::Decode(pixels, kTileSide, kTileSide, coded.data(), coded.size(), true, info) == 0;
}

SKindSet MakeKindSet(ETileKind kind) {
  SKindSet set;
  std::vector<uint32_t> check(kTilePixels);
  std::vector<uint8_t> out(kTileCodeBufferSize);
  CTileEncoder encoder;
  for (uint32_t seed = 1; seed <= kTilesPerKind; ++seed) {
    set.tiles.push_back(MakeTile(kind, kTileSide, kTileSide, seed));
    set.tcf2.emplace_back(out.begin(), out.begin() + Tcf2Encode(encoder, set.tiles.back(), out));
    set.png.push_back(CPngCodec::Encode(set.tiles.back().data(), kTileSide, kTileSide));
    if (!Tcf2Decode(set.tcf2.back(), check.data()) || check != set.tiles.back() ||
        !CPngCodec::Decode(set.png.back(), check.data(), kTileSide, kTileSide) || check != set.tiles.back())
      std::fprintf(stderr, "%s tile %u does not survive a round trip\n", TileKindName(kind), seed);
  }
  return set;
}

double AverageSize(const std::vector<std::vector<uint8_t>>& coded) {
  double total = 0;
  for (const auto& c : coded) total += c.size();
  return total / coded.size();
}

void SetCounters(benchmark::State& state, const std::vector<std::vector<uint8_t>>& coded) {
  state.counters["MP/s"] = benchmark::Counter(kTilesPerKind * kTilePixels / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
  state.counters["bytes"] = AverageSize(coded);
}

void RegisterKind(ETileKind kind) {
  static std::map<ETileKind, SKindSet> sets;
  const SKindSet& set = sets[kind] = MakeKindSet(kind);
  std::string name = TileKindName(kind);
  benchmark::RegisterBenchmark(("decode/tcf2/" + name).c_str(), [&set](benchmark::State& state) {
    std::vector<uint32_t> pixels(kTilePixels);
    for (auto _ : state)
      for (const auto& coded : set.tcf2) benchmark::DoNotOptimize(Tcf2Decode(coded, pixels.data()));
    SetCounters(state, set.tcf2);
  });
  benchmark::RegisterBenchmark(("decode/png/" + name).c_str(), [&set](benchmark::State& state) {
    std::vector<uint32_t> pixels(kTilePixels);
    for (auto _ : state)
      for (const auto& coded : set.png)
        benchmark::DoNotOptimize(CPngCodec::Decode(coded, pixels.data(), kTileSide, kTileSide));
    SetCounters(state, set.png);
  });
  // As the chart writers code tiles: one encoder and one output buffer.
  benchmark::RegisterBenchmark(("encode/tcf2/" + name).c_str(), [&set](benchmark::State& state) {
    auto encoder = std::make_unique<CTileEncoder>();
    std::vector<uint8_t> out(kTileCodeBufferSize);
    for (auto _ : state)
      for (const auto& tile : set.tiles) benchmark::DoNotOptimize(Tcf2Encode(*encoder, tile, out));
    SetCounters(state, set.tcf2);
  });
  // As the export codes a tile: a new encoder each time.
  benchmark::RegisterBenchmark(("encode-new/tcf2/" + name).c_str(), [&set](benchmark::State& state) {
    std::vector<uint8_t> out(kTileCodeBufferSize);
    for (auto _ : state)
      for (const auto& tile : set.tiles) {
        auto encoder = std::make_unique<CTileEncoder>();
        benchmark::DoNotOptimize(Tcf2Encode(*encoder, tile, out));
      }
    SetCounters(state, set.tcf2);
  });
  benchmark::RegisterBenchmark(("encode/png/" + name).c_str(), [&set](benchmark::State& state) {
    for (auto _ : state)
      for (const auto& tile : set.tiles)
        benchmark::DoNotOptimize(CPngCodec::Encode(tile.data(), kTileSide, kTileSide));
    SetCounters(state, set.png);
  });
}

// Console output, then a table of both codecs side by side.
class CSummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      results_[run.benchmark_name()] = {run.counters.at("MP/s").value, run.counters.at("bytes").value};
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-11s %-10s %12s %12s %8s %12s %12s %8s\n", "kind", "", "tcf2 MP/s", "png MP/s",
                "ratio", "tcf2 bytes", "png bytes", "ratio");
    for (ETileKind kind : kKinds)
      for (const char* op : {"decode", "encode", "encode-new"}) PrintRow(TileKindName(kind), op);
  }

 private:
  struct SResult {
    double mps, bytes;
  };

  void PrintRow(const std::string& kind, const std::string& op) {
    auto tcf2 = results_.find(op + "/tcf2/" + kind);
    auto png = results_.find((op == "decode" ? op : "encode") + "/png/" + kind);
    if (tcf2 == results_.end() || png == results_.end()) return;
    const SResult& t = tcf2->second;
    const SResult& p = png->second;
    std::printf("%-11s %-10s %12.1f %12.1f %7.2fx %12.0f %12.0f %7.2fx\n", kind.c_str(), op.c_str(), t.mps,
                p.mps, t.mps / p.mps, t.bytes, p.bytes, t.bytes / p.bytes);
  }

  std::map<std::string, SResult> results_;
};

}  // namespace

int main(int argc, char** argv) {
  for (ETileKind kind : kKinds) RegisterKind(kind);
  benchmark::Initialize(&argc, argv);
  CSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
