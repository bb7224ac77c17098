// The small services: visual styles, and the factories of sounds and of the
// compression holder.
#include "include/TdLib.h"
#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/display/Sound.h"
#include "lib/foundation/display/Themes.h"
#include "lib/foundation/streams/Zip.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

TDEXPORT(TdObject*) SoundCreate() { return td::ToHost(td::Create<CSound>()); }

// The sound comes back even when loading failed; the code tells the host.
TDEXPORT(TdObject*) SoundCreate1(const char* fileName, uint32_t* err) {
  return td::ToHost(td::Create<CSound>(fileName ? fileName : "", err));
}

TDEXPORT(TdObject*) ZipCreate(TdZipCallback compress, void* compressData, TdZipCallback uncompress,
                              void* uncompressData) {
  return td::ToHost(td::Create<CZip>(td::FromHost(compress), compressData, td::FromHost(uncompress), uncompressData));
}

TDEXPORT(void) ThemesInitialize() { td::GuardVoid([] { td::ThemesInitialize(); }); }
TDEXPORT(uint8_t) ThemesAvailable() {
  return td::Guard(0, [&] { return td::ThemesAvailable(); });
}
TDEXPORT(uint8_t) ThemesEnabled() {
  return td::Guard(0, [&] { return td::ThemesEnabled(); });
}
