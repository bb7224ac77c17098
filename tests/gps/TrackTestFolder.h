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

}  // namespace track_test
