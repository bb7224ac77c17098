#include "lib/geodesy/Scene.h"

#include <cmath>

#include "lib/geodesy/Angles.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Matrix4.h"

void SceneFrameSetup(SGeodeticRef& ref) {
  double sinLat, cosLat, sinLon, cosLon;
  SinCos(sinLat, cosLat, ref.Lat1);
  SinCos(sinLon, cosLon, ref.Long0);
  // Rows: north, east and up in the mirrored geocentric frame, then the
  // origin itself.
  SPoint3D origin;
  GeoToGlobal3(origin, SGeo3D{ref.Lat1, ref.Long0, ref.Height}, *ref.Datum->Ellipsoid);
  ref.SceneToGlobal = SMatrix4{{{-sinLat * cosLon, sinLat * sinLon, cosLat, 0.0},
                                {-sinLon, -cosLon, 0.0, 0.0},
                                {cosLat * cosLon, -cosLat * sinLon, sinLat, 0.0},
                                {origin.x, origin.y, origin.z, 1.0}}};
  Matrix4InverseAffine(ref.GlobalToScene, ref.SceneToGlobal);
}

void GeoWGS84ToScene2(SPoint3D& out, const SGeo2D& in, const SGeodeticRef& ref) {
  SPoint3D global;
  GeoToGlobal2(global, in, *ref.Datum->Ellipsoid);
  Matrix4TransformPoint(out, global, ref.GlobalToScene);
}

void GeoWGS84ToScene3(SPoint3D& out, const SGeo3D& in, const SGeodeticRef& ref) {
  SPoint3D global;
  GeoToGlobal3(global, in, *ref.Datum->Ellipsoid);
  Matrix4TransformPoint(out, global, ref.GlobalToScene);
}

void SceneToGeoWGS84(SGeo3D& out, const SPoint3D& in, const SGeodeticRef& ref) {
  SPoint3D global;
  Matrix4TransformPoint(global, in, ref.SceneToGlobal);
  GlobalToGeo(out, global, *ref.Datum->Ellipsoid);
}

void DistAndHeadingAlongLine(const SGeo2D& from, const SGeo2D& to, double& distance,
                             double& heading) {
  SGeodeticRef scene;
  GeodeticRefInitScene(scene, SGeo3D{from.lat, from.lon, 0.0});
  SPoint3D q;
  GeoWGS84ToScene2(q, to, scene);
  distance = Vector3Length(q);
  heading = AngleFromXYD(q.y, q.x);
}

double HeadingAlongLine(const SGeo2D& from, const SGeo2D& to) {
  double distance, heading;
  DistAndHeadingAlongLine(from, to, distance, heading);
  return heading;
}
