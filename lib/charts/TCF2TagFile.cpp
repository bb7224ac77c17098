#include "lib/charts/TCF2TagFile.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "lib/charts/TCF2Section.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/StreamFunctions.h"
#include "lib/geodesy/Geodetics.h"

namespace {

enum : uint8_t { kProjCodeMercator = 0, kProjCodeRD = 1, kProjCodeTransverseMercator = 2 };
enum : uint8_t { kDatumRecordCode = 0, kDatumRecordShift = 1, kDatumRecordDefinition = 2 };
constexpr uint8_t kKindCodes[] = {0, 1, 3};  // stored byte of kind 0, 1, 2
constexpr uint32_t kMaxIdNumber = 0xFFFFF;
constexpr int32_t kMaxIdCode = 47;


// ---- reading ----

void ReadText(CStream& in, CTCF2Tag& tag, ETCF2TagText which, uint32_t warnIfEmpty,
              uint32_t& warnings) {
  const CStr text = StreamReadStr(in);
  if (text.GetLength() == 0) warnings |= warnIfEmpty;
  tag.SetText(which, &text);
}

// u16 year, byte month, byte day; 0 with the warning bit when no valid date.
double ReadDate(CStream& in, uint32_t warning, uint32_t& warnings) {
  const int year = StreamReadWORD(in);
  const int month = StreamReadBYTE(in);
  const int day = StreamReadBYTE(in);
  double date = 0;
  if (!TryEncodeDate(year, month, day, date)) {
    warnings |= warning;
    date = 0;
  }
  return date;
}

bool AllFinite(const double* values, int count) {
  for (int i = 0; i < count; ++i)
    if (!std::isfinite(values[i])) return false;
  return true;
}

void ReadDoubles(CStream& in, double* values, int count) {
  for (int i = 0; i < count; ++i) values[i] = StreamReadDouble(in);
}

// A record with a value that makes no datum is refused before anything is
// created: the tables keep every datum made from parameters for good.
const SGeodeticDatum* ReadDatum(CStream& in, uint32_t& error) {
  const uint8_t type = StreamReadBYTE(in);
  const SGeodeticDatum* datum = nullptr;
  if (type == kDatumRecordCode) {
    datum = GeodeticDatumFindByCode(StreamReadStr(in).c_str());
  } else if (type == kDatumRecordShift) {
    double v[4];
    ReadDoubles(in, v, 4);
    if (AllFinite(v, 4))
      datum = GeodeticDatumCreateByShiftWorker(SGeo2D{v[0], v[1]}, SGeo2D{v[2], v[3]});
  } else if (type == kDatumRecordDefinition) {
    datum = TCF2ReadDatumDefinition(in);
  } else {
    error = kErrDatumTypeUnknown;
    return nullptr;
  }
  if (!datum) error = kErrDatumUnknown;
  return datum;
}

bool ReadReference(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  SGeodeticRef ref;
  const uint8_t code = StreamReadBYTE(in);
  if (code == kProjCodeMercator) {
    const SGeodeticDatum* datum = ReadDatum(in, error);
    if (!datum) return false;
    GeodeticRefInitMercator(ref, 0, *datum);
  } else if (code == kProjCodeRD) {
    GeodeticRefInitRD(ref);
  } else if (code == kProjCodeTransverseMercator) {
    const double k0 = StreamReadDouble(in);
    const double long0 = StreamReadDouble(in);
    const SGeodeticDatum* datum = ReadDatum(in, error);
    if (!datum) return false;
    GeodeticRefInitTransverseMercator(ref, k0, 0, long0, *datum);
  } else {
    return td::Fail(kErrProjectionUnknown, error);
  }
  tag.SetGeodeticRef(&ref);
  return true;
}

void ReadIdentity(CStream& in, CTCF2Tag& tag, uint32_t& warnings) {
  TCF2TagReadIdNumbers(in, tag, warnings);
  ReadText(in, tag, kTagIdText4, kTCF2WarnIdText4Empty, warnings);
  ReadText(in, tag, kTagIdText3, kTCF2WarnIdText3Empty, warnings);
  ReadText(in, tag, kTagIdText1, kTCF2WarnIdText1Empty, warnings);
  ReadText(in, tag, kTagIdText2, kTCF2WarnIdText2Empty, warnings);
}

// The nine texts between the date and the optional values, in file order.
constexpr ETCF2TagText kMiddleTexts[] = {kTagText3,  kTagText5, kTagText6,  kTagText9, kTagText11,
                                         kTagText10, kTagText8, kTagText12, kTagText13};

void ReadDescription(CStream& in, CTCF2Tag& tag, uint32_t& warnings) {
  ReadText(in, tag, kTagText1, kTCF2WarnText1Empty, warnings);
  ReadText(in, tag, kTagText2, kTCF2WarnText2Empty, warnings);
  tag.SetValueU16(StreamReadWORD(in));
  ReadText(in, tag, kTagText7, 0, warnings);
  tag.SetDate(ReadDate(in, kTCF2WarnDate, warnings));
  for (ETCF2TagText which : kMiddleTexts) ReadText(in, tag, which, 0, warnings);
  const bool present = StreamReadBool(in);
  double v1 = 0, v2 = 0, v3 = 0;
  if (present) {
    v1 = StreamReadDouble(in);
    v3 = ReadDate(in, kTCF2WarnOptDate, warnings);
    v2 = StreamReadDouble(in);
  }
  tag.SetOptValues(present, v1, v2, v3);
  ReadText(in, tag, kTagText4, 0, warnings);
}

}  // namespace

bool TCF2TagReadLinks(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  const int32_t count = StreamReadLong(in);
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t type = StreamReadBYTE(in);
    if (type != kLinkFile && type != kLinkOther) return td::Fail(kErrLinkTypeUnknown, error);
    const CStr file = StreamReadStr(in);
    const CStr description = StreamReadStr(in);
    tag.AppendLink(type, file, description);
  }
  return true;
}

namespace {

SPointD ReadPoint(CStream& in) {
  const S2DD p = StreamRead2DD(in);
  return {p.X, p.Y};
}

bool ReadCalibration(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  const uint8_t count = StreamReadBYTE(in);
  if (count != 2 && count != 3) return td::Fail(kErrCalPointCount, error);
  SPointD pix[3] = {}, map[3] = {};
  for (int i = 0; i < count; ++i) pix[i] = ReadPoint(in);
  for (int i = 0; i < count; ++i) map[i] = ReadPoint(in);
  tag.SetCalibration(count, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
  return true;
}

// ---- writing ----

void WriteDate(CStream& out, double date) {
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  StreamWriteWORD(out, static_cast<uint16_t>(year));
  StreamWriteBYTE(out, static_cast<uint8_t>(month));
  StreamWriteBYTE(out, static_cast<uint8_t>(day));
}

void WriteDoubles(CStream& out, const double* values, int count) {
  for (int i = 0; i < count; ++i) StreamWriteDouble(out, values[i]);
}

bool WriteDatum(CStream& out, const SGeodeticDatum* datum, uint32_t& error) {
  if (!datum) return td::Fail(kErrDatumTypeUnknown, error);
  if (datum->Kind == kDatumTableRow) {
    StreamWriteBYTE(out, kDatumRecordCode);
    StreamWriteStr(out, datum->Code);
  } else if (datum->Kind == kDatumByShift) {
    StreamWriteBYTE(out, kDatumRecordShift);
    WriteDoubles(out, datum->RefPoint, 2);
    WriteDoubles(out, datum->Shift, 2);
  } else if (datum->Kind == kDatumByDefinition) {
    StreamWriteBYTE(out, kDatumRecordDefinition);
    TCF2WriteDatumDefinition(out, *datum);
  } else {
    return td::Fail(kErrDatumTypeUnknown, error);
  }
  return true;
}

bool WriteReference(CStream& out, const SGeodeticRef& ref, uint32_t& error) {
  if (ref.Projection == kProjMercator) {
    StreamWriteBYTE(out, kProjCodeMercator);
    return WriteDatum(out, ref.Datum, error);
  }
  if (ref.Projection == kProjRD) {
    StreamWriteBYTE(out, kProjCodeRD);
    return true;
  }
  if (ref.Projection == kProjTransverseMercator) {
    StreamWriteBYTE(out, kProjCodeTransverseMercator);
    StreamWriteDouble(out, ref.K0);
    StreamWriteDouble(out, ref.Long0);
    return WriteDatum(out, ref.Datum, error);
  }
  return td::Fail(kErrProjectionUnknown, error);
}

void WritePoint(CStream& out, const SPointD& p) { StreamWrite2DD(out, S2DD{p.x, p.y}); }

void WriteHead(CStream& out, CTCF2Tag& tag) {
  StreamWriteGUID(out, *tag.GetGUID());
  StreamWriteDWORD(out, tag.GetIdNumber());
  StreamWriteLong(out, tag.GetIdCode());
  for (ETCF2TagText which :
       {kTagIdText4, kTagIdText3, kTagIdText1, kTagIdText2, kTagText1, kTagText2})
    StreamWriteStr(out, tag.Text(which));
  StreamWriteWORD(out, tag.GetValueU16());
  StreamWriteStr(out, tag.Text(kTagText7));
  WriteDate(out, tag.GetDate());
  for (ETCF2TagText which : kMiddleTexts) StreamWriteStr(out, tag.Text(which));
  StreamWriteBool(out, tag.HasOptValues());
  if (tag.HasOptValues()) {
    StreamWriteDouble(out, tag.GetOptValue1());
    WriteDate(out, tag.GetOptValue3());
    StreamWriteDouble(out, tag.GetOptValue2());
  }
  StreamWriteStr(out, tag.Text(kTagText4));
}

void WriteLinksAndCalibration(CStream& out, CTCF2Tag& tag) {
  TCF2TagWriteLinks(out, tag);
  int32_t count = 0;
  SPointD pix[3], map[3];
  tag.GetCalibration(&count, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
  StreamWriteBYTE(out, static_cast<uint8_t>(count));
  const int written = count == 3 ? 3 : 2;
  for (int i = 0; i < written; ++i) WritePoint(out, pix[i]);
  for (int i = 0; i < written; ++i) WritePoint(out, map[i]);
}

}  // namespace

void TCF2TagReadIdNumbers(CStream& in, CTCF2Tag& tag, uint32_t& warnings) {
  const SGuid guid = StreamReadGUID(in);
  tag.SetGUID(&guid);
  const uint32_t number = StreamReadDWORD(in);
  if (number > kMaxIdNumber) warnings |= kTCF2WarnIdNumber;
  tag.SetIdNumber(number);
  const int32_t code = StreamReadLong(in);
  if (code < 0 || code > kMaxIdCode) warnings |= kTCF2WarnIdCode;
  tag.SetIdCode(code);
}

bool TCF2TagReadKind(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  const uint8_t stored = StreamReadBYTE(in);
  for (int32_t kind = 0; kind < 3; ++kind) {
    if (kKindCodes[kind] != stored) continue;
    tag.SetKind(kind);
    return true;
  }
  return td::Fail(kErrSourceFormatUnknown, error);
}

bool TCF2TagWriteKind(CStream& out, CTCF2Tag& tag, uint32_t& error) {
  const int32_t kind = tag.GetKind();
  if (kind < 0 || kind > 2) return td::Fail(kErrSourceFormatUnknown, error);
  StreamWriteBYTE(out, kKindCodes[kind]);
  return true;
}

const SGeodeticDatum* TCF2ReadDatumDefinition(CStream& in) {
  double v[9];  // seven parameters, then a and 1/f
  ReadDoubles(in, v, 9);
  if (!AllFinite(v, 9) || v[6] <= 0 || v[7] <= 0 || v[8] <= 0) return nullptr;
  const SGeodeticEllipsoid* ellipsoid = GeodeticEllipsoidCreateByDefWorker(v[7], v[8]);
  return GeodeticDatumCreateByDefWorker(ellipsoid,
                                        SDatumParams{v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
}

void TCF2WriteDatumDefinition(CStream& out, const SGeodeticDatum& datum) {
  const double v[9] = {datum.Dx,    datum.Dy,           datum.Dz,
                       datum.Rx,    datum.Ry,           datum.Rz,
                       datum.Scale, datum.Ellipsoid->A, datum.Ellipsoid->InvF};
  WriteDoubles(out, v, 9);
}

void TCF2TagWriteLinks(CStream& out, CTCF2Tag& tag) {
  const TLinkList& links = tag.Links();
  StreamWriteLong(out, links.GetCount());
  for (int i = 0; i < links.GetCount(); ++i) {
    const SLinkInfo& link = *links.GetAt(i);
    StreamWriteBYTE(out, static_cast<uint8_t>(link.Type));
    StreamWriteStr(out, link.File);
    StreamWriteStr(out, link.Description);
  }
}

bool TCF2TagReadPayload(CStream& payload, CTCF2Tag& tag, uint32_t& warnings, uint32_t& error) {
  ReadIdentity(payload, tag, warnings);
  ReadDescription(payload, tag, warnings);
  if (!TCF2TagReadLinks(payload, tag, error) || !ReadCalibration(payload, tag, error) ||
      !ReadReference(payload, tag, error))
    return false;
  tag.SetFlag(StreamReadBool(payload));
  return TCF2TagReadKind(payload, tag, error);
}

bool TCF2FileReadTagV4(CStream& stream, const STCF2FileHeader& header, CTCF2Tag& tag,
                       uint32_t& warnings, uint32_t& error) {
  CMemoryStream payload;
  if (!TCF2ReadSection(stream, header.TagSection.Size, header.TagSection.Position, payload, error))
    return false;
  tag.ClearFields();
  return TCF2TagReadPayload(payload, tag, warnings, error);
}

bool TCF2TagWritePayload(CStream& payload, CTCF2Tag& tag, uint32_t& error) {
  const int32_t kind = tag.GetKind();
  if (kind < 0 || kind > 2) return td::Fail(kErrSourceFormatUnknown, error);
  WriteHead(payload, tag);
  WriteLinksAndCalibration(payload, tag);
  if (!WriteReference(payload, tag.Ref(), error)) return false;
  // The reader refuses any other count.
  const int32_t points = tag.GetCalPointCount();
  if (points != 2 && points != 3) return td::Fail(kErrCalPointCount, error);
  StreamWriteBool(payload, tag.GetFlag());
  StreamWriteBYTE(payload, kKindCodes[kind]);
  return true;
}

bool TCF2FileWriteTagV4(CStream& stream, CTCF2Tag& tag, uint32_t& error) {
  CMemoryStream payload;
  return TCF2TagWritePayload(payload, tag, error) && TCF2WriteSection(stream, payload, error);
}
