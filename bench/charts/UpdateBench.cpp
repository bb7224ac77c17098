// Update generation and application on a chart of 64 level-0 tiles of
// chart-like content whose image has 1 % of its pixels changed in scattered
// runs, each beside its floor in the same run: generation against decoding
// every tile, reading the image and deflating the patches with zlib at the
// same level; reading and applying every patch against inflating the same
// bytes with zlib.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "bench/charts/RatioReporter.h"
#include "lib/charts/Update.h"
#include "lib/charts/UpdGenerate.h"
#include "tests/charts/UpdSources.h"
#include "tests/charts/ZlibZip.h"

namespace {

constexpr uint32_t kSide = 8 * 256;

struct SFixture {
  CMemoryChart chart{kSide, kSide, 5, SBuiltChart{}};
  CMemoryImage image{kSide, kSide, Changed(chart.Decoded())};
  CStr name = (std::filesystem::temp_directory_path() / "tdlib-update-bench.upd").string().c_str();
  std::vector<std::string> patches, packed;  // per tile, as generated

  SFixture() {
    std::vector<uint32_t> tile(65536), fresh(65536);
    std::vector<uint8_t> patch;
    for (uint32_t index = 0; index < 64; ++index) {
      DecodeTile(index, tile.data());
      image.ReadArea(index % 8 * 256, index / 8 * 256, 256, 256, fresh.data(), ignored);
      BuildTilePatch(tile.data(), fresh.data(), 65536, patch);
      patches.emplace_back(patch.begin(), patch.end());
      packed.push_back(Deflate(patches.back()));
    }
  }

  static std::vector<uint32_t> Changed(std::vector<uint32_t> pixels) {
    std::mt19937 random(17);
    size_t changed = 0;
    while (changed < pixels.size() / 100) {
      const size_t at = random() % pixels.size(), length = 1 + random() % 16;
      for (size_t i = at; i < std::min(pixels.size(), at + length); ++i, ++changed)
        pixels[i] ^= 0x00203040;
    }
    return pixels;
  }

  void DecodeTile(uint32_t index, uint32_t* pixels) {
    std::vector<uint8_t> bytes;
    chart.ReadTile(index, bytes, ignored);
    STileDecodeInfo info;
    CTileDecoder::DecodeStored(pixels, 256, 256, bytes.data(), bytes.size(), info);
  }

  uint32_t ignored = 0;
};

SFixture& Fixture() {
  static SFixture fixture;
  return fixture;
}

void Generate(benchmark::State& state) {
  SFixture& f = Fixture();
  const SUpdGenerateInput input{46000.0, "", nullptr, 0, nullptr, 0};
  for (auto _ : state) {
    uint64_t raw = 0, compressed = 0;
    uint32_t error = 0;
    if (!UpdFileGenerate(f.name, f.image, f.chart, input, &TestZip(), nullptr, raw, compressed,
                         error))
      state.SkipWithError("generation failed");
  }
}
BENCHMARK(Generate)->Unit(benchmark::kMillisecond);

void GenerateFloor(benchmark::State& state) {
  SFixture& f = Fixture();
  std::vector<uint32_t> tile(65536), fresh(65536);
  for (auto _ : state) {
    for (uint32_t index = 0; index < 64; ++index) {
      f.DecodeTile(index, tile.data());
      f.image.ReadArea(index % 8 * 256, index / 8 * 256, 256, 256, fresh.data(), f.ignored);
      benchmark::DoNotOptimize(tile.data());
      benchmark::DoNotOptimize(fresh.data());
      benchmark::ClobberMemory();
      benchmark::DoNotOptimize(Deflate(f.patches[index]));
    }
  }
}
BENCHMARK(GenerateFloor)->Unit(benchmark::kMillisecond);

void ReadAndApply(benchmark::State& state) {
  SFixture& f = Fixture();
  std::vector<uint32_t> tile(65536);
  for (auto _ : state) {
    uint32_t error = 0;
    CTCF2Update update(f.name, error);
    CCappedMemoryStream patch(kUpdPatchCap);
    for (int32_t i = 0; i < update.GetRecordCount(); ++i) {
      update.ReadTilePatch(patch, update.GetRecordTileIndex(i), &TestZip(), error);
      ApplyTilePatch(tile.data(), 256, 256, kUpdFormat2, patch.GetData(), patch.GetSize(), error);
    }
    benchmark::DoNotOptimize(tile.data());
  }
}
BENCHMARK(ReadAndApply)->Unit(benchmark::kMillisecond);

void InflateFloor(benchmark::State& state) {
  SFixture& f = Fixture();
  std::vector<uint8_t> out(kUpdPatchCap);
  for (auto _ : state) {
    for (const std::string& packed : f.packed) {
      uLongf size = static_cast<uLongf>(out.size());
      uncompress(out.data(), &size, reinterpret_cast<const Bytef*>(packed.data()),
                 static_cast<uLong>(packed.size()));
      benchmark::DoNotOptimize(out.data());
    }
  }
}
BENCHMARK(InflateFloor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench_charts::RunWithRatios(
      argc, argv, bench_charts::ERatioTime::kCpu,
      {{"Generate", "GenerateFloor", 1.3}, {"ReadAndApply", "InflateFloor", 1.2}});
  std::remove(Fixture().name.c_str());
  return 0;
}
