// The container of a TCF2 chart file: magic and version, the 164-byte header
// of version 2.0.0.0, the on-disk table records and the opening routine.
// All functions are free of state and may run on any thread; each reports
// through `error` (0 on success) and leaves it set on the first failure.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/streams/Stream.h"

// Format indexes of the known versions; 0 means unknown.
enum : uint32_t {
  kTCF2IndexUnknown = 0,
  kTCF2Index1000 = 1,
  kTCF2Index1001 = 2,
  kTCF2Index1002 = 3,
  kTCF2Index2000 = 4,
  kTCF2IndexCount = 5,
};

constexpr uint32_t kTCF2Version2000 = 0x02000000;
constexpr int64_t kTCF2HeaderPosition = 12;  // after the magic and the version
constexpr int32_t kTCF2MaxLevels = 33;
constexpr uint32_t kTCF2MaxTilesPerSide = 65535;  // tiles across or down one level

// Bits the chart readers OR into the caller's warnings word for soft faults.
enum : uint32_t {
  kTCF2WarnIdNumber = 0x0002,  // identity number above 0xFFFFF
  kTCF2WarnIdCode = 0x0004,    // identity code outside 0..47
  kTCF2WarnText1Empty = 0x0008,
  kTCF2WarnText2Empty = 0x0010,
  kTCF2WarnIdText1Empty = 0x0020,
  kTCF2WarnIdText2Empty = 0x0040,
  kTCF2WarnIdText3Empty = 0x0080,
  kTCF2WarnIdText4Empty = 0x0100,
  kTCF2WarnBoundsRepeat = 0x0200,  // two consecutive bounds vertices equal
  kTCF2WarnDate = 0x0400,
  kTCF2WarnOptDate = 0x0800,
  kTCF2WarnUpdateTime1 = 0x1000,
  kTCF2WarnUpdateTime2 = 0x2000,
  kTCF2WarnUpdateTime3 = 0x4000,
};

#pragma pack(push, 4)

struct STCF2FileSection {
  uint64_t Position;
  uint64_t Size;  // payload + the 4-byte checksum
};

// Read and written as one block at file offset 12. Hosts pass 164-byte records.
struct STCF2FileHeader {
  uint64_t TileDataPosition;
  uint64_t TileDataSize;
  uint64_t TableAPosition;
  uint64_t TableASize;
  uint64_t TableACount;
  uint64_t UpdateTileDataPosition;
  uint64_t UpdateTileDataSize;
  uint64_t UpdateTablePosition;
  uint64_t UpdateTableSize;
  uint64_t UpdateTableCount;  // readers use the low 32 bits
  uint64_t TableBPosition;
  uint64_t TableBSize;
  uint64_t TableBCount;
  STCF2FileSection UpdateTagSection;
  STCF2FileSection BoundsSection;
  STCF2FileSection TagSection;
  int32_t Width;
  int32_t Height;
  uint32_t LevelCount;
};

// An entry of tables A and B.
struct STCF2FileTileEntry {
  uint64_t Offset;
  uint32_t ColourSize;
  uint32_t AlphaSize;
};

// An entry of the update table.
struct STCF2FileUpdateEntry {
  uint32_t Tile;
  uint64_t Offset;
  uint32_t ColourSize;
  uint32_t AlphaSize;
};

#pragma pack(pop)

static_assert(sizeof(STCF2FileSection) == 16);
static_assert(sizeof(STCF2FileHeader) == 164);
static_assert(offsetof(STCF2FileHeader, UpdateTablePosition) == 0x38);
static_assert(offsetof(STCF2FileHeader, TableBCount) == 0x60);
static_assert(offsetof(STCF2FileHeader, UpdateTagSection) == 0x68);
static_assert(offsetof(STCF2FileHeader, BoundsSection) == 0x78);
static_assert(offsetof(STCF2FileHeader, TagSection) == 0x88);
static_assert(offsetof(STCF2FileHeader, Width) == 0x98);
static_assert(offsetof(STCF2FileHeader, LevelCount) == 0xA0);
static_assert(sizeof(STCF2FileTileEntry) == 16);
static_assert(sizeof(STCF2FileUpdateEntry) == 20);
static_assert(offsetof(STCF2FileUpdateEntry, Offset) == 4);
static_assert(offsetof(STCF2FileUpdateEntry, AlphaSize) == 16);

// The format index of a packed version, 0 when unknown.
uint32_t TCF2FileVersionToIndex(uint32_t version);
// The number of levels until the larger side reaches one pixel, plus one.
int32_t TCF2FileAutoLevelCount(int32_t width, int32_t height);

// Reads and checks magic and version from the stream's position: 0x10016 for
// another magic, 0x10017 / 0x10018 for an unknown version not above / above
// 2.0.0.0. Version and index are cleared first.
bool TCF2FileReadMagic(CStream& stream, uint32_t& version, uint32_t& index, uint32_t& error);
// Opens the named file read-only in `stream` (which must be closed) and
// checks magic and version. Returns the file size, 0 on failure.
uint64_t TCF2FileOpenRead(const CStr& name, uint32_t& version, uint32_t& index, CFileStream& stream,
                          uint32_t& error);
// Reads the header at offset 12 and checks width (0x7000A), height (0x7000B)
// and level count (0x7000C), in that order.
bool TCF2FileReadHeaderV4(CStream& stream, STCF2FileHeader& header, uint32_t& error);

// Writes the magic and the version of a format index 1..4 as one block.
bool TCF2FileWriteMagic(CStream& stream, uint32_t index, uint32_t& error);
// Writes the header at offset 12; the position is then just after it.
bool TCF2FileWriteHeader(CStream& stream, const STCF2FileHeader& header, uint32_t& error);
