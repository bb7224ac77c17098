// The library's global ellipsoid and datum tables: lookups and creation of
// datums and ellipsoids from parameters. The tables are built by
// GeodeticTablesInitialize or on first use; rows are never removed, so every
// pointer handed out stays valid until the library unloads.
#pragma once

#include <cstdint>

#include "lib/geodesy/Datum.h"
#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/GeoPosition.h"

class CGeodeticTables;

enum : int32_t { kGeodeticDatumNumbers = 224 };

// Error numbers of CGeodeticsError.
enum : uint32_t {
  kGeodeticsNotImplemented = 1,
  kGeodeticsEllipsoidNotFound = 2,
  kGeodeticsDatumNotFound = 3,
};

// Builds the tables once (later calls return the same object) and registers
// their clean-up with the application object. Any thread may call it and
// every lookup below; once built, no lookup takes a lock.
CGeodeticTables* GeodeticTablesInitialize();
CGeodeticTables* GeodeticTablesGet();

const SGeodeticEllipsoid* GeodeticWGS84Ellipsoid();
const SGeodeticDatum* GeodeticWGS84Datum();
const SGeodeticDatum* GeodeticRDOldDatum();

// Null when absent.
const SGeodeticDatum* GeodeticDatumFindByCode(const char* code);
const SGeodeticEllipsoid* GeodeticEllipsoidFindByCode(const char* code);
// Whole-name match in the old-name table.
const SGeodeticDatum* GeodeticDatumFindByOldName(const char* name);
// Slot of the old datum-number table; null outside 0..223 or for an empty slot.
const SGeodeticDatum* GeodeticDatumFindByNumber(int32_t number);
// Throw CGeodeticsError (numbers 3 and 2) when absent.
const SGeodeticDatum* GeodeticDatumCreateSafe(const char* code);
const SGeodeticEllipsoid* GeodeticEllipsoidCreateSafe(const char* code);

// Parameters in internal units and frame, taken as they are.
const SGeodeticDatum* GeodeticDatumCreateByDefWorker(const SGeodeticEllipsoid* ellipsoid, const SDatumParams& params);
// A WGS 84 datum whose ToWGS84 moves position to position + shift.
const SGeodeticDatum* GeodeticDatumCreateByShiftWorker(const SGeo2D& position, const SGeo2D& shift);
const SGeodeticEllipsoid* GeodeticEllipsoidCreateByDefWorker(double a, double invF);

// A table row (the very record, not a copy) or a created datum.
bool GeodeticDatumIsKnown(const SGeodeticDatum* datum);
// Fill the caller's array when count is large enough, else store the count
// needed and return false.
bool GeodeticDatumListTo(int32_t& count, const SGeodeticDatum** out);
bool GeodeticEllipsoidListTo(int32_t& count, const SGeodeticEllipsoid** out);
// The datum's old display name into buffer (empty when it has none); size
// becomes the length + 1; false when the buffer is too small.
bool GeodeticDatumOldNameTo(const SGeodeticDatum* datum, int32_t& size, char* buffer);
