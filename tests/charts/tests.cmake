tdlib_add_tests(charts PORTABLE
  TileDecoderTest.cpp
  TileEncoderTest.cpp
  TileRoundTripTest.cpp
  TileSamples.cpp
  WINDOWS
  ChartExportsTest.cpp
)
