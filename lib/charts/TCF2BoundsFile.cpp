#include "lib/charts/TCF2BoundsFile.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "lib/charts/TCF2Section.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/StreamFunctions.h"
#include "lib/geodesy/Lines.h"

namespace {

constexpr uint32_t kTimeWarnings[3] = {kTCF2WarnUpdateTime1, kTCF2WarnUpdateTime2,
                                       kTCF2WarnUpdateTime3};

// A stored value v stands for v - 0.5; c is stored as c + 0.5 rounded half up.
double FromStored(int32_t v) { return v - 0.5; }
// Values beyond the 32-bit range are stored at its ends.
int32_t ToStored(double c) {
  const double v = std::floor(c + 0.5 + 0.5);
  if (v >= 2147483647.0) return INT32_MAX;
  return v >= -2147483648.0 ? static_cast<int32_t>(v) : INT32_MIN;
}

double ReadDateTime(CStream& in, uint32_t warning, uint32_t& warnings) {
  const int year = StreamReadWORD(in);
  const int month = StreamReadBYTE(in);
  const int day = StreamReadBYTE(in);
  const int hour = StreamReadBYTE(in);
  const int minute = StreamReadBYTE(in);
  const int second = StreamReadBYTE(in);
  const int ms = StreamReadWORD(in);
  double value = 0;
  if (TryEncodeDateTime(year, month, day, hour, minute, second, ms, value)) return value;
  warnings |= warning;
  return 0;
}

void WriteDateTime(CStream& out, double value) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  DecodeDateTime(value, year, month, day, hour, minute, second, ms);
  StreamWriteWORD(out, static_cast<uint16_t>(year));
  for (int part : {month, day, hour, minute, second})
    StreamWriteBYTE(out, static_cast<uint8_t>(part));
  StreamWriteWORD(out, static_cast<uint16_t>(ms));
}

}  // namespace

bool TCF2BoundsReadPayload(CStream& payload, CTCF2Bounds& bounds, uint32_t& warnings,
                           uint32_t& error) {
  bounds.Clear();
  const int32_t count = StreamReadLong(payload);
  if (count < 0 || count == 1 || count == 2) {
    error = kErrBoundsCount;
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x = StreamReadLong(payload);
    const int32_t y = StreamReadLong(payload);
    const SPointD p{FromStored(x), FromStored(y)};
    if (i > 0 && PointDEqual(p, bounds.PointAt(i - 1))) warnings |= kTCF2WarnBoundsRepeat;
    bounds.Append(p);
  }
  return true;
}

bool TCF2FileReadBoundsV4(CStream& stream, const STCF2FileHeader& header, CTCF2Bounds& bounds,
                          uint32_t& warnings, uint32_t& error) {
  CMemoryStream payload;
  return TCF2ReadSection(stream, header.BoundsSection.Size, header.BoundsSection.Position, payload,
                         error) &&
         TCF2BoundsReadPayload(payload, bounds, warnings, error);
}

void TCF2BoundsWritePayload(CStream& payload, CTCF2Bounds& bounds) {
  StreamWriteLong(payload, bounds.Count());
  for (int32_t i = 0; i < bounds.Count(); ++i) {
    const SPointD p = bounds.PointAt(i);
    StreamWriteLong(payload, ToStored(p.x));
    StreamWriteLong(payload, ToStored(p.y));
  }
}

bool TCF2FileWriteBoundsV4(CStream& stream, CTCF2Bounds& bounds, uint32_t& error) {
  CMemoryStream payload;
  TCF2BoundsWritePayload(payload, bounds);
  return TCF2WriteSection(stream, payload, error);
}

void TCF2UpdateTagReadPayload(CStream& payload, CTCF2UpdateTag& tag, uint32_t& warnings) {
  const CStr text = StreamReadStr(payload);
  tag.TakeText(text);
  for (int i = 0; i < 3; ++i) tag.SetTime(i, ReadDateTime(payload, kTimeWarnings[i], warnings));
}

bool TCF2FileReadUpdateTagV4(CStream& stream, const STCF2FileHeader& header, CTCF2UpdateTag& tag,
                             uint32_t& warnings, uint32_t& error) {
  CMemoryStream payload;
  if (!TCF2ReadSection(stream, header.UpdateTagSection.Size, header.UpdateTagSection.Position,
                       payload, error))
    return false;
  TCF2UpdateTagReadPayload(payload, tag, warnings);
  return true;
}

void TCF2UpdateTagWritePayload(CStream& payload, CTCF2UpdateTag& tag) {
  StreamWriteStr(payload, *tag.GetText());
  for (int i = 0; i < 3; ++i) WriteDateTime(payload, tag.Time(i));
}

bool TCF2FileWriteUpdateTagV4(CStream& stream, CTCF2UpdateTag& tag, uint32_t& error) {
  CMemoryStream payload;
  TCF2UpdateTagWritePayload(payload, tag);
  return TCF2WriteSection(stream, payload, error);
}
