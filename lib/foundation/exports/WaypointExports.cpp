// Exports of the waypoint model: the checks of names, icons and font sizes,
// and the factories of free route points, lists and the waypoint manager.
#include <cstddef>

#include "TdLib.h"
#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointDrawing.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointSelfTest.h"

namespace td {
TD_HOST_CLASS(TdRoutePoint, CRoutePoint)
TD_HOST_CLASS(TdWaypointList, CWaypointList)
TD_HOST_CLASS(TdWaypointGroupList, CWaypointGroupList)
TD_HOST_CLASS(TdWaypointManager, CWaypointManager)
TD_HOST_CLASS(TdBmp32, CBmp32)
}  // namespace td

TDEXPORT(uint8_t) WPMCheckName(const TdStr* name, uint32_t* error) {
  return td::GuardCode(error, 0, [&] { return td::WPMCheckName(*td::FromHost(name), error); });
}

TDEXPORT(uint8_t) WPMCheckIcon(int32_t width, int32_t height, float x, float y, uint32_t* error) {
  return td::GuardCode(error, 0, [&] { return td::WPMCheckIcon(width, height, x, y, error); });
}

TDEXPORT(uint8_t) WPMCheckIconOverlay(int32_t width, int32_t height, uint32_t* error) {
  return td::GuardCode(error, 0, [&] { return td::WPMCheckIconOverlay(width, height, error); });
}

TDEXPORT(uint8_t) WPMCheckFontSize(int32_t size, uint32_t* error) {
  return td::GuardCode(error, 0, [&] { return td::WPMCheckFontSize(size, error); });
}

TDEXPORT(TdRoutePoint*) RoutePointCreate(const double* position, float radius) {
  return td::Guard(static_cast<TdRoutePoint*>(nullptr), [&]() -> TdRoutePoint* {
    if (!position) return nullptr;
    SGeo3D at{position[0], position[1], position[2]};
    return td::ToHost(td::Create<CRoutePoint>(nullptr, CStr(), nullptr, at, radius));
  });
}

TDEXPORT(TdWaypointList*) WaypointListCreate() {
  return td::ToHost(td::Create<CWaypointList>(false));
}

TDEXPORT(TdWaypointGroupList*) WaypointGroupListCreate() {
  return td::ToHost(td::Create<CWaypointGroupList>(false));
}

TDEXPORT(TdWaypointManager*)
WaypointManagerCreate(uintptr_t hostValue, TdBmp32* icon, TdBmp32* overlay, uint8_t unused,
                      float originX, float originY, const char* fontName, int32_t nameFontSize,
                      uint32_t nameFontStyle, uint32_t nameColor, int32_t commentFontSize,
                      uint32_t commentFontStyle, uint32_t commentColor, int32_t labelPlacement) {
  STypeLook look{nameFontSize,    nameFontStyle,    nameColor,
                 commentFontSize, commentFontStyle, commentColor};
  SWaypointManagerArgs args{
      hostValue, td::FromHost(icon), td::FromHost(overlay), unused, originX, originY, fontName,
      look,      labelPlacement};
  return td::ToHost(td::Create<CWaypointManager>(args));
}

TDEXPORT(uint8_t) ValidateWaypointDB(const char* fileName, uint32_t* error) {
  uint32_t ignored;
  if (!error) error = &ignored;
  return td::GuardCode(error, uint8_t{0}, [&] {
    return static_cast<uint8_t>(td::ValidateWaypointDB(CStr(fileName ? fileName : ""), error));
  });
}

static_assert(sizeof(TdWaypointHits) == sizeof(SWaypointHits) &&
                  offsetof(TdWaypointHits, entries) == offsetof(SWaypointHits, entries) &&
                  sizeof(TdWaypointHit) == sizeof(SWaypointHit),
              "the host's hit table is the library's");

TDEXPORT(void)
DrawWaypoints(TdBmp32* bitmap, TdGeodeticCalibration* view, const double* centre,
              double metresPerPixel, double viewRadius, TdWaypointList* waypoints, uint8_t labels,
              TdWaypointHits* hits) {
  auto* table = reinterpret_cast<SWaypointHits*>(hits);
  if (table) table->count = 0;
  if (!bitmap || !view || !centre || !waypoints) return;
  td::GuardVoid([&] {
    SWaypointView target{td::FromHost(bitmap), td::FromHost(view), {centre[0], centre[1]},
                         metresPerPixel, viewRadius};
    DrawWaypointList(target, *td::FromHost(waypoints), labels != 0, table);
  });
}
