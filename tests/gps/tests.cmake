tdlib_add_tests(gps PORTABLE
  GpsClockTest.cpp
  NmeaMsgQueueTest.cpp
  NmeaParserTest.cpp
  NmeaSentenceTest.cpp
)
