// Both database readers over bytes in memory; what reads back is saved, read
// into a second manager and saved again: the second read must succeed and
// the two saves be equal but for the modified time.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

CWaypointManager* NewManager() {
  SWaypointManagerArgs args{
      0, nullptr, nullptr, 1, 16.0f, 16.0f, "Tahoma", {10, 1, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
  return new CWaypointManager(args);
}

CWaypointDatabase* Load(CWaypointManager* manager, CStream& stream, uint32_t& error) {
  manager->BeginLoad(1, nullptr);
  CWaypointDatabase* database = manager->OpenDatabaseFrom(stream, &error);
  manager->EndLoad();
  return database;
}

bool Save(CWaypointDatabase* database, CMemoryStream& out) {
  uint32_t error = 0;
  return database->WriteTo(out, 1234, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWaypointManager* first = NewManager();
  CConstPointerStream input(data, static_cast<int64_t>(size));
  uint32_t error = 0;
  CWaypointDatabase* database = Load(first, input, error);
  CMemoryStream save1, save2;
  if (database && Save(database, save1)) {
    CWaypointManager* second = NewManager();
    save1.Seek(0, 0);
    CWaypointDatabase* again = Load(second, save1, error);
    if (!again || !Save(again, save2) || save1.GetSize() != save2.GetSize() ||
        std::memcmp(save1.GetData(), save2.GetData(), static_cast<size_t>(save1.GetSize())) != 0)
      std::abort();
    td::Free(second);
  }
  td::Free(first);
  return 0;
}
