tdlib_add_tests(charts PORTABLE
  ChartBoundsTest.cpp
  ChartFileTest.cpp
  ChartLegacyFileTest.cpp
  ChartTagTest.cpp
  TileDecoderTest.cpp
  TileEncoderTest.cpp
  TileFormatTest.cpp
  TileRoundTripTest.cpp
  TileSamples.cpp
  WINDOWS
  ChartExportsTest.cpp
  ChartFileExportsTest.cpp
)
