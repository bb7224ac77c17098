tdlib_add_tests(gps PORTABLE
  GpsClockTest.cpp
  GpsdCrossCheckTest.cpp
  NmeaInterpreterTest.cpp
  NmeaMsgQueueTest.cpp
  NmeaParserTest.cpp
  NmeaSentenceTest.cpp
)
