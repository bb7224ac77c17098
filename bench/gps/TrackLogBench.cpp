// Records fixes into a track log that writes the track file and its
// companion after every point, and loads a 12,500-point track file; prints
// fixes and points per second.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/gps/NMEATrack.h"
#include "lib/gps/TrackFile.h"

namespace {

namespace fs = std::filesystem;

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kStart = 46000.5;

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / ("tdlib-track-bench-" + std::to_string(getpid()));
    fs::create_directories(f);
    return f;
  }();
  return folder;
}

CStr PathOf(const char* name) { return CStr((Folder() / name).string().c_str()); }

// A vessel at 5 m/s, a fix every 2 s, that turns 30 degrees every tenth
// fix: most fixes replace the last point, the turns append one.
class CVessel {
 public:
  void Next(CNMEATrack& track) {
    if (m_Fix % 10 == 0) m_Course = m_Course == 0.0f ? 0.5235988f : 0.0f;
    m_North += 10.0 * std::cos(m_Course);
    m_East += 10.0 * std::sin(m_Course);
    ++m_Fix;
    track.AddPoint(kStart + m_Fix * 2 * kSecond, m_North / kMetresPerRadian,
                   m_East / kMetresPerRadian, m_Course, 5.0f);
  }

 private:
  static constexpr double kMetresPerRadian = 6378137.0;
  int m_Fix = 0;
  float m_Course = 0;
  double m_North = 0, m_East = 0;
};

void AddPointWithFiles(benchmark::State& state) {
  CVessel vessel;
  CNMEATrack track(nullptr, true);
  track.CompanionFileName(PathOf("record.trk"));
  for (auto _ : state) vessel.Next(track);
  state.counters["points"] = track.GetCount();
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("fixes/s");
}
BENCHMARK(AddPointWithFiles)->Unit(benchmark::kMicrosecond);

// A track file of 12,500 points, each a corner 10 s after the one before.
const CStr& LongTrack() {
  static const CStr path = [] {
    std::vector<SNMEATrackPoint> points;
    for (int i = 0; i < 12500; ++i)
      points.push_back({kStart + i * 2000 / kTrackTicksPerDay, i * 100, (i % 2) * 100, i * 141});
    CBufferedFileStream file(PathOf("long.trk"), kFileModeCreate, 32768);
    WriteTrack(file, "long", points.data(), points.size(), false);
    return PathOf("long.trk");
  }();
  return path;
}

void LoadFile(benchmark::State& state) {
  const CStr& path = LongTrack();
  int64_t points = 0;
  for (auto _ : state) {
    CNMEATrack track(nullptr, false);
    track.LoadFile(path);
    points += track.GetCount();
  }
  state.SetItemsProcessed(points);
  state.SetLabel("points/s");
}
BENCHMARK(LoadFile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(Folder());
  return 0;
}
