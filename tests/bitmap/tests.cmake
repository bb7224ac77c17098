tdlib_add_tests(bitmap
  PORTABLE
    BlendRoutinesTest.cpp
    Bmp16Test.cpp
    Bmp32DrawTest.cpp
    Bmp32Test.cpp
    ImageAllocationTest.cpp
    ImageFileTest.cpp
    ImageReadTest.cpp
    MapDecorationsTest.cpp
    NightScreenTest.cpp
    PixelFormatTest.cpp
    RasterTest.cpp
    ScanlineConvertTest.cpp
    TransformOracleTest.cpp
  WINDOWS
    GdiTest.cpp
)
# The nearest-pixel rule of the projective copy against pixman's, natively.
if(TDLIB_NATIVE)
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(PIXMAN QUIET IMPORTED_TARGET pixman-1)
  endif()
  if(PIXMAN_FOUND)
    tdlib_add_tests(bitmap POSIX PixmanMirrorTest.cpp)
    # The test program is made after every list is read.
    cmake_language(DEFER CALL target_link_libraries bitmap_tests PRIVATE PkgConfig::PIXMAN)
  else()
    message(STATUS "pixman not found: no pixman mirror of the projective copy")
  endif()
endif()
# FillPolygon's coverage against cairo's, natively.
if(TDLIB_NATIVE AND PkgConfig_FOUND)
  pkg_check_modules(CAIRO QUIET IMPORTED_TARGET cairo)
  if(CAIRO_FOUND)
    tdlib_add_tests(bitmap POSIX CairoPolygonTest.cpp)
    cmake_language(DEFER CALL target_link_libraries bitmap_tests PRIVATE PkgConfig::CAIRO)
  else()
    message(STATUS "cairo not found: no cairo mirror of the polygon fill")
  endif()
endif()
# The image readers against stb_image and run-length files against
# ImageMagick (skipped where its convert is missing), natively.
if(TDLIB_NATIVE)
  tdlib_add_tests(bitmap POSIX MagickOracleTest.cpp)
  if(EXISTS /usr/include/stb/stb_image.h)
    tdlib_add_tests(bitmap POSIX StbOracleTest.cpp)
  else()
    message(STATUS "stb_image not found: no stb mirror of the image readers")
  endif()
endif()
