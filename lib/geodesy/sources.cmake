list(APPEND TDLIB_PORTABLE_SOURCES
  lib/geodesy/Angles.cpp
  lib/geodesy/Datum.cpp
  lib/geodesy/Ellipsoid.cpp
  lib/geodesy/Geocentric.cpp
  lib/geodesy/GeodeticTableData.cpp
  lib/geodesy/GeodeticTables.cpp
  lib/geodesy/Geodetics.cpp
  lib/geodesy/Lines.cpp
  lib/geodesy/Matrix4.cpp
  lib/geodesy/PlaneHelpers.cpp
  lib/geodesy/Polygons.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/GeodesyExports.cpp
)
