#include "lib/charts/UpdateFile.h"

#include <cstdint>
#include <cstring>

#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/StreamWindow.h"

namespace {

constexpr uint8_t kTextKey = 0x6F;
constexpr int64_t kVersion1RecordSize = 20;
constexpr uint32_t kRunHeaderSize = 4;
constexpr uint32_t kPixelBytes = 3;


// [offset, offset + size) lies after the header and inside the update.
bool InUpdate(uint64_t offset, uint64_t size, uint64_t fileSize) {
  return offset >= static_cast<uint64_t>(kUpdHeaderSize) && offset <= fileSize &&
         size <= fileSize - offset;
}

// A block that is present must lie inside the update.
bool BlockInUpdate(uint64_t offset, uint32_t size, uint64_t fileSize) {
  return offset == 0 || InUpdate(offset, size, fileSize);
}

bool ReadScrambled(CStream& stream, CStr& text, uint32_t& error) {
  if (!stream.ReadStr(text, error)) return false;
  text = StrScramble(kTextKey, text);
  return true;
}

bool WriteScrambled(CStream& stream, const CStr& text, uint32_t& error) {
  return stream.WriteStr(StrScramble(kTextKey, text), error);
}

// The 1.1.0.0 chart descriptor, texts read into the descriptor's own.
bool ReadChartDesc2(CStream& stream, CTCF2UpdChartDesc& chart, uint32_t& error) {
  uint32_t version = 0, number = 0;
  uint8_t code = 0;
  if (!stream.ReadVersion(version, error) || !stream.ReadGUID(*chart.GetGUID(), error) ||
      !ReadScrambled(stream, chart.GetIdText3(), error) ||
      !ReadScrambled(stream, chart.GetIdText4(), error) || !stream.ReadDWORD(number, error) ||
      !stream.ReadBYTE(code, error) || !ReadScrambled(stream, chart.GetIdText1(), error) ||
      !ReadScrambled(stream, chart.GetIdText2(), error))
    return false;
  chart.SetVersion(version);
  chart.SetIdNumber(number);
  chart.SetIdCode(code);
  return true;
}

bool ReadRecords2(CStream& stream, const STCF2UpdFileDesc& desc, TUpdRecords& records,
                  uint32_t& error) {
  CStreamWindow table(stream, static_cast<int64_t>(desc.recordTableOffset), desc.recordTableSize);
  records.assign(desc.recordCount, STCF2UpdFileTileInfo{});
  if (!records.empty() &&
      !table.ReadBuf(records.data(), static_cast<int32_t>(desc.recordTableSize), error))
    return false;
  for (const STCF2UpdFileTileInfo& record : records)
    if (!InUpdate(record.offset, record.size, desc.fileSize)) return td::Fail(kErrFileFormat, error);
  return true;
}

bool ReadBody2(CStream& stream, int64_t expectedSize, STCF2UpdFileDesc& desc, TUpdRecords& records,
               CTCF2UpdChartDesc& chart, uint32_t& error) {
  if (!stream.ReadBuf(&desc, sizeof desc, error)) return false;
  if (desc.fileSize != static_cast<uint64_t>(expectedSize)) return td::Fail(kErrFileSize, error);
  const uint64_t size = desc.fileSize;
  const bool regionsInside =
      static_cast<uint64_t>(desc.recordCount) * sizeof(STCF2UpdFileTileInfo) ==
          desc.recordTableSize &&
      desc.recordTableSize <= INT32_MAX &&
      InUpdate(desc.recordTableOffset, desc.recordTableSize, size) &&
      InUpdate(desc.chartDescOffset, desc.chartDescSize, size) &&
      BlockInUpdate(desc.blockAOffset, desc.blockASize, size) &&
      BlockInUpdate(desc.blockBOffset, desc.blockBSize, size) &&
      BlockInUpdate(desc.blockCOffset, desc.blockCSize, size);
  if (!regionsInside) return td::Fail(kErrFileFormat, error);
  if (!ReadRecords2(stream, desc, records, error)) return false;
  CStreamWindow chartWindow(stream, static_cast<int64_t>(desc.chartDescOffset), desc.chartDescSize);
  return ReadChartDesc2(chartWindow, chart, error);
}

// The 1.0.0.0 identity fields, texts stored plain.
bool ReadChartDesc1(CStream& stream, CTCF2UpdChartDesc& chart, uint32_t& error) {
  uint32_t ignored = 0, number = 0;
  int32_t code = 0;
  if (!stream.ReadDWORD(ignored, error) || !stream.ReadGUID(*chart.GetGUID(), error) ||
      !stream.ReadStr(chart.GetIdText3(), error) || !stream.ReadStr(chart.GetIdText4(), error) ||
      !stream.ReadDWORD(number, error) || !stream.ReadLong(code, error) ||
      !stream.ReadStr(chart.GetIdText1(), error) || !stream.ReadStr(chart.GetIdText2(), error))
    return false;
  chart.SetVersion(kUpdFormat1ChartVersion);
  chart.SetIdNumber(number);
  chart.SetIdCode(code);
  return true;
}

#pragma pack(push, 1)
struct SVersion1Record {
  int32_t tileIndex;
  uint64_t offset;
  uint64_t size;
};
#pragma pack(pop)
static_assert(sizeof(SVersion1Record) == kVersion1RecordSize);

bool ReadRecords1(CStream& stream, uint64_t fileSize, TUpdRecords& records, uint32_t& error) {
  int32_t count = 0;
  if (!stream.ReadLong(count, error)) return false;
  if (count < 0 || count > stream.GetRemaining() / kVersion1RecordSize ||
      count > INT32_MAX / kVersion1RecordSize)
    return td::Fail(kErrFileFormat, error);
  std::vector<SVersion1Record> raw(static_cast<size_t>(count));
  uint64_t correction = 0;
  if ((count > 0 &&
       !stream.ReadBuf(raw.data(), static_cast<int32_t>(count * kVersion1RecordSize), error)) ||
      !stream.ReadBuf(&correction, 8, error))
    return false;
  records.resize(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    const uint64_t offset = raw[i].offset + correction;  // wraps: then outside the update
    if (raw[i].size > UINT32_MAX || !InUpdate(offset, raw[i].size, fileSize))
      return td::Fail(kErrFileFormat, error);
    records[i] = {static_cast<uint32_t>(raw[i].tileIndex), static_cast<uint32_t>(raw[i].size),
                  offset};
  }
  return true;
}

bool ReadBlockC1(CStream& stream, STCF2UpdFileDesc& desc, uint32_t& error) {
  uint64_t position = 0, ignored = 0, length = 0;
  if (!stream.ReadBuf(&position, 8, error) || !stream.ReadBuf(&ignored, 8, error)) return false;
  if (!InUpdate(position, 8, desc.fileSize) ||
      stream.Seek(static_cast<int64_t>(position), kSeekBegin) < 0)
    return td::Fail(kErrFileFormat, error);
  if (!stream.ReadBuf(&length, 8, error)) return false;
  if (length > UINT32_MAX || !InUpdate(position + 8, length, desc.fileSize))
    return td::Fail(kErrFileFormat, error);
  desc.blockCOffset = position + 8;
  desc.blockCSize = static_cast<uint32_t>(length);
  return true;
}

bool ReadBody1(CStream& stream, int64_t expectedSize, STCF2UpdFileDesc& desc, TUpdRecords& records,
               CTCF2UpdChartDesc& chart, uint32_t& error) {
  desc = STCF2UpdFileDesc{};
  if (!stream.ReadBuf(&desc.fileSize, 8, error)) return false;
  if (desc.fileSize != static_cast<uint64_t>(expectedSize)) return td::Fail(kErrFileSize, error);
  if (!ReadChartDesc1(stream, chart, error) || !stream.ReadDateTime(desc.dateTime, error) ||
      !ReadRecords1(stream, desc.fileSize, records, error))
    return false;
  desc.recordCount = static_cast<uint32_t>(records.size());
  return ReadBlockC1(stream, desc, error);
}

// Whether every run lies inside the first limit pixels and is complete.
bool CheckRuns(const uint8_t* patch, int64_t size, uint32_t limit) {
  int64_t at = 0;
  while (at < size) {
    if (size - at < kRunHeaderSize) return false;
    uint16_t first, countMinusOne;
    std::memcpy(&first, patch + at, 2);
    std::memcpy(&countMinusOne, patch + at + 2, 2);
    const uint32_t count = countMinusOne + 1u;
    if (first + count > limit || size - at - kRunHeaderSize < int64_t{count} * kPixelBytes)
      return false;
    at += kRunHeaderSize + int64_t{count} * kPixelBytes;
  }
  return true;
}

void SetColour(uint32_t& pixel, const uint8_t* bgr) {
  pixel = (pixel & 0xFF000000u) | uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0];
}

// Writes one checked run; pixels that fall outside the tile's own area (a
// format 1 patch on an edge tile) are dropped.
void ApplyRun(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t rowPixels, uint32_t first,
              uint32_t count, const uint8_t* colour) {
  if (rowPixels == width && first + count <= width * height) {
    uint32_t* out = pixels + first;
    for (uint32_t i = 0; i < count; ++i) SetColour(out[i], colour + i * kPixelBytes);
    return;
  }
  for (uint32_t p = first; p < first + count; ++p, colour += kPixelBytes) {
    const uint32_t x = p % rowPixels, y = p / rowPixels;
    if (x < width && y < height) SetColour(pixels[y * width + x], colour);
  }
}

}  // namespace

bool UpdReadHeader(CStream& stream, uint32_t& format, uint32_t& error) {
  format = 0;
  uint32_t version = 0;
  if (!stream.CheckHeader("TCFUPDAT", error) || !stream.ReadVersion(version, error)) return false;
  if (version == kUpdVersion1) format = kUpdFormat1;
  if (version == kUpdVersion2) format = kUpdFormat2;
  if (format != 0) return true;
  return td::Fail(version > kUpdVersion2 ? kErrFileVersionNewer : kErrFileVersionUnknown, error);
}

bool UpdReadBody(CStream& stream, uint32_t format, int64_t expectedSize, STCF2UpdFileDesc& desc,
                 TUpdRecords& records, CTCF2UpdChartDesc& chartDesc, uint32_t& error) {
  if (stream.Seek(kUpdDescriptorOffset, kSeekBegin) != kUpdDescriptorOffset)
    return td::Fail(kErrFileRead, error);
  if (format == kUpdFormat2)
    return ReadBody2(stream, expectedSize, desc, records, chartDesc, error);
  if (format == kUpdFormat1)
    return ReadBody1(stream, expectedSize, desc, records, chartDesc, error);
  return td::Fail(kErrFileVersionUnknown, error);
}

bool UpdInflate(CStream& stream, uint64_t offset, uint32_t size, int64_t cap, const CZip* zip,
                CCappedMemoryStream& out, uint32_t& error) {
  out.Rewind();
  if (zip == nullptr) return td::Fail(kErrUncompress, error);
  CStreamWindow source(stream, static_cast<int64_t>(offset), size);
  error = 0;
  zip->Uncompress(&out, &source, &error);
  if (out.Overflowed()) error = kErrUncompress;
  if (error != 0) return false;
  out.Seek(0, kSeekBegin);
  return true;
}

bool UpdReadCompressedBlock(CStream& stream, uint32_t format, const STCF2UpdFileDesc& desc,
                            CStr& text, const CZip* zip, uint32_t& error) {
  text = CStr();
  error = 0;
  if (static_cast<int64_t>(desc.blockCOffset) <= 0) return true;
  CCappedMemoryStream inflated(kUpdTextCap);
  if (!UpdInflate(stream, desc.blockCOffset, desc.blockCSize, kUpdTextCap, zip, inflated, error))
    return false;
  if (format == kUpdFormat1) return inflated.ReadStr(text, error);
  text = CStr(static_cast<int32_t>(inflated.GetSize()),
              reinterpret_cast<const char*>(inflated.GetData()));
  return true;
}

bool ApplyTilePatch(uint32_t* pixels, uint32_t width, uint32_t height, uint32_t format,
                    const uint8_t* patch, int64_t size, uint32_t& error) {
  const uint32_t rowPixels = format == kUpdFormat1 ? 256 : width;
  const uint32_t limit = format == kUpdFormat1 ? 256 * 256 : width * height;
  if (size < 0 || !CheckRuns(patch, size, limit)) return td::Fail(kErrFileFormat, error);
  for (int64_t at = 0; at < size;) {
    uint16_t first, countMinusOne;
    std::memcpy(&first, patch + at, 2);
    std::memcpy(&countMinusOne, patch + at + 2, 2);
    const uint32_t count = countMinusOne + 1u;
    ApplyRun(pixels, width, height, rowPixels, first, count, patch + at + kRunHeaderSize);
    at += kRunHeaderSize + int64_t{count} * kPixelBytes;
  }
  error = 0;
  return true;
}

bool CreateUpdateFile(const CStr& name, uint32_t format, const STCF2UpdFileDesc& desc,
                      CAtomicFileWriter& file, uint32_t& error) {
  if (format != kUpdFormat1 && format != kUpdFormat2) return td::Fail(kErrFileVersionUnknown, error);
  if (!file.Open(name, 4096, error)) return false;
  CStream& stream = file.Stream();
  return stream.WriteBuf("TCFUPDAT", 8, error) &&
         stream.WriteVersion(format == kUpdFormat1 ? kUpdVersion1 : kUpdVersion2, error) &&
         stream.WriteBuf(&desc, sizeof desc, error);
}

bool WriteDescriptor(CStream& stream, const STCF2UpdFileDesc& desc, uint32_t& error) {
  if (stream.Seek(kUpdDescriptorOffset, kSeekBegin) != kUpdDescriptorOffset)
    return td::Fail(kErrFileSeek, error);
  return stream.WriteBuf(&desc, sizeof desc, error);
}

bool WriteCompressedBlock(CStream& stream, uint64_t& offset, uint32_t& size, const void* bytes,
                          int64_t length, const CZip* zip, uint32_t& error) {
  if (zip == nullptr) return td::Fail(kErrCompress, error);
  const int64_t start = stream.GetPosition();
  error = 0;
  zip->CompressBuffer(&stream, bytes, length, &error);
  if (error != 0) return false;
  offset = static_cast<uint64_t>(start);
  size = static_cast<uint32_t>(stream.GetPosition() - start);
  return true;
}

bool WriteTileRecord(CStream& stream, STCF2UpdFileDesc& desc, uint32_t tileIndex, const void* bytes,
                     int64_t length, TUpdRecords& records, uint64_t& rawBytes,
                     uint64_t& compressedBytes, const CZip* zip, uint32_t& error) {
  STCF2UpdFileTileInfo record{tileIndex, 0, 0};
  if (!WriteCompressedBlock(stream, record.offset, record.size, bytes, length, zip, error))
    return false;
  records.push_back(record);
  ++desc.recordCount;
  desc.tileBytes += record.size;
  rawBytes += static_cast<uint64_t>(length);
  compressedBytes += record.size;
  return true;
}

bool WriteBlockA(CStream& stream, STCF2UpdFileDesc& desc, const void* bytes, int64_t length,
                 const CZip* zip, uint32_t& error) {
  return WriteCompressedBlock(stream, desc.blockAOffset, desc.blockASize, bytes, length, zip,
                              error);
}

bool WriteBlockB(CStream& stream, STCF2UpdFileDesc& desc, const void* bytes, int64_t length,
                 const CZip* zip, uint32_t& error) {
  return WriteCompressedBlock(stream, desc.blockBOffset, desc.blockBSize, bytes, length, zip,
                              error);
}

bool WriteBlockC(CStream& stream, STCF2UpdFileDesc& desc, const CStr& text, const CZip* zip,
                 uint32_t& error) {
  return WriteCompressedBlock(stream, desc.blockCOffset, desc.blockCSize, text.c_str(),
                              text.GetLength(), zip, error);
}

bool WriteRecordTable(CStream& stream, STCF2UpdFileDesc& desc, const TUpdRecords& records,
                      uint32_t& error) {
  desc.recordTableOffset = static_cast<uint64_t>(stream.GetPosition());
  desc.recordTableSize = static_cast<uint32_t>(records.size() * sizeof(STCF2UpdFileTileInfo));
  desc.recordCount = static_cast<uint32_t>(records.size());
  return records.empty() ||
         stream.WriteBuf(records.data(), static_cast<int32_t>(desc.recordTableSize), error);
}

bool WriteChartDesc(CStream& stream, STCF2UpdFileDesc& desc, CTCF2UpdChartDesc& chart,
                    uint32_t& error) {
  const int64_t start = stream.GetPosition();
  const bool ok = stream.WriteVersion(chart.GetVersion(), error) &&
                  stream.WriteGUID(*chart.GetGUID(), error) &&
                  WriteScrambled(stream, chart.GetIdText3(), error) &&
                  WriteScrambled(stream, chart.GetIdText4(), error) &&
                  stream.WriteDWORD(chart.GetIdNumber(), error) &&
                  stream.WriteBYTE(static_cast<uint8_t>(chart.GetIdCode()), error) &&
                  WriteScrambled(stream, chart.GetIdText1(), error) &&
                  WriteScrambled(stream, chart.GetIdText2(), error);
  desc.chartDescOffset = static_cast<uint64_t>(start);
  desc.chartDescSize = static_cast<uint32_t>(stream.GetPosition() - start);
  return ok;
}
