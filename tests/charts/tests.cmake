tdlib_add_tests(charts PORTABLE
  ChartFileTest.cpp
  TileDecoderTest.cpp
  TileEncoderTest.cpp
  TileFormatTest.cpp
  TileRoundTripTest.cpp
  TileSamples.cpp
  WINDOWS
  ChartExportsTest.cpp
)
