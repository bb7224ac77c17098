// The sentence readers on sentences whose values were decoded by hand and
// confirmed by gpsdecode (positions and times), and the field rules' edges.
#include <gtest/gtest.h>

#include "tests/gps/NmeaCollector.h"

namespace {

SCapturedSentence ParseOne(const std::string& text) {
  CNMEACollector collector;
  collector.Parse(text);
  EXPECT_EQ(collector.Sentences().size(), 1u) << text;
  return collector.Sentences().empty() ? SCapturedSentence{} : collector.Sentences()[0];
}

void ExpectTime(const SNMEATime& t, int h, int m, int s, int ms) {
  EXPECT_EQ(t.Hour, h);
  EXPECT_EQ(t.Minute, m);
  EXPECT_EQ(t.Second, s);
  EXPECT_EQ(t.Millisecond, ms);
}

TEST(NmeaSentence, GLLOfTheReference) {
  SCapturedSentence s = ParseOne("$GPGLL,5223.4567,N,00454.1234,E,123519.00,A,A*63\r\n");
  EXPECT_EQ(s.TalkerId, 0x5047u);
  EXPECT_EQ(s.SentenceId, 0x4C4C47u);
  EXPECT_EQ(s.Flags, 0u);
  EXPECT_EQ(s.Fields.size(), 7u);
  ASSERT_TRUE(s.GLL.LatitudeValid && s.GLL.LongitudeValid && s.GLL.TimeValid && s.GLL.StatusValid &&
              s.GLL.ModeValid);
  EXPECT_NEAR(s.GLL.Latitude, 52.390945, 1e-12);
  EXPECT_NEAR(s.GLL.Longitude, 4.902056666666667, 1e-12);
  ExpectTime(s.GLL.Time, 12, 35, 19, 0);
  EXPECT_EQ(s.GLL.Status, 'A');
  EXPECT_EQ(s.GLL.Mode, 'A');
  EXPECT_EQ(ParseOne("$GPGLL,5223.4567,N,00454.1234,E,123519.00,A,A*64\r\n").Flags, 4u);
}

TEST(NmeaSentence, SixDigitTimeIsAWholeSecond) {
  SCapturedSentence s = ParseOne("$GPGLL,5223.4567,N,00454.1234,E,123519,A,A*4D\r\n");
  EXPECT_EQ(s.Flags, 0u);
  ASSERT_TRUE(s.GLL.TimeValid);
  ExpectTime(s.GLL.Time, 12, 35, 19, 0);
}

TEST(NmeaSentence, GGAOfTheReference) {
  SNMEAGGA g =
      ParseOne("$GPGGA,092725.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,*5B\r\n").GGA;
  ASSERT_TRUE(g.LatitudeValid && g.LongitudeValid && g.TimeValid && g.QualityValid &&
              g.SatellitesValid);
  EXPECT_NEAR(g.Latitude, 47.28523316666667, 1e-12);
  EXPECT_NEAR(g.Longitude, 8.565265, 1e-12);
  ExpectTime(g.Time, 9, 27, 25, 0);
  EXPECT_EQ(g.Quality, 1u);
  EXPECT_EQ(g.Satellites, 8u);
  EXPECT_TRUE(g.HDOPValid && g.AltitudeValid && g.GeoidSeparationValid);
  EXPECT_DOUBLE_EQ(g.HDOP, 1.01);
  EXPECT_DOUBLE_EQ(g.Altitude, 499.6);
  EXPECT_DOUBLE_EQ(g.GeoidSeparation, 48.0);
  EXPECT_FALSE(g.DifferentialAgeValid);
  EXPECT_FALSE(g.StationIdValid);
}

TEST(NmeaSentence, EmptyGGAHasOnlyQualitySatellitesAndDilution) {
  SNMEAGGA g = ParseOne("$GPGGA,,,,,,0,00,99.99,,,,,,*48\r\n").GGA;
  const uint8_t flags[10] = {g.LatitudeValid, g.LongitudeValid,       g.HDOPValid,
                             g.AltitudeValid, g.GeoidSeparationValid, g.DifferentialAgeValid,
                             g.TimeValid,     g.QualityValid,         g.SatellitesValid,
                             g.StationIdValid};
  const uint8_t expected[10] = {0, 0, 1, 0, 0, 0, 0, 1, 1, 0};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(flags[i], expected[i]) << i;
  EXPECT_EQ(g.Quality, 0u);
  EXPECT_EQ(g.Satellites, 0u);
  EXPECT_DOUBLE_EQ(g.HDOP, 99.99);
}

TEST(NmeaSentence, RMCOfTheReference) {
  SNMEARMC r =
      ParseOne("$GPRMC,235959.9996,A,5223.4567,S,00454.1234,W,10.0,270.0,290204,,,A*61\r\n").RMC;
  ASSERT_TRUE(r.TimeValid && r.DateValid && r.LatitudeValid && r.LongitudeValid && r.SpeedValid &&
              r.CourseValid);
  ExpectTime(r.Time, 23, 59, 59, 999);
  EXPECT_EQ(r.Date.Year, 4);
  EXPECT_EQ(r.Date.Month, 2);
  EXPECT_EQ(r.Date.Day, 29);
  EXPECT_NEAR(r.Latitude, -52.390945, 1e-12);
  EXPECT_NEAR(r.Longitude, -4.902056666666667, 1e-12);
  EXPECT_EQ(r.Speed, 10.0f);
  EXPECT_EQ(r.Course, 270.0f);
  EXPECT_FALSE(r.VariationValid);
  EXPECT_EQ(r.Status, 'A');
  EXPECT_EQ(r.Mode, 'A');
}

TEST(NmeaSentence, VTGAndGSA) {
  SNMEAVTG v = ParseOne("$GPVTG,270.0,T,,M,10.0,N,18.0,K,A*00\r\n").VTG;
  EXPECT_TRUE(v.SpeedKnotsValid && v.SpeedKmhValid && v.CourseTrueValid && v.ModeValid);
  EXPECT_FALSE(v.CourseMagneticValid);
  EXPECT_EQ(v.SpeedKnots, 10.0f);
  EXPECT_EQ(v.SpeedKmh, 18.0f);
  EXPECT_EQ(v.CourseTrue, 270.0f);
  EXPECT_EQ(v.Mode, 'A');

  SNMEAGSA g = ParseOne("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n").GSA;
  EXPECT_EQ(g.IdCount, 5u);
  EXPECT_TRUE(g.IdCountValid);
  const uint32_t ids[12] = {4, 5, 0, 9, 12, 0, 0, 24, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(g.SatelliteIds[i], ids[i]) << i;
    EXPECT_EQ(g.SatelliteIdValid[i], ids[i] != 0) << i;
  }
  EXPECT_EQ(g.FixType, 3u);
  EXPECT_EQ(g.Mode, 'A');
  EXPECT_DOUBLE_EQ(g.PDOP, 2.5);
  EXPECT_DOUBLE_EQ(g.HDOP, 1.3);
  EXPECT_DOUBLE_EQ(g.VDOP, 2.1);
}

TEST(NmeaSentence, GSVSatellitesByPosition) {
  SNMEAGSV g = ParseOne(NMEA("GPGSV,3,1,11,03,03,111,00,04,15,270,,06,01,010,12,13,06,292,00")).GSV;
  EXPECT_EQ(g.MessageCount, 3u);
  EXPECT_EQ(g.MessageNumber, 1u);
  EXPECT_EQ(g.SatellitesInView, 11u);
  const uint32_t ids[4] = {3, 4, 6, 13}, elevations[4] = {3, 15, 1, 6},
                 azimuths[4] = {111, 270, 10, 292};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(g.SatelliteIds[k], ids[k]);
    EXPECT_EQ(g.Elevations[k], elevations[k]);
    EXPECT_EQ(g.Azimuths[k], azimuths[k]);
  }
  EXPECT_EQ(g.SignalToNoise[2], 12u);
  EXPECT_FALSE(g.SignalToNoiseValid[1]);
}

TEST(NmeaSentence, EscapedCommaStaysInsideItsField) {
  SCapturedSentence s = ParseOne(
      "$GPGGA,092725.00,4717.11399^2C,N,00833.91590,E,1,^30^38,1.01,499.6,M,48.0,M,,*74\r\n");
  EXPECT_EQ(s.Flags, 0u);
  EXPECT_EQ(s.Fields[1], "4717.11399,");
  EXPECT_FALSE(s.GGA.LatitudeValid);
  EXPECT_TRUE(s.GGA.LongitudeValid);
  EXPECT_NEAR(s.GGA.Longitude, 8.565265, 1e-12);
  EXPECT_EQ(s.GGA.Satellites, 8u);
}

// One field each, read as the first field of a GLL (latitude, hemisphere in
// the second), an RMC (time, date) or a GGA (satellites).
struct SFieldCase {
  const char* body;
  bool valid;
  double value;
};

TEST(NmeaSentence, LatitudeRules) {
  const SFieldCase cases[] = {
      {"GPGLL,5223.4567,N", true, 52.390945},
      {"GPGLL,5223.4567,n", false, 0},
      {"GPGLL,9100.0000,N", false, 0},
      {"GPGLL,8959.9999,N", true, 89.99999833333333},
      {"GPGLL,9000.0000,S", true, -90},
      {"GPGLL,0060.0000,N", false, 0},
      {"GPGLL,5223.4567,", false, 0},
      {"GPGLL,5223.4567", false, 0},
      {"GPGLL,52,N", false, 0},
      {"GPGLL,-523.000,N", false, 0},
  };
  for (const SFieldCase& c : cases) {
    SNMEAGLL g = ParseOne(NMEA(c.body)).GLL;
    EXPECT_EQ(g.LatitudeValid, c.valid) << c.body;
    if (c.valid) {
      EXPECT_NEAR(g.Latitude, c.value, 1e-12) << c.body;
    }
  }
  SNMEAGLL g = ParseOne(NMEA("GPGLL,5223.4567,N,18000.0001,E")).GLL;
  EXPECT_FALSE(g.LongitudeValid);
}

TEST(NmeaSentence, TimeAndDateRules) {
  struct {
    const char* time;
    bool valid;
    int ms;
  } times[] = {{"235959.9996", true, 999}, {"235960.00", false, 0}, {"240000.00", false, 0},
               {"235959.", false, 0},      {"2359", false, 0},      {"120000.5", true, 500},
               {"120000", true, 0},        {"1200001", false, 0},   {"12-100.00", false, 0}};
  for (const auto& c : times) {
    SNMEARMC r = ParseOne(NMEA(std::string("GPRMC,") + c.time)).RMC;
    EXPECT_EQ(r.TimeValid, c.valid) << c.time;
    if (c.valid) {
      EXPECT_EQ(r.Time.Millisecond, c.ms) << c.time;
    }
  }
  struct {
    const char* date;
    bool valid;
  } dates[] = {{"290204", true},  {"290203", false}, {"310404", false}, {"300404", true},
               {"011300", false}, {"000100", false}, {"2802", true}};
  for (const auto& c : dates) {
    SNMEARMC r = ParseOne(NMEA(std::string("GPRMC,,,,,,,,,") + c.date)).RMC;
    EXPECT_EQ(r.DateValid, c.valid) << c.date;
  }
}

TEST(NmeaSentence, VariationAndNegativeCounts) {
  SNMEARMC r = ParseOne(NMEA("GPRMC,,,,,,,,,,3.1,W")).RMC;
  ASSERT_TRUE(r.VariationValid);
  EXPECT_FLOAT_EQ(r.Variation, -3.1f);
  EXPECT_FALSE(ParseOne(NMEA("GPRMC,,,,,,,,,,181,E")).RMC.VariationValid);
  EXPECT_FALSE(ParseOne(NMEA("GPRMC,,,,,,,,,,3.1,w")).RMC.VariationValid);
  // A negative count is no count: it would read as 4294967295 unsigned.
  SNMEAGGA g = ParseOne(NMEA("GPGGA,,,,,,1,-1")).GGA;
  EXPECT_FALSE(g.SatellitesValid);
  EXPECT_TRUE(g.QualityValid);
}

TEST(NmeaSentence, ProprietaryAndQueryIdentifiers) {
  SCapturedSentence p = ParseOne("$PXYZA,93,f,3*39\r\n");
  EXPECT_EQ(p.Flags, 1u);
  EXPECT_EQ(p.TalkerId, 0x50u);
  EXPECT_EQ(p.SentenceId, 0u);
  EXPECT_EQ(p.MakerId, "XYZ");
  ASSERT_EQ(p.Fields.size(), 1u);
  EXPECT_EQ(p.Fields[0], ",93,f,3");

  SCapturedSentence q = ParseOne("$CCGPQ,GGA*2B\r\n");
  EXPECT_EQ(q.Flags, 2u);
  EXPECT_EQ(q.TalkerId, 0x4343u);
  EXPECT_EQ(q.ListenerId, 0x5047u);
  EXPECT_EQ(q.SentenceId, 0u);
  ASSERT_EQ(q.Fields.size(), 1u);
  EXPECT_EQ(q.Fields[0], "GGA");
}

TEST(NmeaSentence, ReadersIgnoreTheFormatter) {
  // A GLL read as a GGA: field 1 is "N", so there is no latitude.
  SCapturedSentence s = ParseOne("$GPGLL,5223.4567,N,00454.1234,E,123519.00,A,A*63\r\n");
  EXPECT_FALSE(s.GGA.LatitudeValid);
  EXPECT_FALSE(s.GGA.TimeValid);
}

}  // namespace
