// CNMEATrack: questions about time, course and speed along the track.
#include <cmath>

#include "lib/geodesy/Angles.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Scene.h"
#include "lib/gps/NMEATrack.h"

int32_t CNMEATrack::FindPointByTime(double time) const {
  int32_t low = 0, high = GetCount() - 1;
  if (time >= m_Points[high].Time) return high;
  while (high - low > 1) {
    const int32_t middle = (low + high) / 2;
    if (time < m_Points[middle].Time)
      high = middle;
    else
      low = middle;
  }
  return low;
}

int32_t CNMEATrack::FindSegmentByTime(double time, const SNMEATrackSegment* segments,
                                      int32_t count) const {
  if (count < 1) return -1;
  for (int32_t i = 0; i < count; ++i)
    if (segments[i].First >= m_Points.size() || segments[i].Last >= m_Points.size()) return -1;
  auto firstTime = [&](int32_t i) { return m_Points[segments[i].First].Time; };
  auto encloses = [&](int32_t i) {
    return firstTime(i) <= time && time <= m_Points[segments[i].Last].Time;
  };
  if (time < firstTime(0)) return -1;
  if (time >= firstTime(count - 1)) return encloses(count - 1) ? count - 1 : -1;
  int32_t low = 0, high = count - 1;
  while (high - low > 1) {
    const int32_t middle = (low + high) / 2;
    if (time < firstTime(middle))
      high = middle;
    else
      low = middle;
  }
  if (encloses(low)) return low;
  return encloses(high) ? high : -1;
}

int64_t CNMEATrack::GetDuration() const {
  if (m_Points.size() < 2) return 0;
  return static_cast<int64_t>(std::fabs(m_Points.back().Time - m_Points.front().Time) * 86400.0);
}

void CNMEATrack::GetCourseSpeedAt(double time, float& speed, float& course) const {
  speed = course = 0;
  if (m_Points.size() < 2) return;
  const int32_t i = FindPointByTime(time);
  const int32_t first = i == GetCount() - 1 ? i - 1 : i;
  const SNMEATrackPoint& a = m_Points[first];
  const SNMEATrackPoint& b = m_Points[first + 1];
  SGeodeticRef scene;
  GeodeticRefInitScene(scene, SGeo3D{TrackRadians(a.North), TrackRadians(a.East), 0.0});
  SPoint3D step;
  GeoWGS84ToScene2(step, SGeo2D{TrackRadians(b.North), TrackRadians(b.East)}, scene);
  const double seconds = (b.Time - a.Time) * 86400.0;
  if (seconds != 0) speed = static_cast<float>(Vector2LengthXY(step.x, step.y) / seconds);
  course = static_cast<float>(VectorAngleD(SPointD{step.x, step.y}));
}
