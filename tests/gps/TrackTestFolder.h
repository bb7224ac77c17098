// What the track tests share: a scratch folder of their own for each test,
// and fixes on the decimetre grid of the track files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "lib/foundation/text/Str.h"
#include "lib/gps/NMEATrack.h"
#include "tests/gps/TrackBytes.h"

namespace track_test {

constexpr double kScale = 63781370.0;
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kStart = 46000.5;  // 2025-12-09 12:00
constexpr double kDeg = 3.14159265358979323846 / 180.0;

class CTrackFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Folder =
        std::filesystem::temp_directory_path() / ("tdtrk" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(m_Folder);
    CNMEATrack::SharedLastFix() = SNMEATrackLastFix();
  }
  void TearDown() override { std::filesystem::remove_all(m_Folder); }

  CStr Path(const std::string& name) const { return CStr((m_Folder / name).string().c_str()); }

  std::filesystem::path m_Folder;
};

inline std::string ReadAll(const CStr& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fix on the decimetre grid: north and east in units of 1/63,781,370 rad.
struct SGridFix {
  double Seconds;
  int32_t North, East;
  float Course, Speed;
};

inline void Add(CNMEATrack& track, const SGridFix& f) {
  track.AddPoint(kStart + f.Seconds * kSecond, f.North / kScale, f.East / kScale, f.Course,
                 f.Speed);
}

// A track file of 12,499 points zig-zagging north 10 s apart, written from
// the layout: one point short of a split.
inline std::string LongTrackBytes() {
  const std::string name = "long";
  CTrackBytes bytes;
  bytes.Header(0x01010000, &name).F64(kStart).I32(0).I32(0);
  for (int i = 1; i < 12499; ++i) bytes.U16(2000).I16(100).I16(i % 2 ? 100 : -100).U16(141);
  bytes.I32(141 * 12498).F64(kStart + 12498 * 10 * kSecond).U32(12499);
  return bytes.Get();
}

inline void WriteLongTrack(const CStr& path) {
  std::ofstream(path.c_str(), std::ios::binary) << LongTrackBytes();
}

// A sharp turn 10.5 s after the last point: a point the log keeps.
inline void AddTurn(CNMEATrack& track) {
  const SNMEATrackPoint last = track.GetPoints().back();
  track.AddPoint(last.Time + 10.5 * kSecond, (last.North - 100) / kScale,
                 (last.East + 100) / kScale, 2.3561945f, 1.414f);
}

// 10 s after the last point, 500 units north at the speed that makes: a
// point the log takes after any other.
inline void AddNorthward(CNMEATrack& track) {
  if (track.GetCount() == 0) return Add(track, {0, 0, 0, 0, 5});
  const SNMEATrackPoint last = track.GetPoints().back();
  track.AddPoint(last.Time + 10 * kSecond, TrackRadians(last.North + 500), TrackRadians(last.East),
                 0.0f, 5.0f);
}

}  // namespace track_test
