# Portelle's tests link the tool's own objects, so they are made by the
# tool's build once the test framework exists.
if(NOT TDLIB_NATIVE)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL portelle_add_tests)
endif()
