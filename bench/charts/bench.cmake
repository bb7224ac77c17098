# The tile codec against libpng and zlib on the same pixels.
find_package(PNG QUIET)
if(NOT PNG_FOUND)
  message(STATUS "libpng not found: no tile codec benchmark")
  return()
endif()
add_executable(tile_codec_bench ${CMAKE_CURRENT_LIST_DIR}/TileCodecBench.cpp ${CMAKE_CURRENT_LIST_DIR}/PngCodec.cpp
  ${CMAKE_SOURCE_DIR}/tests/charts/TileSamples.cpp)
target_link_libraries(tile_codec_bench PRIVATE tdlib_objects benchmark::benchmark PNG::PNG)

# Update generation and application against their zlib floors.
add_executable(update_bench ${CMAKE_CURRENT_LIST_DIR}/UpdateBench.cpp ${CMAKE_SOURCE_DIR}/tests/charts/TileSamples.cpp
  ${CMAKE_SOURCE_DIR}/tests/charts/ZlibZip.cpp)
target_link_libraries(update_bench PRIVATE tdlib_objects benchmark::benchmark z)

# Chart file reading and the tile manager's cold, warm and drawing paths,
# beside GDAL's GeoTIFF reader and memcpy.
find_package(GDAL QUIET)
if(NOT GDAL_FOUND)
  message(STATUS "GDAL not found: no chart file or tile manager benchmark")
  return()
endif()
add_executable(chart_file_bench ${CMAKE_CURRENT_LIST_DIR}/ChartFileBench.cpp
  ${CMAKE_SOURCE_DIR}/tests/charts/TileSamples.cpp)
target_link_libraries(chart_file_bench PRIVATE tdlib_objects benchmark::benchmark GDAL::GDAL)
add_executable(tile_manager_bench ${CMAKE_CURRENT_LIST_DIR}/TileManagerBench.cpp
  ${CMAKE_SOURCE_DIR}/tests/charts/TileSamples.cpp)
target_link_libraries(tile_manager_bench PRIVATE tdlib_objects benchmark::benchmark GDAL::GDAL)

# An update that rebuilds every level of a chart beside GDAL's overview build.
add_executable(chart_update_bench ${CMAKE_CURRENT_LIST_DIR}/ChartUpdateBench.cpp
  ${CMAKE_SOURCE_DIR}/tests/charts/TileSamples.cpp ${CMAKE_SOURCE_DIR}/tests/charts/UpdateBuilder.cpp
  ${CMAKE_SOURCE_DIR}/tests/charts/ZlibZip.cpp)
target_link_libraries(chart_update_bench PRIVATE tdlib_objects benchmark::benchmark GDAL::GDAL z)
