// The library's reports against gpsdecode's decoding of the same log (both
// files made by scripts/gen_nmea_log.py): a parser and an interpreter read
// the log with the time standing still, so every report is current, and
// every TPV report of gpsdecode with a position must find a position of the
// same fix time, and its speed and track where it has them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "lib/foundation/time/DateTime.h"
#include "lib/gps/NmeaInterpreter.h"
#include "lib/gps/NmeaParser.h"

namespace {

constexpr double kLogNoon = 45457.5;  // 2024-06-14 12:00, the log's day

// A clock that stands still at the log's day and learns nothing.
class CStillClock : public CGPSClock {
 public:
  double TD_STDCALL GetTime() override { return kLogNoon; }
  void TD_STDCALL SetTime(double, double, uint64_t) override {}
};

struct SReport {
  double Time, A, B;
};

struct SReports {
  std::vector<SReport> Positions, Speeds, Courses;
};

void TD_STDCALL OnPosition(void* r, const SGeo3D* p, uint8_t, double time, uint32_t*) {
  static_cast<SReports*>(r)->Positions.push_back(
      {time, p->lat * 180 / std::numbers::pi, p->lon * 180 / std::numbers::pi});
}
void TD_STDCALL OnSpeed(void* r, float speed, uint8_t, double time) {
  static_cast<SReports*>(r)->Speeds.push_back({time, speed, 0});
}
void TD_STDCALL OnCourse(void* r, float course, uint8_t, double time) {
  static_cast<SReports*>(r)->Courses.push_back({time, course * 180 / std::numbers::pi, 0});
}
void TD_STDCALL OnSentence(void* interpreter, CNMEAParser*, CNMEASentence* sentence) {
  static_cast<CNMEAInterpreter*>(interpreter)->OnSentence(sentence);
}

std::string ReadFile(const std::string& name) {
  std::ifstream file(std::string(TDLIB_TEST_DATA_DIR) + "/gps/data/" + name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The number after "key": in a line of JSON, or NaN when the key is absent.
double Number(const std::string& line, const std::string& key) {
  const size_t at = line.find("\"" + key + "\":");
  return at == std::string::npos ? NAN : std::strtod(line.c_str() + at + key.size() + 3, nullptr);
}

// "2024-06-14T09:26:48.000Z" as a day number.
double TimeOf(const std::string& line) {
  const size_t at = line.find("\"time\":\"") + 8;
  auto field = [&](size_t offset, size_t length) {
    return std::atoi(line.substr(at + offset, length).c_str());
  };
  return EncodeDate(field(0, 4), field(5, 2), field(8, 2)) +
         EncodeTime(field(11, 2), field(14, 2), field(17, 2), field(20, 3));
}

bool Found(const std::vector<SReport>& reports, double time, double a, double b, double tolerance,
           double period = 0) {
  for (const SReport& r : reports) {
    if (std::fabs(r.Time - time) > 1e-3 / 86400) continue;
    double da = std::fabs(r.A - a);
    if (period > 0) da = std::fmod(da, period), da = std::fmin(da, period - da);
    if (da <= tolerance && std::fabs(r.B - b) <= tolerance) return true;
  }
  return false;
}

TEST(GpsdCrossCheck, EveryTPVPositionSpeedAndTrackIsReported) {
  SReports reports;
  CStillClock clock;
  SNMEAValueCallbacks callbacks{};
  callbacks.Position = MakeCallback(&OnPosition, &reports);
  callbacks.Speed = MakeCallback(&OnSpeed, &reports);
  callbacks.Course = MakeCallback(&OnCourse, &reports);
  CNMEAInterpreter interpreter(&clock, callbacks);
  interpreter.SetActive(1);
  CNMEAParser parser(&OnSentence, &interpreter);
  const std::string log = ReadFile("boat.nmea");
  ASSERT_GT(log.size(), 100000u);
  parser.Parse(reinterpret_cast<const uint8_t*>(log.data()), static_cast<int32_t>(log.size()), 1);

  std::istringstream json(ReadFile("boat.json"));
  int positions = 0, speeds = 0, tracks = 0;
  for (std::string line; std::getline(json, line);) {
    const double lat = Number(line, "lat");
    if (std::isnan(lat)) continue;
    const double time = TimeOf(line), lon = Number(line, "lon");
    ++positions;
    EXPECT_TRUE(Found(reports.Positions, time, lat, lon, 1e-8)) << line;
    const double speed = Number(line, "speed"), track = Number(line, "track");
    if (!std::isnan(speed)) {
      ++speeds;
      EXPECT_TRUE(Found(reports.Speeds, time, speed, 0, 0.001)) << line;
    }
    if (!std::isnan(track)) {
      ++tracks;
      EXPECT_TRUE(Found(reports.Courses, time, track, 0, 0.0001, 360)) << line;
    }
  }
  EXPECT_GT(positions, 400);
  EXPECT_GT(speeds, 400);
  EXPECT_GT(tracks, 400);
}

}  // namespace
