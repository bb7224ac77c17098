// Exports of chart files: the factories of the tables, the tag, the bounds
// and the update tag, and the reading functions. File names are
// zero-terminated 8-bit texts.
#include <cstdint>

#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileTableC.h"
#include "lib/foundation/Abi.h"
#include "lib/foundation/exports/Guard.h"

TDEXPORT(CTCF2MipmapTable*) TCF2MipmapTableCreate() { return td::Create<CTCF2MipmapTable>(); }
TDEXPORT(CTCF2TileTable*) TCF2TileTableCreate() { return td::Create<CTCF2TileTable>(); }
TDEXPORT(CTCF2TileTableC*) TCF2TileTableCCreate() { return td::Create<CTCF2TileTableC>(); }
TDEXPORT(CTCF2Tag*) TCF2TagCreate() { return td::Create<CTCF2Tag>(); }
TDEXPORT(CTCF2Bounds*) TCF2BoundsCreate() { return td::Create<CTCF2Bounds>(); }
TDEXPORT(CTCF2UpdateTag*) TCF2UpdateTagCreate() { return td::Create<CTCF2UpdateTag>(); }

TDEXPORT(void)
TCF2FileRead(const char* name, uint64_t* fileSize, uint32_t* version, uint32_t* index,
             STCF2FileHeader* header, CTCF2MipmapTable* mipmap, CTCF2TileTable* tiles,
             CTCF2Tag* tag, CTCF2UpdateTag* updateTag, CTCF2Bounds* bounds, uint32_t* warnings,
             uint32_t* error) {
  td::GuardCode(error, false, [&] {
    return TCF2FileRead(name, *fileSize, *version, *index,
                        {header, mipmap, tiles, tag, updateTag, bounds}, *warnings, *error);
  });
}

TDEXPORT(void)
TCF2FileReadTag(const char* name, CTCF2Tag* tag, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false, [&] { return TCF2FileReadTag(name, *tag, *warnings, *error); });
}

TDEXPORT(void)
TCF2FileReadBoundsTag(const char* name, CTCF2Bounds* bounds, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false,
                [&] { return TCF2FileReadBoundsTag(name, *bounds, *warnings, *error); });
}

TDEXPORT(void)
TCF2FileReadUpdateTag(const char* name, CTCF2UpdateTag* tag, uint32_t* warnings, uint32_t* error) {
  td::GuardCode(error, false, [&] { return TCF2FileReadUpdateTag(name, *tag, *warnings, *error); });
}
