# Bitmaps and drawing: pixel formats, blend routines, the DIB-section bitmaps.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/bitmap/BlendRoutines.cpp
  lib/bitmap/BlockReducer.cpp
  lib/bitmap/Bmp.cpp
  lib/bitmap/Bmp16.cpp
  lib/bitmap/Bmp32.cpp
  lib/bitmap/BmpLoader.cpp
  lib/bitmap/BmpModule.cpp
  lib/bitmap/BmpRows.cpp
  lib/bitmap/BmpWriter.cpp
  lib/bitmap/ClipRect.cpp
  lib/bitmap/GammaTable.cpp
  lib/bitmap/ImageHeaders.cpp
  lib/bitmap/LineRaster.cpp
  lib/bitmap/MapDecorations.cpp
  lib/bitmap/Matrix3.cpp
  lib/bitmap/NightScreen.cpp
  lib/bitmap/PixelFill.cpp
  lib/bitmap/PixelFormat.cpp
  lib/bitmap/PixelPlotter.cpp
  lib/bitmap/PolygonRaster.cpp
  lib/bitmap/QuadSampler.cpp
  lib/bitmap/RectRaster.cpp
  lib/bitmap/RowDecoder.cpp
  lib/bitmap/ScanlineConvert.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/bitmap/Bmp_win32.cpp
  lib/foundation/exports/BitmapExports.cpp
  lib/foundation/exports/DrawingExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/bitmap/Bmp_posix.cpp
)
