# The datum transformation against PROJ's Helmert pipeline.
if(PkgConfig_FOUND)
  pkg_check_modules(PROJ QUIET IMPORTED_TARGET proj)
endif()
if(NOT PROJ_FOUND)
  message(STATUS "PROJ not found: no geodesy benchmark")
  return()
endif()
add_executable(geodesy_bench ${CMAKE_CURRENT_LIST_DIR}/DatumTransformBench.cpp)
target_link_libraries(geodesy_bench PRIVATE tdlib_objects benchmark::benchmark PkgConfig::PROJ)
# Projections and chart pixel conversions against PROJ's projections.
add_executable(projection_bench ${CMAKE_CURRENT_LIST_DIR}/ProjectionBench.cpp)
target_link_libraries(projection_bench PRIVATE tdlib_objects benchmark::benchmark PkgConfig::PROJ)
