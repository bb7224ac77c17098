#include "lib/geodesy/Geodetics.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/geodesy/GeodeticTables.h"

namespace {

// Published once built: every later call reads it without a lock. The mutex
// only orders the first builders and the clean-up at unload.
std::atomic<CGeodeticTables*> g_Tables{nullptr};
std::mutex g_InitMutex;

void GeodeticsFinalize() {
  std::lock_guard<std::mutex> guard(g_InitMutex);
  delete g_Tables.exchange(nullptr, std::memory_order_acq_rel);
}

CGeodeticTables* BuildTables() {
  std::lock_guard<std::mutex> guard(g_InitMutex);
  CGeodeticTables* tables = g_Tables.load(std::memory_order_relaxed);
  if (!tables) {
    tables = new CGeodeticTables;
    AddFinalizeProc(GeodeticsFinalize);
    g_Tables.store(tables, std::memory_order_release);
  }
  return tables;
}

// Every operation may come first: the tables are built on first use.
CGeodeticTables& Tables() { return *GeodeticTablesInitialize(); }

}  // namespace

CGeodeticTables* GeodeticTablesInitialize() {
  CGeodeticTables* tables = g_Tables.load(std::memory_order_acquire);
  return tables ? tables : BuildTables();
}

CGeodeticTables* GeodeticTablesGet() { return &Tables(); }

const SGeodeticEllipsoid* GeodeticWGS84Ellipsoid() { return Tables().GetWGS84Ellipsoid(); }
const SGeodeticDatum* GeodeticWGS84Datum() { return Tables().GetWGS84Datum(); }
const SGeodeticDatum* GeodeticRDOldDatum() { return Tables().GetRDOldDatum(); }

const SGeodeticDatum* GeodeticDatumFindByCode(const char* code) { return code ? Tables().FindDatum(code) : nullptr; }

const SGeodeticEllipsoid* GeodeticEllipsoidFindByCode(const char* code) {
  return code ? Tables().FindEllipsoid(GeodeticEllipsoidCodeFromStr(code)) : nullptr;
}

const SGeodeticDatum* GeodeticDatumFindByOldName(const char* name) {
  return name ? Tables().FindByOldName(name) : nullptr;
}

const SGeodeticDatum* GeodeticDatumFindByNumber(int32_t number) {
  return number >= 0 && number < kDatumNumberCount ? Tables().GetDatumNumbers()[number] : nullptr;
}

const SGeodeticDatum* GeodeticDatumCreateSafe(const char* code) { return Tables().DatumSafe(code ? code : ""); }

const SGeodeticEllipsoid* GeodeticEllipsoidCreateSafe(const char* code) {
  return Tables().EllipsoidSafe(code ? code : "");
}

const SGeodeticDatum* GeodeticDatumCreateByDefWorker(const SGeodeticEllipsoid* ellipsoid, const SDatumParams& params) {
  return Tables().CreateDatumByDef(ellipsoid, params);
}

const SGeodeticDatum* GeodeticDatumCreateByShiftWorker(const SGeo2D& position, const SGeo2D& shift) {
  return Tables().CreateDatumByShift(position, shift);
}

const SGeodeticEllipsoid* GeodeticEllipsoidCreateByDefWorker(double a, double invF) {
  return Tables().CreateEllipsoidByDef(a, invF);
}

bool GeodeticDatumIsKnown(const SGeodeticDatum* datum) { return Tables().IsKnownDatum(datum); }

bool GeodeticDatumListTo(int32_t& count, const SGeodeticDatum** out) {
  CGeodeticTables& t = Tables();
  const int32_t needed = t.GetDatumCount();
  const bool fits = count >= needed && out;
  if (fits)
    for (int32_t i = 0; i < needed; ++i) out[i] = t.GetDatum(i);
  count = needed;
  return fits;
}

bool GeodeticEllipsoidListTo(int32_t& count, const SGeodeticEllipsoid** out) {
  CGeodeticTables& t = Tables();
  const int32_t needed = t.GetEllipsoidCount();
  const bool fits = count >= needed && out;
  if (fits)
    for (int32_t i = 0; i < needed; ++i) out[i] = t.GetEllipsoid(i);
  count = needed;
  return fits;
}

namespace {

// The last old name in name order, or "" when the datum has none.
const char* OldNameOf(const SGeodeticDatum* datum) {
  const CStrList& names = Tables().GetOldNames();
  for (int32_t i = names.GetCount() - 1; i >= 0; --i)
    if (names.GetObject(i) == datum) return names.GetString(i).c_str();
  return "";
}

}  // namespace

bool GeodeticDatumOldNameTo(const SGeodeticDatum* datum, int32_t& size, char* buffer) {
  const char* name = OldNameOf(datum);
  const int32_t needed = static_cast<int32_t>(std::strlen(name)) + 1;
  const bool fits = size >= needed && buffer;
  if (fits) std::memcpy(buffer, name, needed);
  size = needed;
  return fits;
}
