tdlib_add_tests(charts PORTABLE
  ChartBoundsTest.cpp
  ChartConvertTest.cpp
  ChartObjectTest.cpp
  ChartFileTest.cpp
  ChartLegacyFileTest.cpp
  ChartTagTest.cpp
  TileDecoderTest.cpp
  TileEncoderTest.cpp
  TileFormatTest.cpp
  TileRoundTripTest.cpp
  TileSamples.cpp
  TileStoreAllocationTest.cpp
  TileStoreTest.cpp
  WINDOWS
  ChartExportsTest.cpp
  ChartFileExportsTest.cpp
  TileManagerTest.cpp
  POSIX
  TileStoreMessagesTest.cpp
)
# Chart updates: zlib stands in for the host's compression callbacks, linked
# statically into the Windows test program.
tdlib_add_tests(charts PORTABLE
  BSBChartInfoFileTest.cpp
  ChartAllocationTest.cpp
  TileJobTest.cpp
  TilePatchTest.cpp
  UpdFileRewriteTest.cpp
  UpdGenerateFilesTest.cpp
  UpdGenerateTest.cpp
  UpdPackageTest.cpp
  UpdateBadInputTest.cpp
  UpdateBuilder.cpp
  UpdateFaultTest.cpp
  UpdateReadTest.cpp
  ZlibZip.cpp
  WINDOWS
  ChartUpdateExportsTest.cpp
)
if(TDLIB_NATIVE)
  tdlib_link_tests(charts z)
else()
  tdlib_link_tests(charts -l:libz.a)
endif()
# Applying updates to chart files.
tdlib_add_tests(charts PORTABLE
  ChartUpdateTest.cpp
)
