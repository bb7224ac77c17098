list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/ColorHistogram.cpp
  lib/charts/TileDecoder.cpp
  lib/charts/TileEncoder.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/ChartExports.cpp
)
