tdlib_add_tests(gps PORTABLE
  GpsClockTest.cpp
  NmeaInterpreterTest.cpp
  NmeaMsgQueueTest.cpp
  NmeaParserTest.cpp
  NmeaSentenceTest.cpp
)
