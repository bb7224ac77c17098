// Reading a whole chart file, or one of its descriptive objects, into
// objects the caller owns. Any thread may read, one read per set of objects
// at a time. Warnings are only ORed into the caller's word; the first error
// stops the read and leaves the objects filled so far as they are. Short
// section payloads throw CStreamError (the exports turn it into error 1);
// the file is closed on every path.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/charts/TCF2UpdateTag.h"
#include "lib/foundation/streams/Stream.h"

// The objects one whole read fills; none may be null.
struct STCF2ChartParts {
  STCF2FileHeader* header;
  CTCF2MipmapTable* mipmap;
  CTCF2TileTable* tiles;
  CTCF2Tag* tag;
  CTCF2UpdateTag* updateTag;
  CTCF2Bounds* bounds;
};

// A set of objects for one whole read, owned together.
struct STCF2ChartObjects {
  STCF2FileHeader header{};
  CTCF2MipmapTable mipmap;
  CTCF2TileTable tiles;
  CTCF2Tag tag;
  CTCF2UpdateTag updateTag;
  CTCF2Bounds bounds;

  STCF2ChartParts Parts() { return {&header, &mipmap, &tiles, &tag, &updateTag, &bounds}; }
};

// Reads everything after magic and version of one format version.
typedef bool (*TTCF2ReadChart)(CStream& stream, const STCF2ChartParts& parts, uint32_t& warnings,
                               uint32_t& error);
// By format index. 2.0.0.0 reads header, tables, update tag, bounds and tag
// in that order; the older versions their header and then their tag area.
extern const TTCF2ReadChart kTCF2ReadChart[kTCF2IndexCount];

// Checks magic and version from the stream's start, then reads the rest.
bool TCF2FileReadStream(CStream& stream, uint32_t& version, uint32_t& index,
                        const STCF2ChartParts& parts, uint32_t& warnings, uint32_t& error);
// The same from the named file; fileSize is set once the file is open.
bool TCF2FileRead(const CStr& name, uint64_t& fileSize, uint32_t& version, uint32_t& index,
                  const STCF2ChartParts& parts, uint32_t& warnings, uint32_t& error);

// One object of the named file. For 2.0.0.0 only the header and that
// object's section are read (damaged tables do not matter); older versions
// are read whole into temporary objects.
bool TCF2FileReadTag(const CStr& name, CTCF2Tag& tag, uint32_t& warnings, uint32_t& error);
bool TCF2FileReadBoundsTag(const CStr& name, CTCF2Bounds& bounds, uint32_t& warnings,
                           uint32_t& error);
bool TCF2FileReadUpdateTag(const CStr& name, CTCF2UpdateTag& tag, uint32_t& warnings,
                           uint32_t& error);
