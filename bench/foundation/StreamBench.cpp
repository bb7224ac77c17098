// The buffered file stream against C stdio with a buffer of the same size,
// field by field as the file formats read and write: 4-byte values.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/streams/StreamFunctions.h"

namespace {

constexpr int kValues = 1 << 20;
constexpr int kBuffer = 32768;

CStr BenchFile() {
  static const std::string path = (std::filesystem::temp_directory_path() / "tdlib_stream_bench.bin").string();
  return CStr(path.c_str());
}

// The file the readers read: the values 0, 1, 2, ...
void WriteValues() {
  CBufferedFileStream stream(BenchFile(), kFileModeCreate, kBuffer);
  for (uint32_t i = 0; i < kValues; ++i) StreamWriteDWORD(stream, i);
}

void BufferedWrite(benchmark::State& state) {
  for (auto _ : state) {
    CBufferedFileStream stream(BenchFile(), kFileModeCreate, kBuffer);
    for (uint32_t i = 0; i < kValues; ++i) StreamWriteDWORD(stream, i);
    benchmark::DoNotOptimize(stream.Close());
  }
  state.SetBytesProcessed(state.iterations() * kValues * 4);
}

void StdioWrite(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* file = std::fopen(BenchFile().c_str(), "wb");
    std::setvbuf(file, nullptr, _IOFBF, kBuffer);
    for (uint32_t i = 0; i < kValues; ++i) std::fwrite(&i, 4, 1, file);
    benchmark::DoNotOptimize(std::fclose(file));
  }
  state.SetBytesProcessed(state.iterations() * kValues * 4);
}

void BufferedRead(benchmark::State& state) {
  WriteValues();
  uint32_t sum = 0;
  for (auto _ : state) {
    CBufferedFileStream stream(BenchFile(), kFileModeRead, kBuffer);
    for (int i = 0; i < kValues; ++i) sum += StreamReadDWORD(stream);
  }
  benchmark::DoNotOptimize(sum);
  state.SetBytesProcessed(state.iterations() * kValues * 4);
}

void StdioRead(benchmark::State& state) {
  WriteValues();
  uint32_t sum = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(BenchFile().c_str(), "rb");
    std::setvbuf(file, nullptr, _IOFBF, kBuffer);
    uint32_t value = 0;
    for (int i = 0; i < kValues; ++i) sum += std::fread(&value, 4, 1, file) == 1 ? value : 0;
    std::fclose(file);
  }
  benchmark::DoNotOptimize(sum);
  state.SetBytesProcessed(state.iterations() * kValues * 4);
}

}  // namespace

BENCHMARK(BufferedWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(StdioWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BufferedRead)->Unit(benchmark::kMillisecond);
BENCHMARK(StdioRead)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
