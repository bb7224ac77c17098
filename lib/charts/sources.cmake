list(APPEND TDLIB_PORTABLE_SOURCES
  lib/charts/ColorHistogram.cpp
  lib/charts/TCF2Bounds.cpp
  lib/charts/TCF2BoundsFile.cpp
  lib/charts/TCF2CalibrationResult.cpp
  lib/charts/TCF2Coverage.cpp
  lib/charts/TCF2File.cpp
  lib/charts/TCF2FileLegacy.cpp
  lib/charts/TCF2FileRead.cpp
  lib/charts/TCF2FileTables.cpp
  lib/charts/TCF2MipmapTable.cpp
  lib/charts/TCF2Records1002.cpp
  lib/charts/TCF2Section.cpp
  lib/charts/TCF2Tag.cpp
  lib/charts/TCF2TagFile.cpp
  lib/charts/TCF2TileData.cpp
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
)
