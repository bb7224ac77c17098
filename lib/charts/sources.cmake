list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/ColorHistogram.cpp
  lib/charts/TCF2Bounds.cpp
  lib/charts/TCF2Chart.cpp
  lib/charts/TCF2BoundsFile.cpp
  lib/charts/TCF2CalibrationResult.cpp
  lib/charts/TCF2Coverage.cpp
  lib/charts/TCF2File.cpp
  lib/charts/TCF2FileConvert.cpp
  lib/charts/TCF2FileLegacy.cpp
  lib/charts/TCF2FileRead.cpp
  lib/charts/TCF2FileTables.cpp
  lib/charts/TCF2MipmapTable.cpp
  lib/charts/TCF2Records1002.cpp
  lib/charts/TCF2Section.cpp
  lib/charts/TCF2Tag.cpp
  lib/charts/TCF2TagFile.cpp
  lib/charts/TCF2TileData.cpp
  lib/charts/TCF2TileJob.cpp
  lib/charts/TCF2TileManagerTile.cpp
  lib/charts/TCF2TileStore.cpp
  lib/charts/TCF2TileTable.cpp
  lib/charts/TCF2TileTableC.cpp
  lib/charts/TCF2UpdateTag.cpp
  lib/charts/TileDecoder.cpp
  lib/charts/TileEncoder.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/ChartConvertExports.cpp
  lib/foundation/exports/ChartExports.cpp
  lib/foundation/exports/ChartFileExports.cpp
  lib/charts/TCF2TileManager.cpp
  lib/charts/TileNotifier_win32.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/charts/TileNotifier_posix.cpp
)
# Chart updates, update packages and the BSB chart-information file.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/BSBChartInfoFile.cpp
  lib/charts/UpdChartDesc.cpp
  lib/charts/UpdFileRewrite.cpp
  lib/charts/UpdGenerate.cpp
  lib/charts/UpdGenerateFiles.cpp
  lib/charts/UpdPackage.cpp
  lib/charts/Update.cpp
  lib/charts/UpdateFile.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/ChartUpdateExports.cpp
)
# Applying updates to chart files.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/TCF2FileUpdate.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/ChartFileUpdateExports.cpp
)
