tdlib_add_tests(charts PORTABLE
  ChartBoundsTest.cpp
  ChartObjectTest.cpp
  ChartFileTest.cpp
  ChartTagTest.cpp
  TileDecoderTest.cpp
  TileEncoderTest.cpp
  TileFormatTest.cpp
  TileRoundTripTest.cpp
  TileSamples.cpp
  TileStoreTest.cpp
  WINDOWS
  ChartExportsTest.cpp
  ChartFileExportsTest.cpp
  TileManagerTest.cpp
  POSIX
  TileStoreMessagesTest.cpp
)
