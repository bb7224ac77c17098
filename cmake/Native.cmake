# The native twin: portable code under AddressSanitizer and UndefinedBehaviorSanitizer.
# Benchmarks want a build of their own without the sanitizers (TDLIB_SANITIZE=OFF).
option(TDLIB_SANITIZE "Build the native twin with sanitizers" ON)
add_compile_options(-g -Wall -Wextra -Wno-unused-parameter)
if(TDLIB_SANITIZE)
  set(TDLIB_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${TDLIB_SANITIZE_FLAGS})
  add_link_options(${TDLIB_SANITIZE_FLAGS})
endif()

add_library(tdlib_objects OBJECT ${TDLIB_PORTABLE_SOURCES} ${TDLIB_POSIX_SOURCES})
target_include_directories(tdlib_objects PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
find_package(Threads REQUIRED)
target_link_libraries(tdlib_objects PUBLIC Threads::Threads)

tdlib_native_tests()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/fuzz/CMakeLists.txt)
  add_subdirectory(fuzz)
endif()
