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
