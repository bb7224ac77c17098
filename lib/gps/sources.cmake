# Serial port, track file format and track log.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/gps/CommPacketList.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/gps/CommPort.cpp
  lib/gps/CommPortApi.cpp
  lib/gps/CommPortProbe.cpp
  lib/gps/CommReadThread.cpp
  lib/foundation/exports/CommExports.cpp
)
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/gps/NMEATrack.cpp
  lib/gps/NMEATrackFiles.cpp
  lib/gps/NMEATrackQueries.cpp
  lib/gps/TrackFile.cpp
)
