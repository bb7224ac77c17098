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
# Reference records, projections, scene frame, great circles and calibration.
list(APPEND TDLIB_PORTABLE_SOURCES
  lib/geodesy/CalibrationStatus.cpp
  lib/geodesy/EquidistantCylindrical.cpp
  lib/geodesy/GeodeticCalibration.cpp
  lib/geodesy/GeodeticRef.cpp
  lib/geodesy/GreatCircle.cpp
  lib/geodesy/LambertConformalConic.cpp
  lib/geodesy/Mercator.cpp
  lib/geodesy/Orthographic.cpp
  lib/geodesy/PixTransform.cpp
  lib/geodesy/ProjectionDispatch.cpp
  lib/geodesy/RDGrid.cpp
  lib/geodesy/RDGridExact.cpp
  lib/geodesy/Scene.cpp
  lib/geodesy/Stereographic.cpp
  lib/geodesy/TransverseMercator.cpp
  lib/geodesy/UTM.cpp
)
list(APPEND TDLIB_WINDOWS_SOURCES
  lib/foundation/exports/CalibrationExports.cpp
  lib/foundation/exports/GeodesyExports.cpp
  lib/foundation/exports/ProjectionExports.cpp
)
