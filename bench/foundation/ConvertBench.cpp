// The library's text-to-number and number-to-text conversions against the C
// run-time's, on the same texts and values.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/format/FormatSettings.h"

namespace {

const std::vector<CStr>& Texts() {
  static const std::vector<CStr> texts = [] {
    std::vector<CStr> t;
    for (int i = 0; i < 1000; ++i) {
      t.push_back(FormatStr("%d.%06de%d", i * 7919 % 100000, i * 104729 % 1000000, i % 21 - 10));
    }
    return t;
  }();
  return texts;
}

SFormatSettings Fixed() {
  SFormatSettings s;
  LoadFixedFormats(&s);
  return s;
}

void LibraryStrToDouble(benchmark::State& state) {
  const SFormatSettings settings = Fixed();
  for (auto _ : state) {
    for (const CStr& text : Texts()) {
      double v;
      benchmark::DoNotOptimize(TryStrToDouble(text, &v, settings));
      benchmark::DoNotOptimize(v);
    }
  }
  state.SetItemsProcessed(state.iterations() * Texts().size());
}

void RuntimeStrtod(benchmark::State& state) {
  for (auto _ : state) {
    for (const CStr& text : Texts()) benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
  }
  state.SetItemsProcessed(state.iterations() * Texts().size());
}

void RuntimeFromChars(benchmark::State& state) {
  for (auto _ : state) {
    for (const CStr& text : Texts()) {
      double v;
      std::from_chars(text.c_str(), text.c_str() + text.GetLength(), v);
      benchmark::DoNotOptimize(v);
    }
  }
  state.SetItemsProcessed(state.iterations() * Texts().size());
}

void LibraryDoubleToStr(benchmark::State& state) {
  const SFormatSettings settings = Fixed();
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(DoubleToStr(i * 1.37, 15, 3, settings));
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

void RuntimeSnprintf(benchmark::State& state) {
  char buffer[64];
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      benchmark::DoNotOptimize(std::snprintf(buffer, sizeof(buffer), "%.3f", i * 1.37));
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}

BENCHMARK(LibraryStrToDouble);
BENCHMARK(RuntimeStrtod);
BENCHMARK(RuntimeFromChars);
BENCHMARK(LibraryDoubleToStr);
BENCHMARK(RuntimeSnprintf);

}  // namespace

BENCHMARK_MAIN();
