# Waypoints, routes, groups, types, lists, databases and the manager.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/waypoints/GpsNavigator.cpp
  lib/waypoints/GpsNavigatorRoute.cpp
  lib/waypoints/GpsNavigatorValues.cpp
  lib/waypoints/ItemId.cpp
  lib/waypoints/NameNumbers.cpp
  lib/waypoints/RoutePoint.cpp
  lib/waypoints/Waypoint.cpp
  lib/waypoints/WaypointChecks.cpp
  lib/waypoints/WaypointDatabase.cpp
  lib/waypoints/WaypointFile.cpp
  lib/waypoints/WaypointFileV1.cpp
  lib/waypoints/WaypointFixup.cpp
  lib/waypoints/WaypointDrawing.cpp
  lib/waypoints/WaypointGroup.cpp
  lib/waypoints/WaypointLayout.cpp
  lib/waypoints/WaypointLink.cpp
  lib/waypoints/WaypointManager.cpp
  lib/waypoints/WaypointManagerItem.cpp
  lib/waypoints/WaypointRoute.cpp
  lib/waypoints/WaypointSelfTest.cpp
  lib/waypoints/WaypointType.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/waypoints/NewItemId_win32.cpp
  lib/foundation/exports/WaypointExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/waypoints/NewItemId_posix.cpp
)
