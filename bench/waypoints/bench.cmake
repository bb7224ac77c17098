# The waypoint model at 1x and 10x sizes (no peer library of this model).
add_executable(waypoint_bench ${CMAKE_CURRENT_LIST_DIR}/WaypointBench.cpp)
target_link_libraries(waypoint_bench PRIVATE tdlib_objects benchmark::benchmark)
# Loading and saving database files, beside SQLite and a gpsbabel GPX round trip.
find_package(SQLite3 QUIET)
if(SQLite3_FOUND)
  add_executable(waypoint_file_bench ${CMAKE_CURRENT_LIST_DIR}/WaypointFileBench.cpp)
  target_link_libraries(waypoint_file_bench PRIVATE tdlib_objects benchmark::benchmark SQLite::SQLite3)
endif()

# The navigator's position report on a short and on a long route.
add_executable(navigator_bench ${CMAKE_CURRENT_LIST_DIR}/NavigatorBench.cpp)
target_link_libraries(navigator_bench PRIVATE tdlib_objects benchmark::benchmark)
