#include "lib/gps/NMEATrack.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Scene.h"
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
  if (IsNewSegment(fix, measuredSpeed, measuredCourse))
    KeepLastAndAppend(point, measuredSpeed, measuredCourse, fix);
  else
    Record(point, true, nullptr, fix);
}

void CNMEATrack::StartTrack(const SFix& fix) {
  const SNMEATrackPoint point = {fix.Time, fix.North, fix.East, 0};
  const SAnchorMove anchor = {point, fix.Course, fix.Speed, true};
  Record(point, false, &anchor, fix);
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
void CNMEATrack::KeepLastAndAppend(SNMEATrackPoint point, float speed, float course,
                                   const SFix& fix) {
  const SNMEATrackPoint l = m_Points.back();
  point.Distance =
      static_cast<int32_t>(l.Distance + StepDecimetres(PointPosition(l), PointPosition(point)));
  const SAnchorMove anchor = {l, course, speed, false};
  Record(point, false, &anchor, fix);
}

// Fixes dropped in a row by the speed rules for a minute of fix time, each
// within the speed limit of the one before, are taken as the true track; the
// stretch that then starts ends the dropping.
bool CNMEATrack::StartsNewStretch(const SFix& fix) {
  const bool agrees = m_Rejecting && fix.Time > m_RejectLast.Time &&
                      DistAlongGreatCircle(m_RejectLast.Position, fix.Position) /
                              ((fix.Time - m_RejectLast.Time) * kSecondsPerDay) <=
                          kImpliedSpeedLimit;
  const double start = agrees ? m_RejectStart : fix.Time;
  if ((fix.Time - start) * kSecondsPerDay >= kStretchSeconds) return true;
  m_Rejecting = true;
  m_RejectStart = start;
  m_RejectLast = fix;
  return false;
}

// The jump is no travel: the new point keeps L's distance and becomes the
// anchor.
void CNMEATrack::StartStretch(const SFix& fix) {
  const SNMEATrackPoint& l = m_Points.back();
  const int64_t ticks = TrackTicks(fix.Time - l.Time);
  if (ticks < 1) {
    m_Rejecting = false;
    return;
  }
  const SNMEATrackPoint point = {l.Time + ticks / kTrackTicksPerDay, fix.North, fix.East,
                                 l.Distance};
  const SAnchorMove anchor = {point, fix.Course, fix.Speed, true};
  Record(point, false, &anchor, fix);
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

// The point joins the list at once, into room made before, for the files'
// changes to be made from the list; a failure to make them takes it out
// again, and nothing else has changed by then.
void CNMEATrack::Record(const SNMEATrackPoint& point, bool replace, const SAnchorMove* anchor,
                        const SFix& fix) {
  SAddWrites writes;
  MakeRoom();
  const SNMEATrackPoint replaced = replace ? m_Points.back() : point;
  if (replace)
    m_Points.back() = point;
  else
    m_Points.push_back(point);
  try {
    PrepareAdd(writes, replace, fix.Time);
  } catch (...) {
    if (replace)
      m_Points.back() = replaced;
    else
      m_Points.pop_back();
    throw;
  }
  if (anchor) {
    SetAnchor(anchor->Point, anchor->Course, anchor->Speed);
    m_AnchorIsLast = anchor->IsLast;
  }
  m_Rejecting = false;
  SharedLastFix() = {fix.Position.lat, fix.Position.lon, fix.Time};
  CommitAdd(writes);
}

// Room for one more point, growing as the list would, so that adding it
// cannot fail.
void CNMEATrack::MakeRoom() {
  if (m_Points.size() < m_Points.capacity()) return;
  m_Points.reserve(std::max<size_t>(16, 2 * m_Points.capacity()));
}

// The list holds the new point. At a split the old track file is written
// whole with the kept points, and the old companion takes the new point
// like any other.
void CNMEATrack::PrepareAdd(SAddWrites& writes, bool replace, double time) const {
  const bool split = !replace && m_Points.size() >= kSplitAt;
  if (split) PrepareSplit(writes.Split, time);
  if (!m_WriteToFile) return;
  PrepareFile(writes.Companion, true, replace);
  if (split)
    writes.Main.PrepareWhole(m_FileName, m_TrackName, m_Points.data(), kSplitKeep, false);
  else
    PrepareFile(writes.Main, false, replace);
}

// The new track is a copy of the last kept point followed by the points
// after it, its distances counted from that copy.
void CNMEATrack::PrepareSplit(SSplit& split, double time) const {
  split.Names = NamesOf(SplitFileName(time));
  split.Points.assign(m_Points.begin() + (kSplitKeep - 1), m_Points.end());
  split.Base = std::max(split.Points.front().Distance, 0);
  for (SNMEATrackPoint& p : split.Points) p.Distance -= split.Base;
  split.Made = true;
  if (!m_WriteToFile) return;
  const SNMEATrackPoint* points = split.Points.data();
  const size_t count = split.Points.size();
  split.Main.PrepareWhole(split.Names.File, split.Names.Track, points, count, false);
  split.Companion.PrepareWhole(split.Names.Companion, BaseName(split.Names.Companion), points,
                               count, true);
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

// Both files are tried; the first failure passes on.
void CNMEATrack::CommitAdd(SAddWrites& writes) {
  if (writes.Split.Made) return CommitSplit(writes);
  if (!m_WriteToFile) return;
  std::exception_ptr failure;
  for (bool companion : {false, true}) {
    try {
      CommitFile(companion ? writes.Companion : writes.Main, companion);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

// The old pair first, then the new track file: until all three hold their
// points the log stays on the old track, whose file is then written whole
// at the next point or cut again at the next split.
void CNMEATrack::CommitSplit(SAddWrites& writes) {
  if (m_WriteToFile) {
    try {
      CommitFile(writes.Companion, true);
      writes.Main.Commit();
      writes.Split.Main.Commit();
    } catch (...) {
      m_Main.Stale = true;
      throw;
    }
  }
  TakeSplit(writes.Split);
  if (m_WriteToFile) CommitFile(writes.Split.Companion, true);
}

// The anchor stays the point before the last, its distance rebased.
void CNMEATrack::TakeSplit(SSplit& split) noexcept {
  m_Points.swap(split.Points);
  m_FileName = std::move(split.Names.File);
  m_CompanionName = std::move(split.Names.Companion);
  m_TrackName = std::move(split.Names.Track);
  m_AnchorDistance -= split.Base;
  m_Main = {split.Main.GetLastRecordSize(), false};
  m_Companion = {0, true};
}
