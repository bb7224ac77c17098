tdlib_add_tests(waypoints
  PORTABLE
    ItemIdTest.cpp
    RouteTest.cpp
    WaypointChecksTest.cpp
    WaypointLayoutTest.cpp
    WaypointModelTest.cpp
)
