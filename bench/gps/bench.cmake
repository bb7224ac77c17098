# The NMEA parser and interpreter as a whole process against gpsdecode (gpsd)
# on a generated log of over 300,000 sentences.
set(nmea_log ${CMAKE_CURRENT_BINARY_DIR}/nmea_large.log)
add_custom_command(OUTPUT ${nmea_log}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/gen_nmea_log.py ${nmea_log} --cycles 36000
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/gen_nmea_log.py
  COMMENT "Generating the NMEA benchmark log")
add_custom_target(nmea_bench_log DEPENDS ${nmea_log})
add_executable(nmea_driver ${CMAKE_CURRENT_LIST_DIR}/NmeaDriver.cpp)
target_link_libraries(nmea_driver PRIVATE tdlib_objects)
add_executable(nmea_bench ${CMAKE_CURRENT_LIST_DIR}/NmeaBench.cpp)
target_link_libraries(nmea_bench PRIVATE tdlib_objects benchmark::benchmark)
target_compile_definitions(nmea_bench PRIVATE TDLIB_NMEA_BENCH_LOG="${nmea_log}"
  TDLIB_NMEA_DRIVER="$<TARGET_FILE:nmea_driver>")
add_dependencies(nmea_bench nmea_driver nmea_bench_log)
# The track log: recording with both files written, and loading a track file.
# No other library reads this format, so there is no peer.
add_executable(track_log_bench ${CMAKE_CURRENT_LIST_DIR}/TrackLogBench.cpp)
target_link_libraries(track_log_bench PRIVATE tdlib_objects benchmark::benchmark)
