#include "lib/gps/TrackFile.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/StreamFunctions.h"
#include "lib/geodesy/GreatCircle.h"

namespace {

const char kMagic[] = "TDNV4L_TrackFile";
constexpr int64_t kOldRecordSize = 36;
constexpr uint16_t kTimeEscape = 0xFFFF;
constexpr int16_t kPositionEscape = 0x7FFF;
constexpr uint16_t kDistanceEscape = 0xFFFF;
constexpr int32_t kInfoBufferSize = 8192;

// A record assembled in memory and written in one piece.
class CRecordBytes {
 public:
  template <class T>
  void Put(T value) {
    std::memcpy(m_Bytes + m_Size, &value, sizeof value);
    m_Size += sizeof value;
  }
  uint32_t WriteTo(CStream& stream) const {
    uint32_t error = 0;
    if (!stream.WriteBuf(m_Bytes, static_cast<int32_t>(m_Size), error))
      throw CStreamError("WriteTrackRecord: Cannot write to stream.");
    return m_Size;
  }

 private:
  uint8_t m_Bytes[32];
  uint32_t m_Size = 0;
};

// The position or size of a stream, which fails as a seek when the stream
// cannot tell.
int64_t Told(int64_t value) {
  if (value < 0) throw CStreamError("StreamSeek: Cannot seek in stream.");
  return value;
}

bool FitsInt32(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

// Radians from a file in units, or false when they leave the 32-bit range.
bool CoordinateFromFile(double radians, int32_t& units) {
  const double scaled = radians * kTrackCoordScale;
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 2147483647.0) return false;
  units = TrackCoordinate(radians);
  return true;
}

bool ReadOldRecord(CStream& stream, SNMEATrackPoint& point) {
  double lat = 0, lon = 0;
  uint8_t skipped[8];
  point.Distance = 0;
  return StreamReadDouble(stream, point.Time) && StreamReadExtended(stream, lat) &&
         StreamReadExtended(stream, lon) && stream.Read(skipped, 8) == 8 &&
         CoordinateFromFile(lat, point.North) && CoordinateFromFile(lon, point.East);
}

// Each reader adds the bytes it read to size.
bool ReadPosition(CStream& stream, const SNMEATrackPoint& previous, SNMEATrackPoint& point,
                  uint32_t& size) {
  uint16_t north = 0, east = 0;
  if (!StreamReadWORD(stream, north)) return false;
  if (static_cast<int16_t>(north) == kPositionEscape) {
    size += 10;
    return StreamReadLong(stream, point.North) && StreamReadLong(stream, point.East);
  }
  size += 4;
  if (!StreamReadWORD(stream, east)) return false;
  const int64_t n = int64_t{previous.North} + static_cast<int16_t>(north);
  const int64_t e = int64_t{previous.East} + static_cast<int16_t>(east);
  if (!FitsInt32(n) || !FitsInt32(e)) return false;
  point.North = static_cast<int32_t>(n);
  point.East = static_cast<int32_t>(e);
  return true;
}

bool ReadRecord(CStream& stream, const SNMEATrackPoint& previous, SNMEATrackPoint& point,
                uint32_t& size) {
  uint16_t ticks = 0, step = 0;
  size = 0;
  if (!StreamReadWORD(stream, ticks)) return false;
  if (ticks == kTimeEscape) {
    size += 10;
    if (!StreamReadDouble(stream, point.Time)) return false;
  } else {
    size += 2;
    point.Time = previous.Time + ticks / kTrackTicksPerDay;
  }
  if (!ReadPosition(stream, previous, point, size) || !StreamReadWORD(stream, step)) return false;
  if (step == kDistanceEscape) {
    size += 6;
    return StreamReadLong(stream, point.Distance);
  }
  size += 2;
  const int64_t distance = int64_t{previous.Distance} + step;
  if (!FitsInt32(distance)) return false;
  point.Distance = static_cast<int32_t>(distance);
  return true;
}

uint32_t ReadCurrentPoints(CStream& stream, uint32_t count, std::vector<SNMEATrackPoint>& points) {
  SNMEATrackPoint point = {};
  if (count == 0 || !StreamReadDouble(stream, point.Time) || !StreamReadLong(stream, point.North) ||
      !StreamReadLong(stream, point.East))
    return 0;
  points.push_back(point);
  uint32_t lastSize = 0, size = 0;
  while (points.size() < count && ReadRecord(stream, points.back(), point, size)) {
    points.push_back(point);
    lastSize = size;
  }
  return lastSize;
}

// Distances of the old versions: running sums of rounded great-circle
// decimetres; a sum that leaves 32 bits ends the track there.
void AddOldDistances(std::vector<SNMEATrackPoint>& points) {
  for (size_t i = 1; i < points.size(); ++i) {
    const SNMEATrackPoint& a = points[i - 1];
    SNMEATrackPoint& b = points[i];
    const SGeo2D pa = {TrackRadians(a.North), TrackRadians(a.East)};
    const SGeo2D pb = {TrackRadians(b.North), TrackRadians(b.East)};
    const int64_t distance = a.Distance + RoundToInt64(DistAlongGreatCircle(pa, pb) * 10.0);
    if (!FitsInt32(distance)) {
      points.resize(i);
      return;
    }
    b.Distance = static_cast<int32_t>(distance);
  }
}

void ReadOldPoints(CStream& stream, uint32_t count, std::vector<SNMEATrackPoint>& points) {
  SNMEATrackPoint point = {};
  while (points.size() < count && ReadOldRecord(stream, point)) points.push_back(point);
  AddOldDistances(points);
}

}  // namespace

int32_t TrackCoordinate(double radians) {
  return static_cast<int32_t>(RoundToInt64(radians * kTrackCoordScale));
}

double TrackRadians(int32_t units) { return units * (1.0 / kTrackCoordScale); }

int64_t TrackTicks(double days) { return RoundToInt64(days * kTrackTicksPerDay); }

void WriteTrackHeader(CStream& stream, const CStr& name, const SNMEATrackPoint& first) {
  StreamWriteHeader(stream, kMagic);
  StreamWriteVersion(stream, kTrackVersion);
  StreamWriteStr(stream, name);
  StreamWriteDateTime(stream, first.Time);
  StreamWriteLong(stream, first.North);
  StreamWriteLong(stream, first.East);
}

uint32_t WriteTrackRecord(CStream& stream, const SNMEATrackPoint& previous, int64_t ticks,
                          const SNMEATrackPoint& point) {
  CRecordBytes record;
  if (ticks >= 0 && ticks < kTimeEscape) {
    record.Put(static_cast<uint16_t>(ticks));
  } else {
    record.Put(kTimeEscape);
    record.Put(point.Time);
  }
  const int64_t north = int64_t{point.North} - previous.North;
  const int64_t east = int64_t{point.East} - previous.East;
  if (std::llabs(north) < kPositionEscape && std::llabs(east) < kPositionEscape) {
    record.Put(static_cast<int16_t>(north));
    record.Put(static_cast<int16_t>(east));
  } else {
    record.Put(kPositionEscape);
    record.Put(point.North);
    record.Put(point.East);
  }
  const uint32_t step =
      static_cast<uint32_t>(point.Distance) - static_cast<uint32_t>(previous.Distance);
  if (step < kDistanceEscape) {
    record.Put(static_cast<uint16_t>(step));
  } else {
    record.Put(kDistanceEscape);
    record.Put(point.Distance);
  }
  return record.WriteTo(stream);
}

uint32_t WriteTrackAbsoluteRecord(CStream& stream, const SNMEATrackPoint& point) {
  CRecordBytes record;
  record.Put(kTimeEscape);
  record.Put(point.Time);
  record.Put(kPositionEscape);
  record.Put(point.North);
  record.Put(point.East);
  record.Put(kDistanceEscape);
  record.Put(point.Distance);
  return record.WriteTo(stream);
}

void WriteTrackTrailer(CStream& stream, int32_t distance, double time, uint32_t count) {
  StreamWriteLong(stream, distance);
  StreamWriteDateTime(stream, time);
  StreamWriteDWORD(stream, count);
}

uint32_t WriteTrack(CStream& stream, const CStr& name, const SNMEATrackPoint* points, size_t count,
                    bool absolute) {
  if (count == 0) return 0;
  WriteTrackHeader(stream, name, points[0]);
  SNMEATrackPoint written = points[0];
  uint32_t lastSize = 0;
  for (size_t i = 1; i < count; ++i) {
    SNMEATrackPoint point = points[i];
    if (absolute) {
      lastSize = WriteTrackAbsoluteRecord(stream, point);
    } else {
      const int64_t ticks = TrackTicks(point.Time - written.Time);
      point.Time = written.Time + ticks / kTrackTicksPerDay;
      lastSize = WriteTrackRecord(stream, written, ticks, point);
    }
    written = point;
  }
  WriteTrackTrailer(stream, written.Distance, written.Time, static_cast<uint32_t>(count));
  return lastSize;
}

void GetTrackInfo(CStream& stream, STrackInfo& info) {
  info = STrackInfo();
  if (!StreamCheckHeader(stream, kMagic)) throw CNMEATrackError("GetTrackInfo: Not a valid track.");
  info.Version = StreamReadVersion(stream);
  if (info.Version > kTrackVersion) throw CNMEATrackError("GetTrackInfo: Invalid version");
  if (info.Version >= kTrackVersionNamed) info.Name = StreamReadStr(stream);
  const int64_t start = Told(stream.GetPosition());
  const int64_t size = Told(stream.GetSize());
  info.FirstTime = StreamReadDateTime(stream);
  if (info.Version == kTrackVersion) {
    StreamSeek(stream, size - kTrackTrailerSize);
    info.Length = StreamReadLong(stream) * 0.1;
    info.LastTime = StreamReadDateTime(stream);
    info.Count = StreamReadDWORD(stream);
  } else {
    const int64_t records = (size - start) / kOldRecordSize;
    info.Count = static_cast<uint32_t>(records);
    info.LastTime = info.FirstTime;
    if (records > 0) {  // the last whole record's time
      StreamSeek(stream, start + (records - 1) * kOldRecordSize);
      info.LastTime = StreamReadDateTime(stream);
    }
    info.Length = -1.0;
  }
  StreamSeek(stream, start);
}

void GetTrackInfo(const CStr& fileName, STrackInfo& info) {
  CBufferedFileStream stream(fileName, kFileModeRead | kFileShareRead, kInfoBufferSize);
  GetTrackInfo(stream, info);
}

uint32_t ReadTrackPoints(CStream& stream, const STrackInfo& info,
                         std::vector<SNMEATrackPoint>& points) {
  points.clear();
  if (info.Version == kTrackVersion) return ReadCurrentPoints(stream, info.Count, points);
  ReadOldPoints(stream, info.Count, points);
  return 0;
}
