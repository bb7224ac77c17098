// Exports of chart files: the factories of the tables, the tag, the bounds
// and the update tag, and the reading functions. File names are
// zero-terminated 8-bit texts.
#include <cstdint>

#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileTableC.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

#if TD_HOST_ABI
static_assert(sizeof(TdTCF2FileHeader) == sizeof(STCF2FileHeader));
#endif

namespace td {
TD_HOST_CLASS(TdTCF2MipmapTable, CTCF2MipmapTable)
TD_HOST_CLASS(TdTCF2TileTable, CTCF2TileTable)
TD_HOST_CLASS(TdTCF2TileTableC, CTCF2TileTableC)
TD_HOST_CLASS(TdTCF2Tag, CTCF2Tag)
TD_HOST_CLASS(TdTCF2Bounds, CTCF2Bounds)
TD_HOST_CLASS(TdTCF2UpdateTag, CTCF2UpdateTag)
inline STCF2FileHeader* FromHost(TdTCF2FileHeader* header) {
  return reinterpret_cast<STCF2FileHeader*>(header);
}
}  // namespace td

TDEXPORT(TdTCF2MipmapTable*) TCF2MipmapTableCreate() {
  return td::ToHost(td::Create<CTCF2MipmapTable>());
}
TDEXPORT(TdTCF2TileTable*) TCF2TileTableCreate() {
  return td::ToHost(td::Create<CTCF2TileTable>());
}
TDEXPORT(TdTCF2TileTableC*) TCF2TileTableCCreate() {
  return td::ToHost(td::Create<CTCF2TileTableC>());
}
TDEXPORT(TdTCF2Tag*) TCF2TagCreate() { return td::ToHost(td::Create<CTCF2Tag>()); }
TDEXPORT(TdTCF2Bounds*) TCF2BoundsCreate() { return td::ToHost(td::Create<CTCF2Bounds>()); }
TDEXPORT(TdTCF2UpdateTag*) TCF2UpdateTagCreate() {
  return td::ToHost(td::Create<CTCF2UpdateTag>());
}

TDEXPORT(void)
TCF2FileRead(const char* name, uint64_t* fileSize, uint32_t* version, uint32_t* index,
             TdTCF2FileHeader* header, TdTCF2MipmapTable* mipmap, TdTCF2TileTable* tiles,
             TdTCF2Tag* tag, TdTCF2UpdateTag* updateTag, TdTCF2Bounds* bounds, uint32_t* warnings,
             uint32_t* error) {
  using td::FromHost;
  td::GuardCode(error, false, [&] {
    STCF2ChartParts parts{FromHost(header), FromHost(mipmap),    FromHost(tiles),
                          FromHost(tag),    FromHost(updateTag), FromHost(bounds)};
    return TCF2FileRead(name, *fileSize, *version, *index, parts, *warnings, *error);
  });
}

TDEXPORT(void)
TCF2FileReadTag(const char* name, TdTCF2Tag* tag, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false,
                [&] { return TCF2FileReadTag(name, *td::FromHost(tag), *warnings, *error); });
}

TDEXPORT(void)
TCF2FileReadBoundsTag(const char* name, TdTCF2Bounds* bounds, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false, [&] {
    return TCF2FileReadBoundsTag(name, *td::FromHost(bounds), *warnings, *error);
  });
}

TDEXPORT(void)
TCF2FileReadUpdateTag(const char* name, TdTCF2UpdateTag* tag, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false,
                [&] { return TCF2FileReadUpdateTag(name, *td::FromHost(tag), *warnings, *error); });
}
