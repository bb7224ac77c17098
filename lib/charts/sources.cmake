list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/ColorHistogram.cpp
  lib/charts/TileDecoder.cpp
  lib/charts/TileEncoder.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/ChartExports.cpp
)
# Chart updates, update packages and the BSB chart-information file.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/BSBChartInfoFile.cpp
  lib/charts/UpdChartDesc.cpp
  lib/charts/UpdFileRewrite.cpp
  lib/charts/UpdGenerate.cpp
  lib/charts/UpdPackage.cpp
  lib/charts/Update.cpp
  lib/charts/UpdateFile.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/ChartUpdateExports.cpp
)
