// The GPS exports as a plain C host uses them, and the record layouts that
// the header gives such a host.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "TdLib.h"

extern "C" int RunGpsCHost(const char* dll_path, char* message);

static_assert(sizeof(SNMEAGGA) == 80 && offsetof(SNMEAGGA, time) == 48 &&
              offsetof(SNMEAGGA, quality) == 56 && offsetof(SNMEAGGA, satellites) == 60 &&
              offsetof(SNMEAGGA, stationId) == 64 && offsetof(SNMEAGGA, latitudeValid) == 68);
static_assert(sizeof(SNMEAGLL) == 32 && offsetof(SNMEAGLL, latitudeValid) == 26);
static_assert(sizeof(SNMEAGSA) == 104 && offsetof(SNMEAGSA, idCount) == 48 &&
              offsetof(SNMEAGSA, fixType) == 52 && offsetof(SNMEAGSA, pdop) == 56 &&
              offsetof(SNMEAGSA, hdop) == 64 && offsetof(SNMEAGSA, vdop) == 72 &&
              offsetof(SNMEAGSA, mode) == 80 && offsetof(SNMEAGSA, modeValid) == 81 &&
              offsetof(SNMEAGSA, idCountValid) == 86);
static_assert(sizeof(SNMEAGSV) == 96 && offsetof(SNMEAGSV, messageCountValid) == 76);
static_assert(sizeof(SNMEARMC) == 56 && offsetof(SNMEARMC, speed) == 16 &&
              offsetof(SNMEARMC, course) == 20 && offsetof(SNMEARMC, variation) == 24 &&
              offsetof(SNMEARMC, time) == 28 && offsetof(SNMEARMC, date) == 36 &&
              offsetof(SNMEARMC, status) == 42 && offsetof(SNMEARMC, mode) == 43 &&
              offsetof(SNMEARMC, latitudeValid) == 44);
static_assert(sizeof(SNMEAVTG) == 24 && offsetof(SNMEAVTG, mode) == 16 &&
              offsetof(SNMEAVTG, speedKnotsValid) == 17);
static_assert(sizeof(SNMEAMsg) == 24 && offsetof(SNMEAMsg, interval) == 16);
static_assert(sizeof(SNMEAPosMsg) == 40 && offsetof(SNMEAPosMsg, talker) == 32);

TEST(GpsHost, PlainCHostThroughTheTables) {
  char message[128] = "";
  EXPECT_EQ(RunGpsCHost((std::string(TDLIB_DIST_DIR) + "/TdLib.dll").c_str(), message), 1)
      << message;
}
