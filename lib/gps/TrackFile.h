// The track file and its companion: header, delta or absolute point records
// and trailer, all little-endian. Writers throw CStreamError when the stream
// refuses bytes; readers check every field against the bytes that are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Stream.h"

// One point of a track: time as a day number, north and east in decimetres
// of arc (radians x 63,781,370), distance travelled in decimetres.
struct SNMEATrackPoint {
  double Time;
  int32_t North;
  int32_t East;
  int32_t Distance;
};

constexpr double kTrackCoordScale = 63781370.0;      // units per radian
constexpr double kTrackTicksPerDay = 17280000.0;     // 1/200 s
constexpr uint32_t kTrackVersion = 0x01010000;       // 1.1.0.0, the one written
constexpr uint32_t kTrackVersionNamed = 0x01000001;  // 1.0.0.1: the first with a name
constexpr uint32_t kTrackCompanionRecordSize = 26;
constexpr uint32_t kTrackTrailerSize = 16;

// Radians in track units, rounded half up; the radians of a unit count.
int32_t TrackCoordinate(double radians);
double TrackRadians(int32_t units);
// The whole ticks of a time step, rounded half up.
int64_t TrackTicks(double days);

// Magic, version 1.1.0.0, name and the first point.
void WriteTrackHeader(CStream& stream, const CStr& name, const SNMEATrackPoint& first);
// The point against the previous one of the file, in its shortest form
// (ticks below 65,535 are a step; else the absolute time); its size, 8 to 26.
uint32_t WriteTrackRecord(CStream& stream, const SNMEATrackPoint& previous, int64_t ticks,
                          const SNMEATrackPoint& point);
// The point in the 26-byte absolute form of the companion file.
uint32_t WriteTrackAbsoluteRecord(CStream& stream, const SNMEATrackPoint& point);
void WriteTrackTrailer(CStream& stream, int32_t distance, double time, uint32_t count);
// A whole track: header from the first point, one record per further point
// (delta records on times quantised to whole ticks, or all absolute for the
// companion) and the trailer; the size of the last record (0 for one point).
// Writes nothing for no point.
uint32_t WriteTrack(CStream& stream, const CStr& name, const SNMEATrackPoint* points, size_t count,
                    bool absolute);

// The summary of a track without its points: version, name, first and last
// time, point count and length in metres (-1 when the file does not hold it).
struct STrackInfo {
  uint32_t Version = 0;
  CStr Name;
  double FirstTime = 0;
  double LastTime = 0;
  uint32_t Count = 0;
  double Length = 0;
};

// Reads the summary and leaves the stream at the first point. Throws
// CNMEATrackError "GetTrackInfo: Not a valid track." or "GetTrackInfo:
// Invalid version", or the stream's CStreamError for a short header.
void GetTrackInfo(CStream& stream, STrackInfo& info);
// The same on a file opened for reading (others may read) through an
// 8,192-byte buffer.
void GetTrackInfo(const CStr& fileName, STrackInfo& info);

// Fills points (emptied first) with the points that follow the summary, up to
// info.Count. A damaged or cut record, or a point outside the 32-bit units,
// ends the reading quietly: the points before it stay. Old versions get their
// distances from the great-circle steps between the points. Returns the size of
// the last record read (0 when none follows the first point, and for the old
// versions).
uint32_t ReadTrackPoints(CStream& stream, const STrackInfo& info,
                         std::vector<SNMEATrackPoint>& points);
