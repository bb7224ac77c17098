# The chart viewer's frame (render and copy) beside memcpy, on the chart
# benchmarks' file; needs GDAL as they do.
find_package(GDAL QUIET)
if(GDAL_FOUND)
  add_executable(chart_viewer_frame_bench ${CMAKE_CURRENT_LIST_DIR}/ChartViewerFrameBench.cpp
    ${CMAKE_SOURCE_DIR}/tests/charts/TileSamples.cpp)
  target_link_libraries(chart_viewer_frame_bench PRIVATE tdlib_objects benchmark::benchmark GDAL::GDAL)
endif()
