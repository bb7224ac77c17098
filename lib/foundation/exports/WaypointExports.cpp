// Exports of the waypoint model: the checks of names, icons and font sizes,
// and the factories of free route points, lists and the waypoint manager.
#include "lib/foundation/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"

TDEXPORT(uint8_t) WPMCheckName(const CStr* name, uint32_t* error) {
  return td::WPMCheckName(*name, error);
}

TDEXPORT(uint8_t) WPMCheckIcon(int32_t width, int32_t height, float x, float y, uint32_t* error) {
  return td::WPMCheckIcon(width, height, x, y, error);
}

TDEXPORT(uint8_t) WPMCheckIconOverlay(int32_t width, int32_t height, uint32_t* error) {
  return td::WPMCheckIconOverlay(width, height, error);
}

TDEXPORT(uint8_t) WPMCheckFontSize(int32_t size, uint32_t* error) {
  return td::WPMCheckFontSize(size, error);
}

TDEXPORT(CRoutePoint*) RoutePointCreate(const SGeo3D* position, float radius) {
  return td::Create<CRoutePoint>(nullptr, CStr(), nullptr, *position, radius);
}

TDEXPORT(CWaypointList*) WaypointListCreate() { return td::Create<CWaypointList>(false); }

TDEXPORT(CWaypointGroupList*) WaypointGroupListCreate() {
  return td::Create<CWaypointGroupList>(false);
}

TDEXPORT(CWaypointManager*)
WaypointManagerCreate(uintptr_t hostValue, CBmp32* icon, CBmp32* overlay, uint8_t unused,
                      float originX, float originY, const char* fontName, int32_t nameFontSize,
                      uint32_t nameFontStyle, uint32_t nameColor, int32_t commentFontSize,
                      uint32_t commentFontStyle, uint32_t commentColor, int32_t labelPlacement) {
  STypeLook look{nameFontSize,    nameFontStyle,    nameColor,
                 commentFontSize, commentFontStyle, commentColor};
  SWaypointManagerArgs args{hostValue, icon,     overlay, unused,        originX,
                            originY,   fontName, look,    labelPlacement};
  return td::Create<CWaypointManager>(args);
}
