#include "lib/waypoints/WaypointFileV1.h"

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/NewItemId.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointRoute.h"

namespace {

constexpr uint8_t kMarker = 0xAA;
// The smallest record of each section, empty strings and no links assumed.
constexpr int64_t kMinType = 30, kMinWaypoint = 46, kMinGroup = 26, kMinRoute = 26, kMinPoint = 16;


bool ReadAtLeast(CStream& stream, int32_t low, int32_t& value, uint32_t& error) {
  return stream.ReadLong(value, error) && (value >= low || td::Fail(kErrFileFormat, error));
}

bool ReadMarker(CStream& stream, uint32_t& error) {
  uint8_t marker;
  return stream.ReadBYTE(marker, error) && (marker == kMarker || td::Fail(kErrFileFormat, error));
}

bool Skip(CStream& stream, int64_t count, uint32_t& error) {
  if (count > stream.GetRemaining()) return td::Fail(kErrFileRead, error);
  uint8_t buffer[4096];
  while (count > 0) {
    int32_t part = count < 4096 ? static_cast<int32_t>(count) : 4096;
    if (!stream.ReadBuf(buffer, part, error)) return false;
    count -= part;
  }
  return true;
}

}  // namespace

bool CWaypointReader1_0_0_0::Read(CStream& stream, SDatabaseHeader& header, CFixupList&, SProgress*,
                                  uint32_t& error) {
  header.id = NewItemId();
  header.contentVersion = 0;
  header.modifiedTime = 0;
  header.name = CStr();
  header.flags = kDatabaseLocked;
  int32_t count;
  if (!ReadCount(stream, 0xFFFF, kMinType, count, error)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadType(stream, error)) return false;
  if (!ReadCount(stream, 0xFFFFFF, kMinWaypoint, count, error)) return false;
  waypoints_.reserve(static_cast<size_t>(count));
  positions_.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i)
    if (!ReadWaypoint(stream, error)) return false;
  if (!ReadCount(stream, 0xFFFF, kMinGroup, count, error)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadGroup(stream, error)) return false;
  if (!ReadCount(stream, 0xFFFF, kMinRoute, count, error)) return false;
  for (int32_t i = 0; i < count; ++i)
    if (!ReadRoute(stream, error)) return false;
  return true;
}

// A section count: 0x10015 outside 0..limit, 0x10005 when that many of the
// smallest records cannot fit in the bytes left.
bool CWaypointReader1_0_0_0::ReadCount(CStream& stream, int32_t limit, int64_t minRecord,
                                       int32_t& count, uint32_t& error) {
  if (!ReadAtLeast(stream, 0, count, error)) return false;
  if (count > limit) return td::Fail(kErrFileFormat, error);
  return count * minRecord <= stream.GetRemaining() || td::Fail(kErrFileRead, error);
}

// Marker, number, name, boolean, a number dropped and the time: how types,
// groups and routes begin.
bool CWaypointReader1_0_0_0::ReadItemStart(CStream& stream, CStr& name, double& time,
                                           uint32_t& error) {
  int32_t number, dropped;
  uint8_t flag;
  return ReadMarker(stream, error) && ReadAtLeast(stream, 0, number, error) &&
         stream.ReadStr(name, error) && stream.ReadBYTE(flag, error) &&
         stream.ReadLong(dropped, error) && stream.ReadDateTime(time, error);
}

bool CWaypointReader1_0_0_0::ReadType(CStream& stream, uint32_t& error) {
  CStr name;
  double time;
  uint32_t width, height;
  if (!ReadItemStart(stream, name, time, error) || !stream.ReadDWORD(width, error) ||
      !stream.ReadDWORD(height, error))
    return false;
  uint64_t pixels = uint64_t{width} * height;  // below 2^64
  if (pixels > static_cast<uint64_t>(stream.GetRemaining()) / 4) return td::Fail(kErrFileRead, error);
  return Skip(stream, static_cast<int64_t>(pixels) * 4, error);
}

bool CWaypointReader1_0_0_0::ReadWaypoint(CStream& stream, uint32_t& error) {
  int32_t kind, number, flags, last;
  double lat, lon, time;
  CStr name, description;
  uint8_t flag;
  if (!ReadMarker(stream, error) || !ReadAtLeast(stream, 0, kind, error)) return false;
  if (kind > 1) return td::Fail(kErrFileFormat, error);
  if (!ReadAtLeast(stream, 0, number, error) || !stream.ReadDouble(lat, error) ||
      !stream.ReadDouble(lon, error) || !stream.ReadStr(name, error))
    return false;
  if (!stream.ReadBYTE(flag, error)) return td::Fail(kErrFileFormat, error);
  if (!stream.ReadLong(flags, error) || !stream.ReadDateTime(time, error) ||
      !ReadAtLeast(stream, -1, last, error))
    return false;
  int32_t links = 0;
  if (kind == 1) {
    int32_t dropped;
    CStr droppedText;
    if (!stream.ReadLong(dropped, error) || !stream.ReadStr(droppedText, error) ||
        !stream.ReadLong(dropped, error) || !stream.ReadLong(dropped, error) ||
        !stream.ReadStr(description, error) || !ReadAtLeast(stream, 0, links, error))
      return false;
    if (links > 255) return td::Fail(kErrFileFormat, error);
  }
  SGeo3D position{lat, lon, 0.0};
  CWaypoint* waypoint = nullptr;
  if (!(flags & 1)) {
    CWaypointManager* manager = database_->GetManager();
    uint32_t seconds = DateToSecondsSince2000(time);
    SWaypointArgs args{SItemArgs{NewItemId(), 0, name, seconds, seconds, nullptr, nullptr},
                       CStr(),
                       manager->GetDefaultLabelPlacement(),
                       position,
                       0.0f,
                       -1.0f,
                       0.0f,
                       0,
                       description,
                       manager->GetDefaultType()};
    waypoint = database_->CreateLoadedWaypoint(args);
  }
  waypoints_.push_back(waypoint);
  positions_.push_back(position);
  for (int32_t i = 0; i < links; ++i) {
    CStr text1, text2;
    if (!stream.ReadStr(text1, error) || !stream.ReadStr(text2, error)) return false;
    if (waypoint) waypoint->AddLinkInternal(text1, text2);
  }
  return true;
}

bool CWaypointReader1_0_0_0::ReadGroup(CStream& stream, uint32_t& error) {
  CStr name;
  double time;
  int32_t members;
  if (!ReadItemStart(stream, name, time, error) || !ReadAtLeast(stream, 0, members, error))
    return false;
  if (members > 0xFFFFFF) return td::Fail(kErrFileFormat, error);
  return Skip(stream, int64_t{members} * 4, error);
}

bool CWaypointReader1_0_0_0::ReadRoute(CStream& stream, uint32_t& error) {
  CStr name;
  double time;
  int32_t points;
  if (!ReadItemStart(stream, name, time, error)) return false;
  uint32_t seconds = DateToSecondsSince2000(time);
  CWaypointRoute* route = database_->CreateLoadedRoute(NewItemId(), name, seconds, seconds);
  if (!ReadCount(stream, 0xFFFF, kMinPoint, points, error)) return false;
  bool ok = true;
  for (int32_t i = 0; ok && i < points; ++i) ok = ReadPoint(stream, route, error);
  route->RecomputeStaleDistances();
  return ok;
}

bool CWaypointReader1_0_0_0::ReadPoint(CStream& stream, CWaypointRoute* route, uint32_t& error) {
  int32_t index;
  if (!ReadAtLeast(stream, -1, index, error)) return false;
  if (index >= static_cast<int32_t>(waypoints_.size())) return td::Fail(kErrFileFormat, error);
  SGeo3D position{0.0, 0.0, 0.0};
  if (index < 0 &&
      (!stream.ReadDouble(position.lat, error) || !stream.ReadDouble(position.lon, error)))
    return false;
  double radius;
  CStr name;
  if (!stream.ReadDouble(radius, error) || !stream.ReadStr(name, error)) return false;
  if (index >= 0) position = positions_[static_cast<size_t>(index)];
  CRoutePoint* point = route->AppendPointInternal(name, position, static_cast<float>(radius));
  if (index >= 0 && waypoints_[static_cast<size_t>(index)])
    point->AttachWaypointDeferred(waypoints_[static_cast<size_t>(index)]);
  return true;
}
