// The NMEA chain against gpsd's gpsdecode on one large log: both as whole
// processes (file in, reports out), in sentences per second, and the
// parser alone in MB/s.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lib/gps/NmeaParser.h"

namespace {

const std::string kLog = TDLIB_NMEA_BENCH_LOG;
const std::string kDriver = TDLIB_NMEA_DRIVER;

std::vector<char> ReadLog() {
  std::ifstream file(kLog, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
}

void TD_STDCALL CountSentence(void* count, CNMEAParser*, CNMEASentence*) {
  ++*static_cast<long*>(count);
}

long CountSentences(const std::vector<char>& log) {
  long count = 0;
  CNMEAParser parser(&CountSentence, &count);
  parser.Parse(reinterpret_cast<const uint8_t*>(log.data()), static_cast<int32_t>(log.size()), 0);
  return count;
}

const long kSentences = CountSentences(ReadLog());
double g_rates[2];  // sentences per second: gpsdecode, ours

// Runs the command once per iteration; the counter is sentences per second.
void RunProcess(benchmark::State& state, const std::string& command, double& rate) {
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return;
    }
    state.SetIterationTime(elapsed);
    seconds += elapsed;
  }
  rate = static_cast<double>(kSentences) * static_cast<double>(state.iterations()) / seconds;
  state.counters["sentences_per_s"] = rate;
  state.counters["sentences"] = static_cast<double>(kSentences);
}

void BM_GpsdecodeProcess(benchmark::State& state) {
  RunProcess(state, "gpsdecode < '" + kLog + "' > /dev/null", g_rates[0]);
}
BENCHMARK(BM_GpsdecodeProcess)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_TdLibDriverProcess(benchmark::State& state) {
  RunProcess(state, "'" + kDriver + "' '" + kLog + "' > /dev/null", g_rates[1]);
}
BENCHMARK(BM_TdLibDriverProcess)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ParserAlone(benchmark::State& state) {
  const std::vector<char> log = ReadLog();
  for (auto _ : state) benchmark::DoNotOptimize(CountSentences(log));
  state.SetBytesProcessed(static_cast<int64_t>(log.size()) * state.iterations());
}
BENCHMARK(BM_ParserAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_rates[0] > 0 && g_rates[1] > 0)
    std::printf("NMEA log of %ld sentences: gpsdecode %.0f/s, TdLib %.0f/s, ratio %.2f\n",
                kSentences, g_rates[0], g_rates[1], g_rates[1] / g_rates[0]);
  return 0;
}
