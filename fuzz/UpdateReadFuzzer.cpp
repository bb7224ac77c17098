// Opens arbitrary bytes as an update (either version) and reads every patch
// and the text through real zlib. Hostile counts, offsets and sizes must end
// in an error code; the sanitizers and libFuzzer's limits catch crashes,
// huge allocations and hangs.
#include <cstdlib>

#include "lib/charts/Update.h"
#include "lib/foundation/streams/PointerStream.h"
#include "tests/charts/ZlibZip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CConstPointerStream stream(data, static_cast<int64_t>(size));
  uint32_t error = 0;
  CTCF2Update update(stream, static_cast<int64_t>(size), "fuzz.upd", error);
  if (error != 0) return 0;
  CCappedMemoryStream patch(kUpdPatchCap);
  for (int32_t i = 0; i < update.GetRecordCount(); ++i) {
    if (update.ReadTilePatch(patch, update.GetRecordTileIndex(i), &TestZip(), error) &&
        patch.GetSize() > kUpdPatchCap)
      std::abort();
  }
  CStr text;
  update.ReadCompressedBlock(text, &TestZip(), error);
  return 0;
}
