list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/ErrorCodes.cpp
  lib/foundation/FinalizeRegistry.cpp
  lib/foundation/Language.cpp
  lib/foundation/Str.cpp
  lib/foundation/StrList.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/CodePage_win32.cpp
  lib/foundation/CriticalSection_win32.cpp
  lib/foundation/exports/FoundationExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/CodePage_posix.cpp
  lib/foundation/CriticalSection_posix.cpp
)
# Runtime: application object, threads and queues, clock, dates, files, streams, link list.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/Application.cpp
  lib/foundation/BufferedFileStream.cpp
  lib/foundation/Clock.cpp
  lib/foundation/CommandLine.cpp
  lib/foundation/DateTime.cpp
  lib/foundation/FileStream.cpp
  lib/foundation/FileSystem.cpp
  lib/foundation/LinkList.cpp
  lib/foundation/MemoryBlockStream.cpp
  lib/foundation/MemoryStream.cpp
  lib/foundation/PointerStream.cpp
  lib/foundation/ScreenInfo.cpp
  lib/foundation/Stopwatch.cpp
  lib/foundation/Stream.cpp
  lib/foundation/StreamFunctions.cpp
  lib/foundation/ThreadEventQueue.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/Application_win32.cpp
  lib/foundation/Clock_win32.cpp
  lib/foundation/DateTime_win32.cpp
  lib/foundation/FileTools.cpp
  lib/foundation/FileSystem_win32.cpp
  lib/foundation/MainThreadEventQueue.cpp
  lib/foundation/SystemInfo.cpp
  lib/foundation/Thread.cpp
  lib/foundation/Timer.cpp
  lib/foundation/WaitCursor.cpp
  lib/foundation/exports/RuntimeExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/Application_posix.cpp
  lib/foundation/Clock_posix.cpp
  lib/foundation/DateTime_posix.cpp
  lib/foundation/FileSystem_posix.cpp
)
# Services: conversions, format settings, units, progress, registry, small
# services, program start-up, arithmetic benchmark.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/AngleFormat.cpp
  lib/foundation/Checksum.cpp
  lib/foundation/Colors.cpp
  lib/foundation/Convert.cpp
  lib/foundation/FontDesc.cpp
  lib/foundation/DateTimeFormat.cpp
  lib/foundation/FileName.cpp
  lib/foundation/FileNaming.cpp
  lib/foundation/FormatSettings.cpp
  lib/foundation/MathBenchmark.cpp
  lib/foundation/Numeric.cpp
  lib/foundation/Progress.cpp
  lib/foundation/Sound.cpp
  lib/foundation/TextParse.cpp
  lib/foundation/Units.cpp
  lib/foundation/Zip.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/Colors_win32.cpp
  lib/foundation/FontDesc_win32.cpp
  lib/foundation/InstanceMutex.cpp
  lib/foundation/LocaleInfo_win32.cpp
  lib/foundation/ProgInfo.cpp
  lib/foundation/Registry.cpp
  lib/foundation/RegistryApp.cpp
  lib/foundation/Sound_win32.cpp
  lib/foundation/StartupService.cpp
  lib/foundation/StartupTexts.cpp
  lib/foundation/Themes.cpp
  lib/foundation/exports/ProgressExports.cpp
  lib/foundation/exports/ServicesExports.cpp
  lib/foundation/exports/UnitsExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/Colors_posix.cpp
  lib/foundation/FontDesc_posix.cpp
  lib/foundation/LocaleInfo_posix.cpp
  lib/foundation/Sound_posix.cpp
)
# Safe file writing and the views that untrusted data is read through.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/AtomicFileWriter.cpp
  lib/foundation/CappedMemoryStream.cpp
  lib/foundation/FileFaults.cpp
  lib/foundation/StreamWindow.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/FileTools_posix.cpp
)
