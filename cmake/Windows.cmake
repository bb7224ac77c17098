# The product: TdLib.dll for i686 Windows, its import library and header in dist/.
# The x86-64 build of the same code only serves the tests and keeps its DLL in the build tree.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TDLIB_DIST ${CMAKE_SOURCE_DIR}/dist)
  set(TDLIB_WINE_LOADER wine)
else()
  set(TDLIB_DIST ${CMAKE_BINARY_DIR}/dist)
  set(TDLIB_WINE_LOADER /usr/lib/wine/wine64)
endif()
set(TDLIB_DEF ${CMAKE_SOURCE_DIR}/lib/foundation/exports/TdLib.def)
add_compile_options(-msse2 -mfpmath=sse -Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# Runtime libraries linked in, so the DLL imports only Windows' own DLLs.
set(TDLIB_STATIC_RUNTIME -static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic)

add_library(tdlib_objects OBJECT ${TDLIB_PORTABLE_SOURCES} ${TDLIB_WINDOWS_SOURCES})
target_include_directories(tdlib_objects PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/include)
set(TDLIB_SYSTEM_LIBS user32 gdi32 advapi32 ole32 winmm shell32 version comdlg32 comctl32)
target_link_libraries(tdlib_objects PUBLIC ${TDLIB_SYSTEM_LIBS})

add_library(TdLib SHARED ${TDLIB_DEF})
target_link_libraries(TdLib PRIVATE tdlib_objects)
set_target_properties(TdLib PROPERTIES PREFIX "" OUTPUT_NAME TdLib
  RUNTIME_OUTPUT_DIRECTORY ${TDLIB_DIST} ARCHIVE_OUTPUT_DIRECTORY ${TDLIB_DIST})
# stdcall names go out undecorated, exactly as the .def file lists them.
target_link_options(TdLib PRIVATE ${TDLIB_STATIC_RUNTIME} -Wl,--kill-at -Wl,--enable-stdcall-fixup)
add_custom_command(TARGET TdLib POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/include/TdLib.h ${TDLIB_DIST}/TdLib.h)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The linker's import library knows only the plain names; hosts call _Name@N.
  # The same step refuses any export that is not a stdcall function.
  add_custom_command(TARGET TdLib POST_BUILD
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make_import_lib.py ${CMAKE_NM} ${CMAKE_DLLTOOL} ${TDLIB_DEF}
            "$<TARGET_OBJECTS:tdlib_objects>" $<TARGET_LINKER_FILE:TdLib> VERBATIM)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tool/CMakeLists.txt)
  add_subdirectory(tool)
endif()

tdlib_wine_setup()
tdlib_windows_tests()

# The main job's stand-in host until the tool exists: lists the DLL's exports.
add_executable(list_exports tests/host/ListExports.c)
set_target_properties(list_exports PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_options(list_exports PRIVATE -static-libgcc)

# A host linked through the import library; it runs wherever the Wine tests do.
add_executable(linked_host tests/host/LinkedHost.c)
target_include_directories(linked_host PRIVATE ${CMAKE_SOURCE_DIR}/include)
target_link_libraries(linked_host PRIVATE TdLib)
target_link_options(linked_host PRIVATE -static-libgcc)
set_target_properties(linked_host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
if(TEST host)
  tdlib_test_path(dll_dir ${TDLIB_DIST})
  list(APPEND TDLIB_WINE_VARS WINEPATH=${dll_dir})
  tdlib_add_wine_test(linked_host $<TARGET_FILE:linked_host>)
endif()

# A C host that reads the smallest chart file through the import library.
add_executable(chart_host tests/host/ChartHost.c)
target_include_directories(chart_host PRIVATE ${CMAKE_SOURCE_DIR}/include)
target_link_libraries(chart_host PRIVATE TdLib)
target_link_options(chart_host PRIVATE -static-libgcc)
set_target_properties(chart_host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
if(TEST host)
  tdlib_test_path(chart_file ${CMAKE_SOURCE_DIR}/fuzz/corpus/ChartFileFuzzer/smallest)
  tdlib_add_wine_test(chart_host $<TARGET_FILE:chart_host> ${chart_file})
endif()
