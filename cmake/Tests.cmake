# Test registration shared by both builds. Each subsystem's tests/<sub>/tests.cmake
# calls tdlib_add_tests(); every subsystem becomes one GoogleTest executable.
enable_testing()
set(TDLIB_TEST_SUBSYSTEMS foundation geodesy bitmap charts gps waypoints widgets tool host)

function(tdlib_add_tests sub)
  cmake_parse_arguments(T "" "" "PORTABLE;WINDOWS;POSIX" ${ARGN})
  foreach(kind PORTABLE WINDOWS POSIX)
    foreach(f ${T_${kind}})
      # Names relative to tests/<sub>/, or to the repository root.
      if(NOT f MATCHES "^tests/")
        set(f tests/${sub}/${f})
      endif()
      set_property(GLOBAL APPEND PROPERTY TDLIB_TESTS_${kind}_${sub} ${CMAKE_SOURCE_DIR}/${f})
    endforeach()
  endforeach()
endfunction()

# Libraries that only a subsystem's tests link (the library itself links none).
function(tdlib_link_tests sub)
  set_property(GLOBAL APPEND PROPERTY TDLIB_TESTS_LIBS_${sub} ${ARGN})
endfunction()

foreach(sub ${TDLIB_TEST_SUBSYSTEMS})
  include(${CMAKE_SOURCE_DIR}/tests/${sub}/tests.cmake OPTIONAL)
endforeach()

# Paths a test reads at run time, as the process under test sees them.
function(tdlib_test_path out path)
  if(TDLIB_NATIVE)
    set(${out} "${path}" PARENT_SCOPE)
  else()
    set(${out} "Z:${path}" PARENT_SCOPE)
  endif()
endfunction()

function(tdlib_add_gtest_sources)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

function(tdlib_make_test_exe sub sources)
  add_executable(${sub}_tests ${sources})
  if(sub STREQUAL "host")
    # The host tests load the DLL as a host program does, through its exports only.
    target_include_directories(${sub}_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
    target_link_libraries(${sub}_tests PRIVATE GTest::gtest_main)
  else()
    # Every program over the library's objects runs out of memory on demand.
    target_sources(${sub}_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/AllocationSeam.cpp)
    target_link_libraries(${sub}_tests PRIVATE tdlib_objects GTest::gtest_main)
  endif()
  get_property(libs GLOBAL PROPERTY TDLIB_TESTS_LIBS_${sub})
  target_link_libraries(${sub}_tests PRIVATE ${libs})
  tdlib_test_path(data_dir ${CMAKE_SOURCE_DIR}/tests)
  tdlib_test_path(source_dir ${CMAKE_SOURCE_DIR})
  if(TDLIB_NATIVE)
    set(dist_dir "")
  else()
    tdlib_test_path(dist_dir ${TDLIB_DIST})
  endif()
  target_compile_definitions(${sub}_tests PRIVATE
    TDLIB_TEST_DATA_DIR="${data_dir}" TDLIB_DIST_DIR="${dist_dir}"
    TDLIB_SOURCE_DIR="${source_dir}")
  set_target_properties(${sub}_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()

# How the Windows test programs run: TDLIB_WINE_VARS, the environment of every
# Wine test. The i686 programs run natively or under the qemu-i386 emulator
# (see scripts/wine-env.sh); under the emulator the tests it cannot run,
# listed in tests/emulator-excluded.txt with the reason, are left out.
macro(tdlib_wine_setup)
  set(TDLIB_WINE_VARS TDLIB_WINE_LOADER=${TDLIB_WINE_LOADER})
  set(TDLIB_I386_RUNNER native)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    execute_process(COMMAND bash -c "source ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh && i386_runner"
      OUTPUT_VARIABLE TDLIB_I386_RUNNER OUTPUT_STRIP_TRAILING_WHITESPACE)
    message(STATUS "32-bit programs run here: ${TDLIB_I386_RUNNER}")
  endif()
  if(TDLIB_I386_RUNNER STREQUAL "emulator")
    file(STRINGS ${CMAKE_SOURCE_DIR}/tests/emulator-excluded.txt excluded REGEX "^[A-Za-z]")
    list(TRANSFORM excluded REPLACE "[ \t].*$" "")
    list(JOIN excluded ":" excluded)
    list(APPEND TDLIB_WINE_VARS GTEST_FILTER=-${excluded})
  endif()
endmacro()

# A Windows test program run under Wine in the build's prefix. Under the
# emulator Wine's server kills a process that is still exiting a second after
# it asked to end, and the emulator often needs longer: there the result is
# read from what the program prints, GoogleTest's summary or a C host's
# "host checks passed".
function(tdlib_add_wine_test name)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1800
    ENVIRONMENT "${TDLIB_WINE_VARS}")
  if(TDLIB_I386_RUNNER STREQUAL "emulator")
    set_tests_properties(${name} PROPERTIES
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\.;host checks passed"
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  endif()
endfunction()

function(tdlib_windows_tests)
  tdlib_add_gtest_sources()
  set(wine ${CMAKE_SOURCE_DIR}/tests/wine-run.sh)
  set(prefix ${CMAKE_BINARY_DIR}/wineprefix)
  add_test(NAME wine_start COMMAND ${wine} --start ${prefix})
  add_test(NAME wine_stop COMMAND ${wine} --stop ${prefix})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${TDLIB_WINE_VARS}" TIMEOUT 900)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${TDLIB_WINE_VARS}")
  foreach(sub ${TDLIB_TEST_SUBSYSTEMS})
    get_property(portable GLOBAL PROPERTY TDLIB_TESTS_PORTABLE_${sub})
    get_property(windows GLOBAL PROPERTY TDLIB_TESTS_WINDOWS_${sub})
    if(portable OR windows)
      tdlib_make_test_exe(${sub} "${portable};${windows}")
      target_link_options(${sub}_tests PRIVATE ${TDLIB_STATIC_RUNTIME})
      add_dependencies(${sub}_tests TdLib)
      tdlib_add_wine_test(${sub} $<TARGET_FILE:${sub}_tests>)
    endif()
  endforeach()
  # The library's own objects keep no thread-local storage: this toolchain
  # emulates it with a block allocated on each thread's first use.
  set(check ${CMAKE_SOURCE_DIR}/scripts/check_thread_storage.py)
  add_test(NAME thread_storage COMMAND python3 ${check} ${CMAKE_NM} "$<TARGET_OBJECTS:tdlib_objects>")
  # The check on an object that does keep some: it must name it.
  add_library(thread_storage_probe OBJECT ${CMAKE_SOURCE_DIR}/tests/scripts/ThreadStorageProbe.cpp)
  add_test(NAME thread_storage_probe
           COMMAND python3 ${check} ${CMAKE_NM} "$<TARGET_OBJECTS:thread_storage_probe>")
  set_tests_properties(thread_storage_probe PROPERTIES
    PASS_REGULAR_EXPRESSION "ThreadStorageProbe[^\n]*emulation[^\n]*g_ProbeCount")
endfunction()

function(tdlib_native_tests)
  tdlib_add_gtest_sources()
  foreach(sub ${TDLIB_TEST_SUBSYSTEMS})
    get_property(portable GLOBAL PROPERTY TDLIB_TESTS_PORTABLE_${sub})
    get_property(posix GLOBAL PROPERTY TDLIB_TESTS_POSIX_${sub})
    if(portable OR posix)
      tdlib_make_test_exe(${sub} "${portable};${posix}")
      add_test(NAME native_${sub} COMMAND ${sub}_tests)
      set_tests_properties(native_${sub} PROPERTIES TIMEOUT 1800)
    endif()
  endforeach()
  # No exception can leave a slot or an export: the proof over the sources.
  # Debian's python3-clang lives with the system's own interpreter.
  add_test(NAME slot_guards COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/scripts/check_slot_guards.py
                                    ${CMAKE_SOURCE_DIR})
  set_tests_properties(slot_guards PROPERTIES TIMEOUT 900)
  # The proof's own cases: small libraries it must report, and clean ones it must pass.
  add_test(NAME slot_guards_cases COMMAND /usr/bin/python3
                                          ${CMAKE_SOURCE_DIR}/tests/scripts/check_slot_guards_test.py
                                          ${CMAKE_SOURCE_DIR})
  set_tests_properties(slot_guards_cases PROPERTIES TIMEOUT 300)
endfunction()
