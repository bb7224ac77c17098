// The reader of version 1.0.0.0 waypoint-database files: waypoints and routes
// come up with fresh identifiers in a locked database; types and groups are
// read and dropped; route points refer to waypoint records by index.
#pragma once

#include <vector>

#include "lib/geodesy/GeoPosition.h"

#include "lib/waypoints/WaypointFile.h"

class CWaypointReader1_0_0_0 final : public CWaypointReader {
 public:
  using CWaypointReader::CWaypointReader;
  // The progress object is not used.
  bool Read(CStream& stream, SDatabaseHeader& header, CFixupList& fixups, SProgress* progress,
            uint32_t& error) override;

 private:
  bool ReadCount(CStream& stream, int32_t limit, int64_t minRecord, int32_t& count,
                 uint32_t& error);
  bool ReadItemStart(CStream& stream, CStr& name, double& time, uint32_t& error);
  bool ReadType(CStream& stream, uint32_t& error);
  bool ReadWaypoint(CStream& stream, uint32_t& error);
  bool ReadGroup(CStream& stream, uint32_t& error);
  bool ReadRoute(CStream& stream, uint32_t& error);
  bool ReadPoint(CStream& stream, CWaypointRoute* route, uint32_t& error);

  std::vector<CWaypoint*> waypoints_;  // per record in file order; null when deleted
  std::vector<SGeo3D> positions_;
};
