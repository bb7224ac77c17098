// The GPS exports as a plain C host uses them, and the record layouts that
// the header gives such a host.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "TdLib.h"

extern "C" int RunGpsCHost(const char* dll_path, char* message);

static_assert(sizeof(TdNMEAGGA) == 80 && offsetof(TdNMEAGGA, time) == 48 &&
              offsetof(TdNMEAGGA, quality) == 56 && offsetof(TdNMEAGGA, satellites) == 60 &&
              offsetof(TdNMEAGGA, stationId) == 64 && offsetof(TdNMEAGGA, latitudeValid) == 68);
static_assert(sizeof(TdNMEAGLL) == 32 && offsetof(TdNMEAGLL, latitudeValid) == 26);
static_assert(sizeof(TdNMEAGSA) == 104 && offsetof(TdNMEAGSA, idCount) == 48 &&
              offsetof(TdNMEAGSA, fixType) == 52 && offsetof(TdNMEAGSA, pdop) == 56 &&
              offsetof(TdNMEAGSA, hdop) == 64 && offsetof(TdNMEAGSA, vdop) == 72 &&
              offsetof(TdNMEAGSA, mode) == 80 && offsetof(TdNMEAGSA, modeValid) == 81 &&
              offsetof(TdNMEAGSA, idCountValid) == 86);
static_assert(sizeof(TdNMEAGSV) == 96 && offsetof(TdNMEAGSV, messageCountValid) == 76);
static_assert(sizeof(TdNMEARMC) == 56 && offsetof(TdNMEARMC, speed) == 16 &&
              offsetof(TdNMEARMC, course) == 20 && offsetof(TdNMEARMC, variation) == 24 &&
              offsetof(TdNMEARMC, time) == 28 && offsetof(TdNMEARMC, date) == 36 &&
              offsetof(TdNMEARMC, status) == 42 && offsetof(TdNMEARMC, mode) == 43 &&
              offsetof(TdNMEARMC, latitudeValid) == 44);
static_assert(sizeof(TdNMEAVTG) == 24 && offsetof(TdNMEAVTG, mode) == 16 &&
              offsetof(TdNMEAVTG, speedKnotsValid) == 17);
static_assert(sizeof(TdNMEAMsg) == 24 && offsetof(TdNMEAMsg, interval) == 16);
static_assert(sizeof(TdNMEAPosMsg) == 40 && offsetof(TdNMEAPosMsg, talker) == 32);

TEST(GpsHost, PlainCHostThroughTheTables) {
  char message[128] = "";
  EXPECT_EQ(RunGpsCHost((std::string(TDLIB_DIST_DIR) + "/TdLib.dll").c_str(), message), 1)
      << message;
}
