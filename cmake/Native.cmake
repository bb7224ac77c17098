# The native twin: portable code under AddressSanitizer and UndefinedBehaviorSanitizer.
# Benchmarks want a build of their own without the sanitizers (TDLIB_SANITIZE=OFF,
# TDLIB_BENCH=ON), as scripts/bench.sh configures it.
option(TDLIB_SANITIZE "Build the native twin with sanitizers" ON)
option(TDLIB_BENCH "Build the benchmarks and their peer libraries" OFF)
add_compile_options(-g -Wall -Wextra -Wno-unused-parameter)
if(TDLIB_SANITIZE)
  set(TDLIB_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${TDLIB_SANITIZE_FLAGS})
  add_link_options(${TDLIB_SANITIZE_FLAGS})
endif()
# The fuzzers link the very objects the tests link: the library is compiled
# once, with libFuzzer's coverage, wherever the fuzzers are built.
set(TDLIB_FUZZ OFF)
if(TDLIB_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(TDLIB_FUZZ ON)
endif()

add_library(tdlib_objects OBJECT ${TDLIB_PORTABLE_SOURCES} ${TDLIB_POSIX_SOURCES})
target_include_directories(tdlib_objects PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
if(TDLIB_FUZZ)
  target_compile_options(tdlib_objects PRIVATE -fsanitize=fuzzer-no-link)
endif()
find_package(Threads REQUIRED)
target_link_libraries(tdlib_objects PUBLIC Threads::Threads)

tdlib_native_tests()
if(TDLIB_BENCH)
  add_subdirectory(bench)
endif()
if(TDLIB_FUZZ)
  add_subdirectory(fuzz)
endif()
