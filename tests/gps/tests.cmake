tdlib_add_tests(gps PORTABLE
  GpsClockTest.cpp
  GpsdCrossCheckTest.cpp
  NmeaInterpreterTest.cpp
  NmeaMsgQueueTest.cpp
  NmeaParserTest.cpp
  NmeaSentenceTest.cpp
)

# Serial port, track file format and track log.
tdlib_add_tests(gps
  PORTABLE
    CommPacketListTest.cpp
    NMEATrackTest.cpp
    TrackAllocationTest.cpp
    TrackFileTest.cpp
  WINDOWS
    CommPortTest.cpp
    NMEADetectorTest.cpp
)

# The Windows tests read real COM ports: pseudo-terminals that pty_writer.py
# links into the Wine prefix once it exists, served until the tests end.
function(tdlib_gps_port_fixture)
  if(NOT TEST gps)
    return()
  endif()
  set(writer ${CMAKE_SOURCE_DIR}/tests/gps/pty_writer.py)
  set(prefix ${CMAKE_BINARY_DIR}/wineprefix)
  add_test(NAME gps_ports_start COMMAND python3 ${writer} start ${prefix})
  add_test(NAME gps_ports_stop COMMAND python3 ${writer} stop ${prefix})
  set_tests_properties(gps_ports_start PROPERTIES FIXTURES_SETUP gps_ports FIXTURES_REQUIRED wine)
  set_tests_properties(gps_ports_stop PROPERTIES FIXTURES_CLEANUP gps_ports)
  set_property(TEST gps APPEND PROPERTY FIXTURES_REQUIRED gps_ports)
endfunction()
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tdlib_gps_port_fixture)
endif()
