#include "lib/gps/NMEATrack.h"

#include <algorithm>
#include <cmath>

#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Scene.h"
#include "lib/gps/GpsClock.h"
#include "lib/gps/GpsClock.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kImpliedSpeedLimit = 100.0;  // m/s
constexpr float kMinStep = 0.1f;              // s
constexpr float kSpeedAgreement = 2.0f;       // m/s
constexpr float kOneKmh = 0.2777778f;         // m/s
constexpr float kCourseWeightSpan = 1.6666666f;
constexpr float kCourseThreshold = 0.2617994f;  // 15 degrees
constexpr float kSpeedChange = 1.1111112f;      // 4 km/h
constexpr float kMinReckoning = 0.01f;          // s
constexpr double kReckoningTolerance = 15.0;    // m
constexpr double kStretchSeconds = 60.0;

SGeo2D PointPosition(const SNMEATrackPoint& p) {
  return SGeo2D{TrackRadians(p.North), TrackRadians(p.East)};
}

SGeodeticRef SceneAt(const SGeo2D& origin) {
  SGeodeticRef ref;
  GeodeticRefInitScene(ref, SGeo3D{origin.lat, origin.lon, 0.0});
  return ref;
}

// Decimetres of great-circle distance between two points, rounded half up.
int64_t StepDecimetres(const SGeo2D& a, const SGeo2D& b) {
  return RoundToInt64(DistAlongGreatCircle(a, b) * 10.0);
}

// A fix the log can take: a finite time and a position inside the units.
bool IsUsable(double time, double lat, double lon) {
  const double limit = 2147483647.0 / kTrackCoordScale;
  return std::isfinite(time) && std::fabs(time) < 1e7 && std::fabs(lat) < limit &&
         std::fabs(lon) < limit;
}

}  // namespace

CNMEATrack::CNMEATrack(CGPSClock* owner, bool writeToFile)
    : m_Owner(owner), m_WriteToFile(writeToFile) {
  m_AnchorScene = SceneAt(SGeo2D{0.0, 0.0});
}

SNMEATrackLastFix& CNMEATrack::SharedLastFix() {
  static SNMEATrackLastFix lastFix;
  return lastFix;
}

void CNMEATrack::AddPoint(double time, double lat, double lon, float course, float speed) {
  if (!IsUsable(time, lat, lon)) return;
  const SFix fix = {time, {lat, lon}, course, speed, TrackCoordinate(lat), TrackCoordinate(lon)};
  if (m_Points.empty()) return StartTrack(fix);
  SNMEATrackPoint point;
  float measuredSpeed = 0, measuredCourse = 0;
  switch (Check(fix, point, measuredSpeed, measuredCourse)) {
    case ECheck::DroppedByTime:
      return;
    case ECheck::DroppedBySpeed:
      if (StartsNewStretch(fix)) StartStretch(fix);
      return;
    case ECheck::Passed:
      break;
  }
  m_Rejecting = false;
  SNMEATrackLastFix& last = SharedLastFix();
  last = {lat, lon, time};
  if (IsNewSegment(fix, measuredSpeed, measuredCourse)) {
    KeepLastAndAppend(point, measuredSpeed, measuredCourse);
    SplitIfLong(time);
  } else {
    ReplaceLast(point);
  }
}

void CNMEATrack::StartTrack(const SFix& fix) {
  const SNMEATrackPoint point = {fix.Time, fix.North, fix.East, 0};
  m_Points.push_back(point);
  SetAnchor(point, fix.Course, fix.Speed);
  m_AnchorIsLast = true;
  SharedLastFix() = {fix.Position.lat, fix.Position.lon, fix.Time};
  if (!m_WriteToFile) return;
  m_Main.Stale = m_Companion.Stale = true;
  WriteFiles(false);
}

CNMEATrack::ECheck CNMEATrack::Check(const SFix& fix, SNMEATrackPoint& point, float& speed,
                                     float& course) const {
  const SNMEATrackLastFix& last = SharedLastFix();
  const double implied = DistAlongGreatCircle(SGeo2D{last.Lat, last.Lon}, fix.Position) /
                         ((fix.Time - last.Time) * kSecondsPerDay);
  if (implied > kImpliedSpeedLimit) return ECheck::DroppedBySpeed;
  const int64_t ticks = TrackTicks(fix.Time - m_AnchorTime);
  if (ticks < 1) return ECheck::DroppedByTime;
  const double quantised = m_AnchorTime + ticks / kTrackTicksPerDay;
  const SNMEATrackPoint& l = m_Points.back();
  const float dt = static_cast<float>((quantised - l.Time) * kSecondsPerDay);
  if (dt < kMinStep) return ECheck::DroppedByTime;
  point = {quantised, fix.North, fix.East, 0};
  SPoint3D step;
  GeoWGS84ToScene2(step, PointPosition(point), SceneAt(PointPosition(l)));
  speed = static_cast<float>(Vector2LengthXY(step.x, step.y) / dt);
  course = static_cast<float>(VectorAngleD(SPointD{step.x, step.y}));
  if (std::fabs(fix.Speed - speed) > kSpeedAgreement) return ECheck::DroppedBySpeed;
  const SGeo2D anchor = {TrackRadians(m_AnchorNorth), TrackRadians(m_AnchorEast)};
  point.Distance =
      static_cast<int32_t>(m_AnchorDistance + StepDecimetres(anchor, PointPosition(point)));
  return ECheck::Passed;
}

bool CNMEATrack::IsNewSegment(const SFix& fix, float speed, float course) const {
  if (m_Points.size() < 2 || m_AnchorIsLast) return true;
  float turn = std::fabs(m_AnchorCourse - course);
  if (turn > 3.1415927f) turn = 6.2831855f - turn;
  if (speed > kOneKmh) {
    const float weight = std::min(1.0f, (speed - kOneKmh) / kCourseWeightSpan);
    if (weight * turn > kCourseThreshold) return true;
  }
  if (std::fabs(m_AnchorSpeed - speed) > kSpeedChange) return true;
  SPoint3D position;
  GeoWGS84ToScene2(position, fix.Position, m_AnchorScene);
  const float elapsed = static_cast<float>((fix.Time - m_AnchorTime) * kSecondsPerDay);
  if (elapsed < kMinReckoning) return false;
  const double run = static_cast<double>(m_AnchorSpeed) * elapsed;
  const double north = run * std::cos(m_AnchorCourse), east = run * std::sin(m_AnchorCourse);
  return Vector2LengthXY(position.x - north, position.y - east) > kReckoningTolerance;
}

// L stays; the new point's distance runs on from L, not from the anchor.
void CNMEATrack::KeepLastAndAppend(SNMEATrackPoint point, float speed, float course) {
  const SNMEATrackPoint l = m_Points.back();
  point.Distance =
      static_cast<int32_t>(l.Distance + StepDecimetres(PointPosition(l), PointPosition(point)));
  m_Points.push_back(point);
  SetAnchor(l, course, speed);
  if (m_WriteToFile) WriteFiles(false);
}

void CNMEATrack::ReplaceLast(const SNMEATrackPoint& point) {
  m_Points.back() = point;
  if (m_WriteToFile) WriteFiles(true);
}

// Fixes dropped in a row by the speed rules for a minute of fix time, each
// within the speed limit of the one before, are taken as the true track.
bool CNMEATrack::StartsNewStretch(const SFix& fix) {
  const bool agrees = m_Rejecting && fix.Time > m_RejectLast.Time &&
                      DistAlongGreatCircle(m_RejectLast.Position, fix.Position) /
                              ((fix.Time - m_RejectLast.Time) * kSecondsPerDay) <=
                          kImpliedSpeedLimit;
  if (!agrees) m_RejectStart = fix.Time;
  m_Rejecting = true;
  m_RejectLast = fix;
  if ((fix.Time - m_RejectStart) * kSecondsPerDay < kStretchSeconds) return false;
  m_Rejecting = false;
  return true;
}

// The jump is no travel: the new point keeps L's distance and becomes the
// anchor.
void CNMEATrack::StartStretch(const SFix& fix) {
  const SNMEATrackPoint& l = m_Points.back();
  const int64_t ticks = TrackTicks(fix.Time - l.Time);
  if (ticks < 1) return;
  const SNMEATrackPoint point = {l.Time + ticks / kTrackTicksPerDay, fix.North, fix.East,
                                 l.Distance};
  SharedLastFix() = {fix.Position.lat, fix.Position.lon, fix.Time};
  m_Points.push_back(point);
  SetAnchor(point, fix.Course, fix.Speed);
  m_AnchorIsLast = true;
  if (m_WriteToFile) WriteFiles(false);
  SplitIfLong(fix.Time);
}

void CNMEATrack::SetAnchor(const SNMEATrackPoint& point, float course, float speed) {
  m_AnchorNorth = point.North;
  m_AnchorEast = point.East;
  m_AnchorTime = point.Time;
  m_AnchorDistance = point.Distance;
  m_AnchorCourse = course;
  m_AnchorSpeed = speed;
  m_AnchorScene = SceneAt(PointPosition(point));
  m_AnchorIsLast = false;
}

void CNMEATrack::SplitIfLong(double time) {
  if (m_Points.size() < kSplitAt) return;
  // The old file keeps the first points; the new track starts with a copy
  // of the last of them.
  if (m_WriteToFile) SaveWhole(m_FileName, m_TrackName, kSplitKeep, false);
  m_Points.erase(m_Points.begin(), m_Points.begin() + (kSplitKeep - 1));
  CompanionFileName(SplitFileName(time));
  RebaseDistances();
  if (!m_WriteToFile) return;
  m_Main.Stale = m_Companion.Stale = true;
  WriteFiles(false);
}

void CNMEATrack::RebaseDistances() {
  const int32_t base = m_Points.front().Distance;
  if (base <= 0) return;
  for (SNMEATrackPoint& p : m_Points) p.Distance -= base;
  m_AnchorDistance -= base;
}

// The folder of the track file + the fix time shifted by the clock's tag.
CStr CNMEATrack::SplitFileName(double time) const {
  const int32_t tag = m_Owner ? m_Owner->GetTag() : 0;
  const CStr base =
      FormatDateTime("yyyy-mm-dd hh.nn.ss", time + tag / kMinutesPerDay, FixedFormatSettings());
  const int folderEnd = FolderEnd(m_FileName);
  const CStr folder = folderEnd > 0 ? m_FileName.Left(folderEnd) : CStr(".");
  return MakeUniqueFileName(folder, base, ".trk");
}
