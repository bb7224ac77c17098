// Reading chart files of versions 1.0.0.0, 1.0.0.1 and 1.0.0.2 into the
// objects of the 2.0.0.0 reader. Free of state; any thread, one read per set
// of objects. Structure faults give 0x10015 before anything is allocated for
// them; the first error stops the read and leaves the objects filled so far.
// Fields that end early throw CStreamError; a faulty calibration under a
// datum record of the shift type throws CGeodeticsError.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/charts/TCF2UpdateTag.h"
#include "lib/foundation/streams/Stream.h"

// Versions 1.0.0.1 and 1.0.0.2: at offset 12 the tag area's position (u64),
// width and height (i32), the tile count N (u32), then N tile records; in
// 1.0.0.2 the update count U (u32) and U update records follow.
constexpr uint64_t kTCF2V2TablePosition = 32;

#pragma pack(push, 4)
struct STCF2TileRecordV2 {
  uint64_t Position, Length;
};
struct STCF2UpdateRecordV2 {
  uint32_t Tile;
  uint64_t Position, Length;
};
#pragma pack(pop)
static_assert(sizeof(STCF2TileRecordV2) == 16 && sizeof(STCF2UpdateRecordV2) == 20);

// Stream at offset 12. Every position and size of the header is set to all
// ones, then the tag area (as the tag section), the table counts, width,
// height and the five levels. Each tile's whole length goes into its colour
// size, alpha size 0, for both copies; the update copies of 1.0.0.1/2 come
// from their update records. The stream is left at the tag area.
bool TCF2FileReadHeaderV1(CStream& stream, STCF2FileHeader& header, CTCF2MipmapTable& mipmap,
                          CTCF2TileTable& tiles, uint32_t& error);
bool TCF2FileReadHeaderV2(CStream& stream, STCF2FileHeader& header, CTCF2MipmapTable& mipmap,
                          CTCF2TileTable& tiles, uint32_t& error);

// Read the tag area from the stream's position to the end of the file (for
// 1.0.0.1/2 scrambled, the last two bytes its check value). The tag is
// cleared first; warnings are ORed in.
bool TCF2FileReadTablesV1(CStream& stream, CTCF2Tag& tag, CTCF2UpdateTag& updateTag,
                          CTCF2Bounds& bounds, uint32_t& warnings, uint32_t& error);
bool TCF2FileReadTablesV2(CStream& stream, CTCF2Tag& tag, CTCF2UpdateTag& updateTag,
                          CTCF2Bounds& bounds, uint32_t& warnings, uint32_t& error);
bool TCF2FileReadTablesV3(CStream& stream, int32_t width, int32_t height, CTCF2Tag& tag,
                          CTCF2UpdateTag& updateTag, CTCF2Bounds& bounds, uint32_t& warnings,
                          uint32_t& error);

// Writes the 1.0.0.2 tag area at the stream's position: the scrambled plain
// area, then its check value (the 16-bit byte sum of the plain area), and
// stores the area's position at offset 12; the stream ends after the check
// value. Absent optional values are written with value 1 = 1e37. 0x70020 for
// a calibration count other than 2 or 3, 0x70028 for a projection other
// than Mercator, RD and transverse Mercator, 0x70033 for a datum of another
// kind, 0x70034 for a kind other than 0..2; nothing is written on those.
bool TCF2FileWriteTagV3(CStream& stream, CTCF2Tag& tag, CTCF2Bounds& bounds,
                        CTCF2UpdateTag& updateTag, uint32_t& error);

// The keys of the texts scrambled inside the tag areas.
enum : uint32_t { kTCF2KeyK1 = 0x3B, kTCF2KeyK2 = 0xD4, kTCF2KeyK3 = 0xE9, kTCF2KeyK4 = 0x83 };
// Scrambles or unscrambles a 1.0.0.1/2 tag area in place with the start
// byte taken from its check value.
void TCF2ScrambleTagArea(void* data, size_t byteCount, uint16_t check);
