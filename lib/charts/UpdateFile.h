// The update file: reading both versions, the writers that build one, and the
// tile patch that an update applies to a decoded tile. Every function reports
// through an error code (0 on success) and throws nothing but out-of-memory.
//
// Reading takes a stream whose position 0 is the update's first byte: the
// file itself, or a window over an update inside a package. Every region that
// the file names is checked against the bytes really there before anything is
// allocated or read.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/charts/UpdChartDesc.h"
#include "lib/charts/UpdateFormat.h"
#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/CappedMemoryStream.h"
#include "lib/foundation/streams/Zip.h"

using TUpdRecords = std::vector<STCF2UpdFileTileInfo>;

// The header: "TCFUPDAT" (0x10016) and the version, which gives the format:
// 0x10018 for a version above 1.1.0.0, 0x10017 for another unknown one.
bool UpdReadHeader(CStream& stream, uint32_t& format, uint32_t& error);

// The rest, from offset 12: the descriptor (its stored size must equal
// expectedSize, else 0x1001A), the records and the chart descriptor (texts
// restored). A region outside the update gives 0x10015.
bool UpdReadBody(CStream& stream, uint32_t format, int64_t expectedSize, STCF2UpdFileDesc& desc,
                 TUpdRecords& records, CTCF2UpdChartDesc& chartDesc, uint32_t& error);

// Inflates size bytes at offset through zip into out (emptied first), at most
// cap bytes (else 11); leaves out at position 0. A null zip gives 11.
bool UpdInflate(CStream& stream, uint64_t offset, uint32_t size, int64_t cap, const CZip* zip,
                CCappedMemoryStream& out, uint32_t& error);

// Block C as text: empty when the file has none.
bool UpdReadCompressedBlock(CStream& stream, uint32_t format, const STCF2UpdFileDesc& desc,
                            CStr& text, const CZip* zip, uint32_t& error);

// Writes the runs of a patch into a decoded tile of width x height pixels,
// keeping each pixel's alpha byte. Pixel indices count in rows of 256 for
// format 1 (pixels outside the tile's own area are dropped) and in rows of the
// tile's width for format 2. Every run is checked before any pixel changes: a
// run that leaves the tile or is cut short gives 0x10015 and changes nothing.
bool ApplyTilePatch(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t format,
                    const uint8_t* patch, int64_t size, uint32_t& error);

// Writing. The file goes through the atomic writer: nothing replaces the
// target before the writer's Commit.
// Creates the file and writes the header (format 1 or 2, else 0x10017) and desc.
bool CreateUpdateFile(const CStr& name, uint32_t format, const STCF2UpdFileDesc& desc,
                      CAtomicFileWriter& file, uint32_t& error);
// Writes desc at offset 12.
bool WriteDescriptor(CStream& stream, const STCF2UpdFileDesc& desc, uint32_t& error);
// Deflates a patch at the stream's position and appends its record; counts it
// in desc and in both byte totals.
bool WriteTileRecord(CStream& stream, STCF2UpdFileDesc& desc, uint32_t tileIndex, const void* bytes,
                     int64_t length, TUpdRecords& records, uint64_t& rawBytes,
                     uint64_t& compressedBytes, const CZip* zip, uint32_t& error);
// Deflates bytes at the stream's position; offset and size tell where they went.
bool WriteCompressedBlock(CStream& stream, uint64_t& offset, uint32_t& size, const void* bytes,
                          int64_t length, const CZip* zip, uint32_t& error);
// Block A, B or C at the stream's position, its offset and size into desc.
bool WriteBlockA(CStream& stream, STCF2UpdFileDesc& desc, const void* bytes, int64_t length,
                 const CZip* zip, uint32_t& error);
bool WriteBlockB(CStream& stream, STCF2UpdFileDesc& desc, const void* bytes, int64_t length,
                 const CZip* zip, uint32_t& error);
bool WriteBlockC(CStream& stream, STCF2UpdFileDesc& desc, const CStr& text, const CZip* zip,
                 uint32_t& error);
// The record table and the chart descriptor (1.1.0.0 form) at the stream's
// position, their offsets and sizes into desc.
bool WriteRecordTable(CStream& stream, STCF2UpdFileDesc& desc, const TUpdRecords& records,
                      uint32_t& error);
bool WriteChartDesc(CStream& stream, STCF2UpdFileDesc& desc, CTCF2UpdChartDesc& chartDesc,
                    uint32_t& error);
