#include "lib/geodesy/GeodeticTables.h"

#include <cstring>
#include <memory>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"

namespace {

// Radians per arc-second.
constexpr double kArcSecond = 4.84813681109536e-6;
const SGeo2D kNoShift{0, 0};

int CompareEllipsoids(const SGeodeticEllipsoid* a, const SGeodeticEllipsoid* b) {
  // Compared, not subtracted: a difference of two u32 codes can overflow.
  return a->Code < b->Code ? -1 : (a->Code > b->Code ? 1 : 0);
}

int CompareDatums(const SGeodeticDatum* a, const SGeodeticDatum* b) { return std::strcmp(a->Code, b->Code); }

bool SameParams(const SGeodeticDatum& d, const SDatumParams& p) {
  return d.Dx == p.Dx && d.Dy == p.Dy && d.Dz == p.Dz && d.Rx == p.Rx && d.Ry == p.Ry && d.Rz == p.Rz &&
         d.Scale == p.Scale;
}

}  // namespace

CGeodeticTables::CGeodeticTables()
    : m_Ellipsoids(CompareEllipsoids),
      m_CreatedEllipsoids(true),
      m_Datums(true, CompareDatums),
      m_ShiftDatums(true),
      m_DefDatums(true),
      m_DatumNumbers{},
      m_OldNames(false) {
  for (const SEllipsoidRow& row : kEllipsoidRows) AddEllipsoid(row);
  m_WGS84Ellipsoid = EllipsoidSafe("WE");
  for (const SDatumRow& row : kDatumRows) AddDatum(row);
  m_WGS84Datum = DatumSafe("WGE");
  m_RDOldDatum = DatumSafe("RD-OLD");
  InitDatumNumbers();
  InitOldNames();
}

CGeodeticTables::~CGeodeticTables() = default;

void CGeodeticTables::AddEllipsoid(const SEllipsoidRow& row) {
  SGeodeticEllipsoid e;
  GeodeticEllipsoidSetup(e, kEllipsoidTableRow, GeodeticEllipsoidCodeFromStr(row.code), row.name, row.area, row.source,
                         row.a, row.invF);
  m_Ellipsoids.Add(e);
}

// Published parameters into the internal frame: Y mirrored, so dy and the X
// and Z rotations change sign; arc-seconds to radians; ppm to a factor.
void CGeodeticTables::AddDatum(const SDatumRow& row) {
  const SDatumParams params{
      row.dx, -row.dy, row.dz, row.rx * -kArcSecond, row.ry * kArcSecond, row.rz * -kArcSecond, row.ppm * 1e-6 + 1};
  auto d = std::make_unique<SGeodeticDatum>();
  GeodeticDatumSetup(*d, kDatumTableRow, row.code, row.name, row.area, row.source, EllipsoidSafe(row.ellipsoid), params,
                     kNoShift, kNoShift, m_WGS84Ellipsoid);
  m_Datums.Add(d.get());
  d.release();
}

void CGeodeticTables::InitDatumNumbers() {
  for (int32_t i = 0; i < kDatumNumberCount; ++i)
    m_DatumNumbers[i] = kDatumNumberCodes[i] ? DatumSafe(kDatumNumberCodes[i]) : nullptr;
}

void CGeodeticTables::InitOldNames() {
  for (const SOldNameRow& row : kOldNameRows)
    m_OldNames.AddObject(CStr(row.name), const_cast<SGeodeticDatum*>(DatumSafe(row.code)));
  m_OldNames.Sort();
}

const SGeodeticEllipsoid* CGeodeticTables::FindEllipsoid(uint32_t code) {
  SGeodeticEllipsoid key{};
  key.Code = code;
  int32_t index;
  return m_Ellipsoids.Find(key, &index) ? m_Ellipsoids.ElementAt(index) : nullptr;
}

const SGeodeticDatum* CGeodeticTables::FindDatum(const char* code) {
  SGeodeticDatum key{};
  key.Code = code;
  int32_t index;
  return m_Datums.Find(&key, &index) ? m_Datums.GetAt(index) : nullptr;
}

const SGeodeticDatum* CGeodeticTables::FindByOldName(const char* name) {
  int32_t index;
  return m_OldNames.Find(CStr(name), &index) ? static_cast<const SGeodeticDatum*>(m_OldNames.GetObject(index))
                                             : nullptr;
}

const SGeodeticEllipsoid* CGeodeticTables::EllipsoidSafe(const char* code) {
  const SGeodeticEllipsoid* e = FindEllipsoid(GeodeticEllipsoidCodeFromStr(code));
  if (!e)
    throw CGeodeticsError(kGeodeticsEllipsoidNotFound,
                          CStr("GeodeticEllipsoidCreateSafe: Ellipsoid code ") + code + " not found.");
  return e;
}

const SGeodeticDatum* CGeodeticTables::DatumSafe(const char* code) {
  const SGeodeticDatum* d = FindDatum(code);
  if (!d)
    throw CGeodeticsError(kGeodeticsDatumNotFound, CStr("GeodeticDatumCreateSafe: Datum code ") + code + " not found.");
  return d;
}

const SGeodeticDatum* CGeodeticTables::AddCreatedDatum(CList<SGeodeticDatum>& list, uint32_t kind,
                                                       const SGeodeticEllipsoid* ellipsoid, const SDatumParams& params,
                                                       const SGeo2D& refPoint, const SGeo2D& shift) {
  auto d = std::make_unique<SGeodeticDatum>();
  GeodeticDatumSetup(*d, kind, "", "", "", "", ellipsoid, params, refPoint, shift, m_WGS84Ellipsoid);
  list.Add(d.get());
  return d.release();
}

const SGeodeticDatum* CGeodeticTables::CreateDatumByDef(const SGeodeticEllipsoid* ellipsoid,
                                                        const SDatumParams& params) {
  CCriticalSectionLock guard(m_Lock);
  for (int32_t i = m_DefDatums.GetCount() - 1; i >= 0; --i) {
    const SGeodeticDatum* d = m_DefDatums.GetAt(i);
    if (d->Ellipsoid == ellipsoid && SameParams(*d, params)) return d;
  }
  return AddCreatedDatum(m_DefDatums, kDatumByDefinition, ellipsoid, params, kNoShift, kNoShift);
}

const SGeodeticDatum* CGeodeticTables::CreateDatumByShift(const SGeo2D& position, const SGeo2D& shift) {
  CCriticalSectionLock guard(m_Lock);
  for (int32_t i = m_ShiftDatums.GetCount() - 1; i >= 0; --i) {
    const SGeodeticDatum* d = m_ShiftDatums.GetAt(i);
    if (d->RefPoint[0] == position.lat && d->RefPoint[1] == position.lon && d->Shift[0] == shift.lat &&
        d->Shift[1] == shift.lon)
      return d;
  }
  // The translation that moves the position to the shifted position.
  SPoint3D from, to;
  GeoToGlobal2(from, position, *m_WGS84Ellipsoid);
  GeoToGlobal2(to, SGeo2D{position.lat + shift.lat, position.lon + shift.lon}, *m_WGS84Ellipsoid);
  const SDatumParams params{to.x - from.x, to.y - from.y, to.z - from.z, 0, 0, 0, 1};
  return AddCreatedDatum(m_ShiftDatums, kDatumByShift, m_WGS84Ellipsoid, params, position, shift);
}

const SGeodeticEllipsoid* CGeodeticTables::CreateEllipsoidByDef(double a, double invF) {
  CCriticalSectionLock guard(m_Lock);
  for (int32_t i = m_CreatedEllipsoids.GetCount() - 1; i >= 0; --i) {
    const SGeodeticEllipsoid* e = m_CreatedEllipsoids.GetAt(i);
    if (e->A == a && e->InvF == invF) return e;
  }
  auto e = std::make_unique<SGeodeticEllipsoid>();
  GeodeticEllipsoidSetup(*e, kEllipsoidByDefinition, 0, "", "", "", a, invF);
  m_CreatedEllipsoids.Add(e.get());
  return e.release();
}

bool CGeodeticTables::IsKnownDatum(const SGeodeticDatum* datum) {
  // Pointers are compared, never followed: a host's copy of a row carries
  // the row's code but is not the row, and a stray pointer must not crash.
  if (!datum) return false;
  if (m_Datums.IndexOf(datum) >= 0) return true;
  CCriticalSectionLock guard(m_Lock);
  return m_ShiftDatums.IndexOf(datum) >= 0 || m_DefDatums.IndexOf(datum) >= 0;
}
