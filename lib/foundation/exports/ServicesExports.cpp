// Factories of the small services: sounds and the compression holder.
#include <cstdint>

#include "lib/foundation/Abi.h"
#include "lib/foundation/Sound.h"
#include "lib/foundation/Zip.h"
#include "lib/foundation/exports/Guard.h"

TDEXPORT(CSound*) SoundCreate() { return td::Create<CSound>(); }

// The sound comes back even when loading failed; the code tells the host.
TDEXPORT(CSound*) SoundCreate1(const char* fileName, uint32_t* err) {
  return td::Create<CSound>(fileName ? fileName : "", err);
}

TDEXPORT(CZip*) ZipCreate(ZipCallback compress, void* compressData, ZipCallback uncompress,
                          void* uncompressData) {
  return td::Create<CZip>(compress, compressData, uncompress, uncompressData);
}
