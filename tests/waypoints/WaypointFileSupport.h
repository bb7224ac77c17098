// Loading and saving databases in memory for the file tests.
#pragma once

#include <array>
#include <cstring>
#include <vector>

#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "tests/waypoints/WaypointFixture.h"

using TBytes = std::vector<uint8_t>;

template <size_t N>
TBytes Bytes(const uint8_t (&data)[N]) {
  return TBytes(data, data + N);
}

// One batch of one image; null and the code on failure.
inline CWaypointDatabase* LoadImage(CWaypointManager* manager, const TBytes& bytes,
                                    uint32_t* error) {
  CConstPointerStream stream(bytes.data(), static_cast<int64_t>(bytes.size()));
  manager->BeginLoad(1, nullptr);
  CWaypointDatabase* database = manager->OpenDatabaseFrom(stream, error);
  manager->EndLoad();
  return database;
}

// The image Save writes, with modified time 0.
inline TBytes SaveImage(CWaypointDatabase* database, uint32_t* error) {
  CMemoryStream stream;
  if (!database->WriteTo(stream, 0, *error)) return TBytes();
  const uint8_t* data = stream.GetData();
  return TBytes(data, data + stream.GetSize());
}

// The counts of the manager's four lists and its databases.
inline std::array<int32_t, 5> Counts(CWaypointManager* manager) {
  return {manager->GetTypeCount(), manager->GetWaypointCount(), manager->GetGroupCount(),
          manager->GetRouteCount(), manager->GetDatabaseCount()};
}

inline SItemId IdOf(uint8_t byte) {
  SItemId id;
  std::memset(id.bytes, byte, 16);
  return id;
}

template <class T>
void Put(TBytes& bytes, size_t at, T value) {
  std::memcpy(bytes.data() + at, &value, sizeof(T));
}
