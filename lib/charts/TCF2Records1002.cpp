#include "lib/charts/TCF2Records1002.h"

#include <cmath>
#include <cstdio>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/StreamFunctions.h"
#include "lib/geodesy/CalibrationStatus.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Lines.h"

namespace {

enum : uint8_t { kDatumCode = 0, kDatumShift = 1, kDatumDefinition = 2 };
constexpr uint32_t kDatumCodeKey = 0xD4;
constexpr int kDateDigits = 8;


// The decimal value of count digit characters; -1 for any other character.
int Digits(const char* text, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The geographic position of the image centre under the tag's calibration
// on the provisional reference.
SGeo2D CalibratedCentre(CTCF2Tag& tag, int32_t width, int32_t height,
                        const SGeodeticRef& provisional) {
  int32_t count = 0;
  SPointD pix[3], map[3];
  tag.GetCalibration(&count, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
  CGeodeticCalibration calibration;
  if (count == 2)
    calibration.Calibrate2(&pix[0], &pix[1], &map[0], &map[1], width, height, &provisional);
  else
    calibration.Calibrate3(&pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2], width, height,
                           &provisional);
  CalibrationStatusToStr("ReadDatum1_0_0_2", &calibration);
  SPointD centre;
  calibration.GetCentre(&centre);
  SGeo2D geo;
  calibration.PixToGeo(&geo, &centre);
  return geo;
}

}  // namespace

void TCF2ReadBounds1002(CStream& in, CTCF2Bounds& bounds, uint32_t& warnings) {
  bounds.Clear();
  const int32_t count = StreamReadLong(in);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x = StreamReadLong(in);
    const int32_t y = StreamReadLong(in);
    const SPointD p{x - 0.5, y - 0.5};
    if (i > 0 && PointDEqual(p, bounds.PointAt(i - 1))) warnings |= kTCF2WarnBoundsRepeat;
    bounds.Append(p);
  }
}

void TCF2WriteBounds1002(CStream& out, CTCF2Bounds& bounds) { TCF2BoundsWritePayload(out, bounds); }

bool TCF2ReadLinks1002(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  return TCF2TagReadLinks(in, tag, error);
}

void TCF2WriteLinks1002(CStream& out, CTCF2Tag& tag) { TCF2TagWriteLinks(out, tag); }

double TCF2ReadDateText(CStream& in, uint32_t key, uint32_t warning, uint32_t& warnings) {
  char text[kDateDigits];
  uint32_t error = 0;
  if (!in.ReadBuf(text, kDateDigits, error))
    throw CStreamError("TCF2ReadDateText: Read beyond end of stream.");
  ScrambleBytes(key, text, kDateDigits);
  double date = 0;
  const int year = Digits(text, 4), month = Digits(text + 4, 2), day = Digits(text + 6, 2);
  if (year < 0 || month < 0 || day < 0 || !TryEncodeDate(year, month, day, date)) {
    warnings |= warning;
    return 0;
  }
  return date;
}

void TCF2WriteDateText(CStream& out, uint32_t key, double date) {
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  char text[kDateDigits + 1];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year % 10000, month % 100, day % 100);
  ScrambleBytes(key, text, kDateDigits);
  uint32_t error = 0;
  if (!out.WriteBuf(text, kDateDigits, error))
    throw CStreamError("TCF2WriteDateText: Cannot write to stream.");
}

const SGeodeticDatum* ReadDatum1_0_0_2(CStream& in, int32_t width, int32_t height, CTCF2Tag& tag,
                                       const SGeodeticRef& provisional, uint32_t& error) {
  const uint8_t type = StreamReadBYTE(in);
  const SGeodeticDatum* datum = nullptr;
  if (type == kDatumCode) {
    datum = GeodeticDatumFindByCode(StrScramble(kDatumCodeKey, StreamReadStr(in)).c_str());
  } else if (type == kDatumShift) {
    const SGeo2D shift{StreamReadDouble(in), StreamReadDouble(in)};
    const SGeo2D centre = CalibratedCentre(tag, width, height, provisional);
    if (std::isfinite(shift.lat + shift.lon + centre.lat + centre.lon))
      datum = GeodeticDatumCreateByShiftWorker(centre, shift);
  } else if (type == kDatumDefinition) {
    datum = TCF2ReadDatumDefinition(in);
  } else {
    error = kErrDatumTypeUnknown;
    return nullptr;
  }
  if (!datum) error = kErrDatumUnknown;
  return datum;
}

bool TCF2WriteDatum1002(CStream& out, const SGeodeticDatum* datum, uint32_t& error) {
  if (!datum) return td::Fail(kErrDatumTypeUnknown, error);
  if (datum->Kind == kDatumTableRow) {
    StreamWriteBYTE(out, kDatumCode);
    StreamWriteStr(out, StrScramble(kDatumCodeKey, CStr(datum->Code)));
  } else if (datum->Kind == kDatumByShift) {
    StreamWriteBYTE(out, kDatumShift);
    StreamWriteDouble(out, datum->Shift[0]);
    StreamWriteDouble(out, datum->Shift[1]);
  } else if (datum->Kind == kDatumByDefinition) {
    StreamWriteBYTE(out, kDatumDefinition);
    TCF2WriteDatumDefinition(out, *datum);
  } else {
    return td::Fail(kErrDatumTypeUnknown, error);
  }
  return true;
}

bool TCF2ReadProjection1002(CStream& in, uint8_t code, int32_t width, int32_t height, CTCF2Tag& tag,
                            uint32_t& error) {
  SGeodeticRef ref;
  const SGeodeticDatum& fallback = *GeodeticWGS84Datum();
  if (code == kTCF2Proj1002Mercator) {
    GeodeticRefInitMercator(ref, 0, fallback);
    const SGeodeticDatum* datum = ReadDatum1_0_0_2(in, width, height, tag, ref, error);
    if (!datum) return false;
    GeodeticRefInitMercator(ref, 0, *datum);
  } else if (code == kTCF2Proj1002RD) {
    GeodeticRefInitRD(ref);
  } else if (code == kTCF2Proj1002TM) {
    const double k0 = StreamReadDouble(in);
    const double long0 = StreamReadDouble(in);
    GeodeticRefInitTransverseMercator(ref, k0, 0, long0, fallback);
    const SGeodeticDatum* datum = ReadDatum1_0_0_2(in, width, height, tag, ref, error);
    if (!datum) return false;
    GeodeticRefInitTransverseMercator(ref, k0, 0, long0, *datum);
  } else {
    return td::Fail(kErrProjectionUnknown, error);
  }
  tag.SetGeodeticRef(&ref);
  return true;
}

bool TCF2Projection1002Code(const SGeodeticRef& ref, uint8_t& code, uint32_t& error) {
  if (ref.Projection == kProjMercator)
    code = kTCF2Proj1002Mercator;
  else if (ref.Projection == kProjRD)
    code = kTCF2Proj1002RD;
  else if (ref.Projection == kProjTransverseMercator)
    code = kTCF2Proj1002TM;
  else
    return td::Fail(kErrProjectionUnknown, error);
  return true;
}

bool TCF2WriteProjection1002(CStream& out, const SGeodeticRef& ref, uint32_t& error) {
  uint8_t code = 0;
  if (!TCF2Projection1002Code(ref, code, error)) return false;
  if (code == kTCF2Proj1002RD) return true;
  if (code == kTCF2Proj1002TM) {
    StreamWriteDouble(out, ref.K0);
    StreamWriteDouble(out, ref.Long0);
  }
  return TCF2WriteDatum1002(out, ref.Datum, error);
}
