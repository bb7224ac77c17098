// The update file's fixed records and numbers. All little-endian, unpadded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/app/Version.h"

constexpr uint32_t kUpdVersion1 = MakeVersion(1, 0, 0, 0);  // read only, format 1
constexpr uint32_t kUpdVersion2 = MakeVersion(1, 1, 0, 0);  // written, format 2
constexpr uint32_t kUpdFormat1 = 1;
constexpr uint32_t kUpdFormat2 = 2;
// "TCFUPDAT", the version, the 96-byte descriptor.
constexpr int64_t kUpdHeaderSize = 108;
constexpr int64_t kUpdDescriptorOffset = 12;
// A chart update of format 1 names its charts this version.
constexpr uint32_t kUpdFormat1ChartVersion = MakeVersion(1, 0, 0, 2);

// Inflated data is never larger than this: a patch repeats a 4-byte run
// header and 3 colour bytes at most once per pixel of a 256 x 256 tile; block
// C is a text, generously bounded.
constexpr int64_t kUpdPatchCap = 7 * 65536;
constexpr int64_t kUpdTextCap = 16 << 20;

// The update descriptor at offset 12. Offsets count from the file's start.
struct STCF2UpdFileDesc {
  uint64_t fileSize;
  double dateTime;
  uint64_t reserved;
  uint64_t recordTableOffset;
  uint64_t chartDescOffset;
  uint64_t blockBOffset;  // 0: no block
  uint64_t blockAOffset;
  uint64_t blockCOffset;
  uint64_t tileBytes;  // compressed tile patches in all
  uint32_t recordTableSize;
  uint32_t recordCount;
  uint32_t chartDescSize;
  uint32_t blockBSize;
  uint32_t blockASize;
  uint32_t blockCSize;
};
static_assert(sizeof(STCF2UpdFileDesc) == 96);
static_assert(offsetof(STCF2UpdFileDesc, dateTime) == 0x08);
static_assert(offsetof(STCF2UpdFileDesc, recordTableOffset) == 0x18);
static_assert(offsetof(STCF2UpdFileDesc, blockCOffset) == 0x38);
static_assert(offsetof(STCF2UpdFileDesc, tileBytes) == 0x40);
static_assert(offsetof(STCF2UpdFileDesc, recordTableSize) == 0x48);
static_assert(offsetof(STCF2UpdFileDesc, blockCSize) == 0x5C);

// One tile's patch: level-0 tile index (row x tiles per row + column), the
// compressed size and the offset of the compressed bytes.
struct STCF2UpdFileTileInfo {
  uint32_t tileIndex;
  uint32_t size;
  uint64_t offset;
};
static_assert(sizeof(STCF2UpdFileTileInfo) == 16);
static_assert(offsetof(STCF2UpdFileTileInfo, offset) == 8);
