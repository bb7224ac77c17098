list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/core/AllocationFaults.cpp
  lib/foundation/core/ErrorCodes.cpp
  lib/foundation/app/FinalizeRegistry.cpp
  lib/foundation/text/Language.cpp
  lib/foundation/text/Str.cpp
  lib/foundation/text/StrList.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/text/CodePage_win32.cpp
  lib/foundation/threads/CriticalSection_win32.cpp
  lib/foundation/exports/FoundationExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/text/CodePage_posix.cpp
  lib/foundation/threads/CriticalSection_posix.cpp
)
# Runtime: application object, threads and queues, clock, dates, files, streams, link list.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/app/Application.cpp
  lib/foundation/streams/BufferedFileStream.cpp
  lib/foundation/time/Clock.cpp
  lib/foundation/app/CommandLine.cpp
  lib/foundation/time/DateTime.cpp
  lib/foundation/streams/FileStream.cpp
  lib/foundation/files/FileSystem.cpp
  lib/foundation/containers/LinkList.cpp
  lib/foundation/streams/MemoryBlockStream.cpp
  lib/foundation/streams/MemoryStream.cpp
  lib/foundation/streams/PointerStream.cpp
  lib/foundation/display/ScreenInfo.cpp
  lib/foundation/time/Stopwatch.cpp
  lib/foundation/streams/Stream.cpp
  lib/foundation/streams/StreamFunctions.cpp
  lib/foundation/threads/ThreadEventQueue.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/app/Application_win32.cpp
  lib/foundation/time/Clock_win32.cpp
  lib/foundation/time/DateTime_win32.cpp
  lib/foundation/files/FileTools.cpp
  lib/foundation/files/FileSystem_win32.cpp
  lib/foundation/threads/MainThreadEventQueue.cpp
  lib/foundation/app/SystemInfo.cpp
  lib/foundation/threads/Thread.cpp
  lib/foundation/threads/Timer.cpp
  lib/foundation/display/WaitCursor.cpp
  lib/foundation/exports/RuntimeExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/app/Application_posix.cpp
  lib/foundation/time/Clock_posix.cpp
  lib/foundation/time/DateTime_posix.cpp
  lib/foundation/files/FileSystem_posix.cpp
)
# Services: conversions, format settings, units, progress, registry, small
# services, program start-up, arithmetic benchmark.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/format/AngleFormat.cpp
  lib/foundation/streams/Checksum.cpp
  lib/foundation/display/Colors.cpp
  lib/foundation/format/Convert.cpp
  lib/foundation/display/FontDesc.cpp
  lib/foundation/time/DateTimeFormat.cpp
  lib/foundation/files/FileName.cpp
  lib/foundation/files/FileNaming.cpp
  lib/foundation/format/FormatSettings.cpp
  lib/foundation/app/MathBenchmark.cpp
  lib/foundation/format/Numeric.cpp
  lib/foundation/display/Progress.cpp
  lib/foundation/display/Sound.cpp
  lib/foundation/text/TextParse.cpp
  lib/foundation/format/Units.cpp
  lib/foundation/streams/Zip.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/display/Colors_win32.cpp
  lib/foundation/display/FontDesc_win32.cpp
  lib/foundation/threads/InstanceMutex.cpp
  lib/foundation/text/LocaleInfo_win32.cpp
  lib/foundation/app/ProgInfo.cpp
  lib/foundation/app/Registry.cpp
  lib/foundation/app/RegistryApp.cpp
  lib/foundation/display/Sound_win32.cpp
  lib/foundation/app/StartupService.cpp
  lib/foundation/app/StartupTexts.cpp
  lib/foundation/display/Themes.cpp
  lib/foundation/exports/ProgressExports.cpp
  lib/foundation/exports/ServicesExports.cpp
  lib/foundation/exports/UnitsExports.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/display/Colors_posix.cpp
  lib/foundation/display/FontDesc_posix.cpp
  lib/foundation/text/LocaleInfo_posix.cpp
  lib/foundation/display/Sound_posix.cpp
)
# Safe file writing and the views that untrusted data is read through.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/foundation/files/AtomicFileWriter.cpp
  lib/foundation/streams/CappedMemoryStream.cpp
  lib/foundation/files/FileFaults.cpp
  lib/foundation/streams/StreamWindow.cpp
)
list(APPEND TDLIB_POSIX_SOURCES
  lib/foundation/files/FileTools_posix.cpp
)
