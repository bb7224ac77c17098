// Factories of the small services: sounds and the compression holder.
#include <cstdint>
#include <new>

#include "lib/foundation/Abi.h"
#include "lib/foundation/Sound.h"
#include "lib/foundation/Zip.h"

TDEXPORT(CSound*) SoundCreate() { return new (std::nothrow) CSound(); }

// The sound comes back even when loading failed; the code tells the host.
TDEXPORT(CSound*) SoundCreate1(const char* fileName, uint32_t* err) {
  return new (std::nothrow) CSound(fileName ? fileName : "", err);
}

TDEXPORT(CZip*) ZipCreate(ZipCallback compress, void* compressData, ZipCallback uncompress,
                          void* uncompressData) {
  return new (std::nothrow) CZip(compress, compressData, uncompress, uncompressData);
}
