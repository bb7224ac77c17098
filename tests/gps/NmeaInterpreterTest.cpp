// The interpreter on scripted streams: a parser feeds it, the time source
// moves only when the script steps it, so nothing sleeps.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/gps/NmeaInterpreter.h"
#include "tests/gps/NmeaCollector.h"

namespace {

// The system clock reads 2004-02-29 09:00:00 UTC when the script starts (the
// stepped counter starts at 1 s), so GPS and system time agree.
constexpr double kStart = 38046.375 - 1.0 / 86400;

struct SEvent {
  char Kind;  // P position, S speed, C course, F fix, N satellites, T timed position, O time-out
  double A, B;
  double Time;
};

class CSoundCounter : public CSound {
 public:
  void TD_STDCALL Play() override { ++plays; }
  int plays = 0;
};

class NmeaInterpreter : public ::testing::Test {
 protected:
  NmeaInterpreter()
      : parser_(&NmeaInterpreter::OnSentence, this), interpreter_(&clock_, Callbacks()) {
    interpreter_.SetActive(1);
  }

  SNMEAValueCallbacks Callbacks() {
    return {MakeCallback(&Position, this),   MakeCallback(&Speed, this),
            MakeCallback(&Course, this),     MakeCallback(&Fix, this),
            MakeCallback(&Satellites, this), MakeCallback(&Timed, this)};
  }

  void Feed(const std::string& text) {
    parser_.Parse(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()),
                  time_.ReadCounter());
  }
  // The events of one kind, and then forgets all events.
  std::vector<SEvent> Take(char kind) {
    std::vector<SEvent> taken;
    for (const SEvent& e : events_)
      if (e.Kind == kind) taken.push_back(e);
    return taken;
  }
  void Forget() { events_.clear(); }
  void ListenForTimeouts() { interpreter_.SetOnTimeout(&Timeout, this); }

  static void TD_STDCALL OnSentence(void* self, CNMEAParser*, CNMEASentence* sentence) {
    static_cast<NmeaInterpreter*>(self)->interpreter_.OnSentence(sentence);
  }
  static void Add(void* self, SEvent e) {
    static_cast<NmeaInterpreter*>(self)->events_.push_back(e);
  }
  static void TD_STDCALL Position(void* self, const SGeo3D* p, uint8_t valid, double time,
                                  uint32_t* error) {
    EXPECT_EQ(valid, 1);
    EXPECT_EQ(p->h, 0.0);
    *error = 5;
    Add(self, {'P', p->lat, p->lon, time});
  }
  static void TD_STDCALL Speed(void* self, float v, uint8_t, double time) {
    Add(self, {'S', v, 0, time});
  }
  static void TD_STDCALL Course(void* self, float v, uint8_t, double time) {
    Add(self, {'C', v, 0, time});
  }
  static void TD_STDCALL Fix(void* self, uint32_t v, uint8_t, double time) {
    Add(self, {'F', double(v), 0, time});
  }
  static void TD_STDCALL Satellites(void* self, uint32_t v, uint8_t, double time) {
    Add(self, {'N', double(v), 0, time});
  }
  static void TD_STDCALL Timed(void* self, double time, const SGeo3D* p) {
    Add(self, {'T', p->lat, p->lon, time});
  }
  static void TD_STDCALL CountUpdate(void* count, CNMEAInterpreter*) {
    ++*static_cast<int*>(count);
  }
  static void TD_STDCALL Timeout(void* self, CNMEAInterpreter*, uint32_t reason) {
    Add(self, {'O', double(reason), 0, 0});
  }

  CSteppedTimeSource time_{kStart};
  CGPSClock clock_{time_};
  CNMEAParser parser_;
  CNMEAInterpreter interpreter_;
  std::vector<SEvent> events_;
};

const char kRMC[] = "$GPRMC,235959.9996,A,5223.4567,S,00454.1234,W,10.0,270.0,290204,,,A*61\r\n";
const char kVTG[] = "$GPVTG,270.0,T,,M,10.0,N,18.0,K,A*00\r\n";
const char kGSA[] = "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n";

TEST_F(NmeaInterpreter, RMCReportsConvertedValues) {
  Feed(kRMC);
  const auto fixes = Take('F'), speeds = Take('S'), courses = Take('C'), positions = Take('P');
  ASSERT_EQ(fixes.size(), 1u);
  EXPECT_EQ(fixes[0].A, 1);
  ASSERT_EQ(speeds.size(), 1u);
  EXPECT_EQ(float(speeds[0].A), 5.1444445f);
  ASSERT_EQ(courses.size(), 1u);
  EXPECT_EQ(float(courses[0].A), -1.5707965f);
  ASSERT_EQ(positions.size(), 1u);
  EXPECT_NEAR(positions[0].A * 180 / std::numbers::pi, -52.390945, 1e-12);
  EXPECT_NEAR(positions[0].B * 180 / std::numbers::pi, -4.902056666666667, 1e-12);
  EXPECT_NEAR(positions[0].Time, 38046.999999988426, 1e-9);
  EXPECT_EQ(clock_.GetState(), 2u);
}

TEST_F(NmeaInterpreter, VTGReportsBothSpeedsKmhFirst) {
  Feed(kVTG);
  const auto speeds = Take('S'), courses = Take('C');
  ASSERT_EQ(speeds.size(), 2u);
  EXPECT_EQ(float(speeds[0].A), 5.0f);
  EXPECT_EQ(float(speeds[1].A), 5.1444445f);
  ASSERT_EQ(courses.size(), 1u);
  EXPECT_EQ(float(courses[0].A), -1.5707965f);
}

TEST_F(NmeaInterpreter, QualityZeroReportsOnlyTheFixAndPlaysFixLostOnce) {
  CSoundCounter lost, gained;
  interpreter_.SetFixLostSound(&lost);
  interpreter_.SetFixGainedSound(&gained);
  Feed(NMEA("GPGGA,092725.00,4717.11399,N,00833.91590,E,0,08,1.01,499.6,M,48.0,M,,"));
  time_.StepSeconds(1);
  Feed(NMEA("GPGGA,092726.00,4717.11399,N,00833.91590,E,0,08,1.01,499.6,M,48.0,M,,"));
  EXPECT_EQ(events_.size(), 2u);
  EXPECT_EQ(Take('F').size(), 2u);
  EXPECT_EQ(lost.plays, 1);
  time_.StepSeconds(1);
  Feed(NMEA("GPGGA,092727.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,"));
  EXPECT_EQ(gained.plays, 1);
  EXPECT_EQ(clock_.GetState(), 1u);
}

TEST_F(NmeaInterpreter, GSAFixOutranksAPlainFix) {
  Feed(kGSA);
  const auto satellites = Take('N');
  ASSERT_EQ(satellites.size(), 1u);
  EXPECT_EQ(satellites[0].A, 5);
  Forget();
  Feed("$GPGGA,092725.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,*5B\r\n");
  const auto fixes = Take('F');
  ASSERT_EQ(fixes.size(), 1u);
  EXPECT_EQ(fixes[0].A, 3);
}

TEST_F(NmeaInterpreter, RMCWarningWithModeStillReportsItsPosition) {
  Feed(NMEA("GPRMC,090000.00,V,5223.4567,N,00454.1234,E,,,290204,,,A"));
  EXPECT_EQ(Take('P').size(), 1u);
  Forget();
  Feed(NMEA("GPRMC,090001.00,V,5223.4567,N,00454.1234,E,,,290204,,,"));
  EXPECT_EQ(events_.size(), 1u);
  EXPECT_EQ(Take('F').size(), 1u);
}

// GGA and RMC from one talker each second: GGA's positions lead, RMC's are
// not accepted (1 / 1 is not below 0.75); RMC's measured course takes over
// from the course derived from GGA (1 / 1 < 2.2).
TEST_F(NmeaInterpreter, ArbitrationBetweenGGAAndRMC) {
  for (int i = 0; i < 5; ++i) {
    char seconds[3];
    std::snprintf(seconds, sizeof seconds, "%02d", i);
    const double minutes = 23.4567 + 0.001 * i;
    char lat[16];
    std::snprintf(lat, sizeof lat, "52%.4f", minutes);
    Feed(NMEA(std::string("GPGGA,0900") + seconds + ".00," + lat +
              ",N,00454.1234,E,1,08,1.0,1.0,M,1.0,M,,"));
    time_.StepSeconds(0.1);
    Feed(NMEA(std::string("GPRMC,0900") + seconds + ".00,A," + lat +
              ",N,00454.1234,E,10.0,45.0,290204,,,A"));
    time_.StepSeconds(0.9);
  }
  EXPECT_EQ(interpreter_.GetPositionQueue()->GetCurrentType(), 1u);
  EXPECT_EQ(interpreter_.GetCourseQueue()->GetCurrentType(), 32u);
  EXPECT_EQ(interpreter_.GetClockQueue()->GetCurrentType(), 16u);
  const auto positions = Take('P');
  ASSERT_EQ(positions.size(), 5u);  // one per second: GGA's
  const auto courses = Take('C');
  ASSERT_GE(courses.size(), 3u);
  EXPECT_NEAR(courses.back().A, std::numbers::pi / 4, 1e-6);
}

TEST_F(NmeaInterpreter, TimeoutReasonOneOncePerPeriod) {
  time_.StepSeconds(10.5);
  interpreter_.Poll();  // without OnTimeout nothing moves
  ListenForTimeouts();
  interpreter_.Poll();
  interpreter_.Poll();
  ASSERT_EQ(Take('O').size(), 1u);
  EXPECT_EQ(events_[0].A, 1);
  time_.StepSeconds(10);
  interpreter_.Poll();
  EXPECT_EQ(Take('O').size(), 1u);
  time_.StepSeconds(0.5);
  interpreter_.Poll();
  EXPECT_EQ(Take('O').size(), 2u);
}

TEST_F(NmeaInterpreter, TimeoutReasonsTwoThreeAndFour) {
  ListenForTimeouts();
  for (int i = 0; i < 12; ++i) {
    Feed(NMEA("GPGSV,1,1,01,03,03,111,00"));
    time_.StepSeconds(1);
    interpreter_.Poll();
  }
  ASSERT_EQ(Take('O').size(), 1u);
  EXPECT_EQ(Take('O')[0].A, 2);
  Forget();
  for (int i = 0; i < 12; ++i) {
    Feed(NMEA("GPGSV,1,1,01,03,03,111,00"));
    if (i == 0) Feed(NMEA("GPGGA,,,,,,0"));
    time_.StepSeconds(1);
    interpreter_.Poll();
  }
  ASSERT_EQ(Take('O').size(), 1u);
  EXPECT_EQ(Take('O')[0].A, 4);
  Forget();
  time_.StepSeconds(11);
  interpreter_.Poll();
  ASSERT_EQ(Take('O').size(), 1u);
  EXPECT_EQ(Take('O')[0].A, 3);
}

// A receiver without a fix sends no time for longer than the hold window;
// the window opens with the first time that reaches the clock.
TEST_F(NmeaInterpreter, ColdStartOpensTheHoldWindowWithTheFirstTime) {
  for (int i = 0; i < 10; ++i) {
    Feed(NMEA("GPGGA,,,,,,0,00,99.99,,,,,,"));
    Feed(NMEA("GPRMC,,V,,,,,,,,,,N"));
    time_.StepSeconds(1);
  }
  EXPECT_TRUE(clock_.IsHoldOver());
  Feed(NMEA("GPGGA,090010.00,5223.4567,N,00454.1234,E,1,08,1.0,1.0,M,1.0,M,,"));
  EXPECT_EQ(clock_.GetState(), 1u);
  EXPECT_FALSE(clock_.IsHoldOver());
  EXPECT_TRUE(Take('T').empty());  // no timed position inside the window
  time_.StepSeconds(1);
  Feed(NMEA("GPRMC,090011.00,A,5223.4567,N,00454.1234,E,0.0,0.0,290204,,,A"));
  EXPECT_EQ(clock_.GetState(), 2u);
  EXPECT_TRUE(clock_.IsHoldOver());  // the dated time closed the window
  time_.StepSeconds(1);
  Feed(NMEA("GPGGA,090012.00,5223.4567,N,00454.1234,E,1,08,1.0,1.0,M,1.0,M,,"));
  const auto timed = Take('T');
  ASSERT_EQ(timed.size(), 1u);
  EXPECT_NEAR(timed[0].Time, 38046 + EncodeTime(9, 0, 12, 0), 1e-9);
}

TEST_F(NmeaInterpreter, PositionsLeaveTheReceiversDatumForWGS84) {
  const SGeodeticDatum* ed50 = GeodeticDatumFindByCode("EUR-A");
  ASSERT_NE(ed50, nullptr);
  EXPECT_EQ(interpreter_.GetDatum(), GeodeticWGS84Datum());
  interpreter_.SetDatum(ed50);
  interpreter_.SetDatum(nullptr);
  EXPECT_EQ(interpreter_.GetDatum(), ed50);
  Feed("$GPGGA,092725.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,*5B\r\n");
  const auto positions = Take('P');
  ASSERT_EQ(positions.size(), 1u);
  SGeo3D expected;
  GeodeticDatumTransform3(
      expected, *GeodeticWGS84Datum(),
      SGeo3D{47.28523316666667 * std::numbers::pi / 180, 8.565265 * std::numbers::pi / 180, 0},
      *ed50);
  EXPECT_NEAR(positions[0].A, expected.lat, 1e-15);
  EXPECT_NEAR(positions[0].B, expected.lon, 1e-15);
  EXPECT_GT(std::fabs(positions[0].A - 47.28523316666667 * std::numbers::pi / 180), 1e-7);
}

TEST_F(NmeaInterpreter, FlaggedAndInactiveSentencesAreIgnored) {
  int updates = 0;
  interpreter_.SetOnUpdate(&CountUpdate, &updates);
  Feed("$GPRMC,235959.9996,A,5223.4567,S,00454.1234,W,10.0,270.0,290204,,,A*62\r\n");
  Feed("$PXYZA,93,f,3*39\r\n");
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(updates, 0);
  Feed(NMEA("GPTXT,01"));
  EXPECT_EQ(updates, 1);
  interpreter_.SetActive(0);
  EXPECT_FALSE(interpreter_.IsActive());
  Feed(kRMC);
  EXPECT_TRUE(events_.empty());
  interpreter_.Poll();
  EXPECT_EQ(updates, 2);
}

TEST_F(NmeaInterpreter, QueuesAreReadableAndBounded) {
  Feed(kRMC);
  CNMEAMsgQueue* fix = interpreter_.GetFixQueue();
  ASSERT_EQ(fix->GetCount(), 1);
  EXPECT_EQ(fix->GetItem(0)->Type, 16u);
  EXPECT_EQ(fix->GetItem(0)->Talker, 0x5047u);
  EXPECT_EQ(fix->GetItem(1), nullptr);
  EXPECT_EQ(interpreter_.GetSpeedQueue()->GetItem(0)->Type, 32u);
  EXPECT_EQ(interpreter_.GetSatellitesQueue()->GetCount(), 0);
  interpreter_.SetActive(0);
  EXPECT_EQ(fix->GetCount(), 0);
}

TEST_F(NmeaInterpreter, SettersAndGetters) {
  EXPECT_TRUE(interpreter_.GetTimeoutEnabled());
  EXPECT_EQ(interpreter_.GetTimeout(), 10.0f);
  interpreter_.SetTimeout(2.5f);
  EXPECT_EQ(interpreter_.GetTimeout(), 2.5f);
  interpreter_.SetTimeoutEnabled(0);
  ListenForTimeouts();
  time_.StepSeconds(30);
  interpreter_.Poll();
  EXPECT_TRUE(events_.empty());
  interpreter_.SetTimeoutEnabled(1);  // the period starts again here
  interpreter_.Poll();
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(interpreter_.GetOnTimeout()->IsSet());
  EXPECT_FALSE(interpreter_.GetOnUpdate()->IsSet());
  EXPECT_EQ(interpreter_.GetFixLostSound(), nullptr);
}

}  // namespace
