// A manager with one database for the model tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "lib/foundation/text/Language.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointLink.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"

struct SBmpFree {
  void operator()(CBmp32* bitmap) const { td::Free(bitmap); }
};
using BmpPtr = std::unique_ptr<CBmp32, SBmpFree>;

// A bitmap with a DC of its own (for text), every pixel one colour.
inline BmpPtr Filled(int32_t width, int32_t height, uint32_t colour) {
  BmpPtr bitmap(new CBmp32(width, height, true));
  bitmap->Fill(colour);
  return bitmap;
}

inline CWaypointManager* NewManager() {
  SWaypointManagerArgs args{0x1234, nullptr, nullptr,  1,
                            16.0f,  16.0f,   "Tahoma", {10, 1, 0xFF000000u, 8, 0, 0xFF000000u},
                            5};
  return new CWaypointManager(args);
}

inline CRoutePoint* RoutePointCreateForTest() {
  return new CRoutePoint(nullptr, CStr(), nullptr, SGeo3D{0.1, 0.2, 0.3}, 0.0f);
}

constexpr double kDeg = 3.14159265358979323846 / 180.0;

inline SGeo3D Deg(double lat, double lon) { return SGeo3D{lat * kDeg, lon * kDeg, 0.0}; }

class WaypointTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(kLangEnglish);
    manager = NewManager();
    CStr name("Test");
    db = manager->CreateDatabase(&name, 0x01020304, 0);
  }
  void TearDown() override {
    td::Free(manager);
    SetLanguage(kLangEnglish);
  }

  CWaypoint* AddAt(double lat, double lon) {
    SGeo3D p = Deg(lat, lon);
    return db->AddWaypoint(&p, nullptr);
  }

  CWaypointManager* manager = nullptr;
  CWaypointDatabase* db = nullptr;
  uint32_t error = 0xDEAD;
};
