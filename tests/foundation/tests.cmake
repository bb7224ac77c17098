tdlib_add_tests(foundation PORTABLE
  AllocationSeamTest.cpp
  ContainerTest.cpp
  ErrorCodesTest.cpp
  LanguageTest.cpp
  StrTest.cpp
)
tdlib_add_tests(foundation
  PORTABLE
    ClockTest.cpp
    CommandLineTest.cpp
    DateTimeTest.cpp
    FileNamingTest.cpp
    FileStreamTest.cpp
    FileSystemTest.cpp
    LinkListTest.cpp
    ScreenInfoTest.cpp
    StreamTest.cpp
  WINDOWS
    ApplicationTest.cpp
    DateOracleTest.cpp
    FileToolsTest.cpp
    ThreadTest.cpp
)
tdlib_add_tests(foundation
  PORTABLE
    ColorsTest.cpp
    ConvertTest.cpp
    FormatSettingsTest.cpp
    MathBenchmarkTest.cpp
    ProgressTest.cpp
    TextHelpersTest.cpp
    UnitsTest.cpp
  WINDOWS
    GuidTextTest.cpp
    LocaleFormatsTest.cpp
    RegistryTest.cpp
    ServicesTest.cpp
    StartupTest.cpp
)
if(WIN32)
  # A program with a version resource, started by the start-up tests.
  enable_language(RC)
  add_executable(startup_host ${CMAKE_CURRENT_LIST_DIR}/StartupHost.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/data/StartupHost.rc)
  target_link_libraries(startup_host PRIVATE tdlib_objects)
  target_link_options(startup_host PRIVATE -static)
  set_target_properties(startup_host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endif()
tdlib_add_tests(foundation PORTABLE
  AtomicFileWriterTest.cpp
)
tdlib_add_tests(foundation PORTABLE
  AngleTextsTest.cpp
)
# The containers' quicksort, under comparators a host may get wrong.
tdlib_add_tests(foundation PORTABLE QuickSortTest.cpp)
