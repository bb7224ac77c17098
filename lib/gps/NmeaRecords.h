// The typed records of the NMEA sentence readers. Hosts read them: each holds
// its values first and then one byte flag per value, in the same order; a
// value is to be used only when its flag is not 0. Latitudes and longitudes
// are degrees, north and east positive.
#pragma once

#include <cstddef>
#include <cstdint>

struct SNMEATime {
  uint16_t Hour;
  uint16_t Minute;
  uint16_t Second;
  uint16_t Millisecond;
};

// The year is the sentence's two digits, 0 to 99.
struct SNMEADate {
  uint16_t Year;
  uint16_t Month;
  uint16_t Day;
};

struct SNMEAGGA {
  double Latitude;
  double Longitude;
  double HDOP;
  double Altitude;
  double GeoidSeparation;
  double DifferentialAge;
  SNMEATime Time;
  uint32_t Quality;
  uint32_t Satellites;
  uint32_t StationId;
  uint8_t LatitudeValid;
  uint8_t LongitudeValid;
  uint8_t HDOPValid;
  uint8_t AltitudeValid;
  uint8_t GeoidSeparationValid;
  uint8_t DifferentialAgeValid;
  uint8_t TimeValid;
  uint8_t QualityValid;
  uint8_t SatellitesValid;
  uint8_t StationIdValid;
};

struct SNMEAGLL {
  double Latitude;
  double Longitude;
  SNMEATime Time;
  char Status;
  char Mode;
  uint8_t LatitudeValid;
  uint8_t LongitudeValid;
  uint8_t TimeValid;
  uint8_t StatusValid;
  uint8_t ModeValid;
};

struct SNMEAGSA {
  uint32_t SatelliteIds[12];
  uint32_t IdCount;  // ids whose flag is set
  uint32_t FixType;  // 1 none, 2 two-dimensional, 3 three-dimensional
  double PDOP;
  double HDOP;
  double VDOP;
  char Mode;
  uint8_t ModeValid;
  uint8_t FixTypeValid;
  uint8_t PDOPValid;
  uint8_t HDOPValid;
  uint8_t VDOPValid;
  uint8_t IdCountValid;  // always set
  uint8_t SatelliteIdValid[12];
};

struct SNMEAGSV {
  uint32_t MessageCount;
  uint32_t MessageNumber;
  uint32_t SatellitesInView;
  uint32_t SatelliteIds[4];
  uint32_t Elevations[4];
  uint32_t Azimuths[4];
  uint32_t SignalToNoise[4];
  uint8_t MessageCountValid;
  uint8_t MessageNumberValid;
  uint8_t SatellitesInViewValid;
  uint8_t SatelliteIdValid[4];
  uint8_t ElevationValid[4];
  uint8_t AzimuthValid[4];
  uint8_t SignalToNoiseValid[4];
};

struct SNMEARMC {
  double Latitude;
  double Longitude;
  float Speed;      // knots
  float Course;     // degrees true
  float Variation;  // degrees, west negative
  SNMEATime Time;
  SNMEADate Date;
  char Status;  // 'A' valid, 'V' warning
  char Mode;
  uint8_t LatitudeValid;
  uint8_t LongitudeValid;
  uint8_t SpeedValid;
  uint8_t CourseValid;
  uint8_t VariationValid;
  uint8_t TimeValid;
  uint8_t DateValid;
  uint8_t StatusValid;
  uint8_t ModeValid;
};

struct SNMEAVTG {
  float SpeedKnots;
  float SpeedKmh;
  float CourseTrue;
  float CourseMagnetic;
  char Mode;
  uint8_t SpeedKnotsValid;
  uint8_t SpeedKmhValid;
  uint8_t CourseTrueValid;
  uint8_t CourseMagneticValid;
  uint8_t ModeValid;
};

// Natural alignment gives the same layouts in every build.
static_assert(sizeof(SNMEAGGA) == 80 && offsetof(SNMEAGGA, Time) == 48 &&
              offsetof(SNMEAGGA, Quality) == 56 && offsetof(SNMEAGGA, Satellites) == 60 &&
              offsetof(SNMEAGGA, StationId) == 64 && offsetof(SNMEAGGA, LatitudeValid) == 68 &&
              offsetof(SNMEAGGA, StationIdValid) == 77);
static_assert(sizeof(SNMEAGLL) == 32 && offsetof(SNMEAGLL, Time) == 16 &&
              offsetof(SNMEAGLL, Status) == 24 && offsetof(SNMEAGLL, LatitudeValid) == 26 &&
              offsetof(SNMEAGLL, ModeValid) == 30);
static_assert(sizeof(SNMEAGSA) == 104 && offsetof(SNMEAGSA, IdCount) == 48 &&
              offsetof(SNMEAGSA, FixType) == 52 && offsetof(SNMEAGSA, PDOP) == 56 &&
              offsetof(SNMEAGSA, HDOP) == 64 && offsetof(SNMEAGSA, VDOP) == 72 &&
              offsetof(SNMEAGSA, Mode) == 80 && offsetof(SNMEAGSA, ModeValid) == 81 &&
              offsetof(SNMEAGSA, IdCountValid) == 86 && offsetof(SNMEAGSA, SatelliteIdValid) == 87);
static_assert(sizeof(SNMEAGSV) == 96 && offsetof(SNMEAGSV, SatelliteIds) == 12 &&
              offsetof(SNMEAGSV, SignalToNoise) == 60 &&
              offsetof(SNMEAGSV, MessageCountValid) == 76 &&
              offsetof(SNMEAGSV, SignalToNoiseValid) == 91);
static_assert(sizeof(SNMEARMC) == 56 && offsetof(SNMEARMC, Speed) == 16 &&
              offsetof(SNMEARMC, Course) == 20 && offsetof(SNMEARMC, Variation) == 24 &&
              offsetof(SNMEARMC, Time) == 28 && offsetof(SNMEARMC, Date) == 36 &&
              offsetof(SNMEARMC, Status) == 42 && offsetof(SNMEARMC, Mode) == 43 &&
              offsetof(SNMEARMC, LatitudeValid) == 44 && offsetof(SNMEARMC, ModeValid) == 52);
static_assert(sizeof(SNMEAVTG) == 24 && offsetof(SNMEAVTG, Mode) == 16 &&
              offsetof(SNMEAVTG, SpeedKnotsValid) == 17 && offsetof(SNMEAVTG, ModeValid) == 21);
