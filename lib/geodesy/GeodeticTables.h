// The global set of geodetic tables: the 25 table ellipsoids, the 232 table
// datums, the datums and ellipsoids created from parameters, the old datum
// numbers and the old display names. Table rows never change after
// construction and the creation lists only grow, so lookups need no lock;
// creation and the search of the creation lists take the tables lock.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/StrList.h"
#include "lib/geodesy/Datum.h"
#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticTableData.h"

class CGeodeticTables {
 public:
  CGeodeticTables();
  ~CGeodeticTables();
  CGeodeticTables(const CGeodeticTables&) = delete;
  CGeodeticTables& operator=(const CGeodeticTables&) = delete;

  const SGeodeticEllipsoid* GetWGS84Ellipsoid() const { return m_WGS84Ellipsoid; }
  const SGeodeticDatum* GetWGS84Datum() const { return m_WGS84Datum; }
  const SGeodeticDatum* GetRDOldDatum() const { return m_RDOldDatum; }

  const SGeodeticEllipsoid* FindEllipsoid(uint32_t code);
  const SGeodeticDatum* FindDatum(const char* code);
  const SGeodeticDatum* FindByOldName(const char* name);
  // The old datum numbers: kDatumNumberCount slots, null where empty.
  const SGeodeticDatum* const* GetDatumNumbers() const { return m_DatumNumbers; }
  // Throw CGeodeticsError when the code is absent.
  const SGeodeticEllipsoid* EllipsoidSafe(const char* code);
  const SGeodeticDatum* DatumSafe(const char* code);
  // The old display names in name order, each with its datum as the object.
  const CStrList& GetOldNames() const { return m_OldNames; }

  int32_t GetEllipsoidCount() { return m_Ellipsoids.GetCount(); }
  const SGeodeticEllipsoid* GetEllipsoid(int32_t i) { return m_Ellipsoids.ElementAt(i); }
  int32_t GetDatumCount() { return m_Datums.GetCount(); }
  const SGeodeticDatum* GetDatum(int32_t i) { return m_Datums.GetAt(i); }

  const SGeodeticDatum* CreateDatumByDef(const SGeodeticEllipsoid* ellipsoid, const SDatumParams& params);
  const SGeodeticDatum* CreateDatumByShift(const SGeo2D& position, const SGeo2D& shift);
  const SGeodeticEllipsoid* CreateEllipsoidByDef(double a, double invF);
  // The very record of a table row or of a created datum.
  bool IsKnownDatum(const SGeodeticDatum* datum);

 private:
  void AddEllipsoid(const SEllipsoidRow& row);
  void AddDatum(const SDatumRow& row);
  void InitDatumNumbers();
  void InitOldNames();
  // Builds a created datum and appends it to one of the creation lists.
  const SGeodeticDatum* AddCreatedDatum(CList<SGeodeticDatum>& list, uint32_t kind, const SGeodeticEllipsoid* ellipsoid,
                                        const SDatumParams& params, const SGeo2D& refPoint, const SGeo2D& shift);

  CSortedArray<SGeodeticEllipsoid> m_Ellipsoids;
  CList<SGeodeticEllipsoid> m_CreatedEllipsoids;
  CCriticalSection m_Lock;
  CSortedList<SGeodeticDatum> m_Datums;
  CList<SGeodeticDatum> m_ShiftDatums;
  CList<SGeodeticDatum> m_DefDatums;
  const SGeodeticDatum* m_DatumNumbers[kDatumNumberCount];
  CStrList m_OldNames;  // (name, datum), sorted by name; does not own the datums
  const SGeodeticEllipsoid* m_WGS84Ellipsoid;
  const SGeodeticDatum* m_WGS84Datum;
  const SGeodeticDatum* m_RDOldDatum;
};
