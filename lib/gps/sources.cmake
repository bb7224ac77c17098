# GPS input: NMEA sentences and their parser, the message queues, the
# interpreter and the GPS clock. All of it is portable.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/gps/GpsClock.cpp
  lib/gps/GpsTimeSource.cpp
  lib/gps/NmeaFields.cpp
  lib/gps/NmeaInterpreter.cpp
  lib/gps/NmeaMsgQueue.cpp
  lib/gps/NmeaParser.cpp
  lib/gps/NmeaPosMsgQueue.cpp
  lib/gps/NmeaSentence.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/GpsExports.cpp
)
# Serial port, track file format and track log.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/gps/CommPacketList.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/gps/CommPort.cpp
  lib/gps/CommPortApi.cpp
  lib/gps/CommPortProbe.cpp
  lib/gps/CommReadThread.cpp
  lib/gps/NMEADetector.cpp
  lib/gps/NMEADetectorPort.cpp
  lib/gps/NMEADetectorThread.cpp
  lib/foundation/exports/CommExports.cpp
)
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/gps/NMEATrack.cpp
  lib/gps/NMEATrackFiles.cpp
  lib/gps/NMEATrackQueries.cpp
  lib/gps/TrackFile.cpp
  lib/gps/TrackFileWrite.cpp
)
