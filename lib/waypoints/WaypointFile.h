// The waypoint-database file: "TidemarWptDB", a packed version, then version
// 2.0.0.0's header block, name and four sections (read and written) or
// version 1.0.0.0's four sections (read only). References between items are
// written as identifiers and read back as fix-ups. Host thread only.
#pragma once

#include <cstdint>

#include "lib/foundation/display/Progress.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/waypoints/ItemId.h"
#include "lib/waypoints/WaypointFixup.h"

constexpr uint32_t kWptFileVersion2 = 0x02000000;
constexpr uint32_t kWptFileVersion1 = 0x01000000;
constexpr int32_t kWptFileBufferSize = 32768;
constexpr uint32_t kMaxFileWaypoints = 0xFFFFFF;
constexpr uint32_t kMaxFileShortCount = 0xFFFF;
constexpr uint32_t kMaxFileLinks = 255;

// What a reader gives the database besides its items.
struct SDatabaseHeader {
  SItemId id{};
  uint32_t contentVersion = 0;
  uint32_t modifiedTime = 0;
  CStr name;
  uint8_t flags = 0;
};

class CWaypointReader {
 public:
  explicit CWaypointReader(CWaypointDatabase* database) : database_(database) {}
  virtual ~CWaypointReader() = default;
  // Reads from after the version on; stops at the first error, leaving what
  // was read in the database and its fix-ups in the list.
  virtual bool Read(CStream& stream, SDatabaseHeader& header, CFixupList& fixups,
                    SProgress* progress, uint32_t& error) = 0;

 protected:
  CWaypointDatabase* database_;
};

// Reads the file start, picks the reader by version and runs it.
bool ReadWaypointDatabase(CStream& stream, CWaypointDatabase* database, SDatabaseHeader& header,
                          CFixupList& fixups, SProgress* progress, uint32_t& error);

// Refuses (with its code) a database that the format cannot hold or whose
// values the reader would refuse; nothing is written. Names are no reason:
// a short string holds the first 255 characters of a longer one.
bool CheckDatabaseStorable(CWaypointDatabase& database, uint32_t& error);
// Writes version 2.0.0.0 with the given modified time. References still
// waiting in pending (may be null) are written as the identifiers they hold.
bool WriteWaypointDatabase(CStream& stream, CWaypointDatabase& database, uint32_t modifiedTime,
                           const CFixupList* pending, uint32_t& error);
