# The waypoint model at 1x and 10x sizes (no peer library of this model).
add_executable(waypoint_bench ${CMAKE_CURRENT_LIST_DIR}/WaypointBench.cpp)
target_link_libraries(waypoint_bench PRIVATE tdlib_objects benchmark::benchmark)

# The navigator's position report on a short and on a long route.
add_executable(navigator_bench ${CMAKE_CURRENT_LIST_DIR}/NavigatorBench.cpp)
target_link_libraries(navigator_bench PRIVATE tdlib_objects benchmark::benchmark)
