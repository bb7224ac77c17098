// The console's output, then a table of each operation's time over the time
// of what it stands beside (its floor or a peer library), with the aim where
// one is set; and the main function of the benchmarks that end with it.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench_charts {

struct SRatioRow {
  std::string operation, beside;
  double aim = 0;  // 0: none
};

enum class ERatioTime { kCpu, kReal };

class CRatioReporter : public benchmark::ConsoleReporter {
 public:
  CRatioReporter(ERatioTime time, std::vector<SRatioRow> rows)
      : time_(time), rows_(std::move(rows)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      times_[run.benchmark_name()] =
          time_ == ERatioTime::kCpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    int width = 9;
    bool aims = false;
    for (const SRatioRow& row : rows_) {
      width = std::max({width, int(row.operation.size()), int(row.beside.size())});
      aims = aims || row.aim > 0;
    }
    std::printf("\n%-*s %-*s %8s%s\n", width, "operation", width, "beside", "ratio",
                aims ? "    aim" : "");
    for (const SRatioRow& row : rows_) {
      if (!times_.count(row.operation) || !times_.count(row.beside)) continue;
      std::printf("%-*s %-*s %7.2fx", width, row.operation.c_str(), width, row.beside.c_str(),
                  times_[row.operation] / times_[row.beside]);
      if (row.aim > 0) std::printf(" %5.1fx", row.aim);
      std::printf("\n");
    }
  }

 private:
  ERatioTime time_;
  std::vector<SRatioRow> rows_;
  std::map<std::string, double> times_;
};

// Runs the benchmarks the command line selects, reported as above.
inline void RunWithRatios(int argc, char** argv, ERatioTime time, std::vector<SRatioRow> rows) {
  benchmark::Initialize(&argc, argv);
  CRatioReporter reporter(time, std::move(rows));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

}  // namespace bench_charts
