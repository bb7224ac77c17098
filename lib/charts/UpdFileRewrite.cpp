#include "lib/charts/UpdFileRewrite.h"

#include "lib/charts/UpdateFile.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/files/FileTools.h"

namespace {


// The bytes copied unchanged: patches, record table and chart descriptor.
uint64_t CopiedEnd(const STCF2UpdFileDesc& desc) {
  return kUpdHeaderSize + desc.tileBytes + desc.recordTableSize + desc.chartDescSize;
}

bool Within(uint64_t offset, uint64_t size, uint64_t end) {
  return offset <= end && size <= end - offset;
}

// Whatever the copy keeps must lie inside what it copies.
bool CopiedKeepsAll(const STCF2UpdFileDesc& desc, const TUpdRecords& records) {
  const uint64_t end = CopiedEnd(desc);
  if (desc.tileBytes > desc.fileSize || end > desc.fileSize ||
      !Within(desc.recordTableOffset, desc.recordTableSize, end) ||
      !Within(desc.chartDescOffset, desc.chartDescSize, end))
    return false;
  for (const STCF2UpdFileTileInfo& record : records)
    if (!Within(record.offset, record.size, end)) return false;
  return true;
}

bool CopyRange(CStream& from, uint64_t offset, uint64_t size, CStream& to, uint32_t& error) {
  if (from.Seek(static_cast<int64_t>(offset), kSeekBegin) != static_cast<int64_t>(offset))
    return td::Fail(kErrFileSeek, error);
  return to.CopyFrom(from, static_cast<int64_t>(size), error) == static_cast<int64_t>(size);
}

// Keeps the old block, writes the new one or leaves the block out.
bool RewriteBlock(CStream& from, uint64_t& offset, uint32_t& size, const void* bytes,
                  int64_t length, bool replace, CStream& to, const CZip* zip, uint32_t& error) {
  const uint64_t oldOffset = offset;
  const uint32_t oldSize = size;
  offset = 0;
  size = 0;
  if (!replace && oldOffset != 0 && oldSize > 0) {
    offset = static_cast<uint64_t>(to.GetPosition());
    size = oldSize;
    return CopyRange(from, oldOffset, oldSize, to, error);
  }
  if (!replace || length <= 0) return true;
  return WriteCompressedBlock(to, offset, size, bytes, length, zip, error);
}

bool CopyFileTimes(const CStr& from, const CStr& to, uint32_t& error) {
  uint64_t creation = 0, access = 0, write = 0;
  return FileGetTime(from, &creation, &access, &write, error) &&
         FileSetTime(to, &creation, &access, &write, error);
}

bool WriteRewritten(CStream& old, const STCF2UpdFileDesc& oldDesc, const CStr& text,
                    bool replaceText, SUpdBlockChange blockA, SUpdBlockChange blockB,
                    const CZip* zip, CStream& out, uint32_t& error) {
  STCF2UpdFileDesc desc = oldDesc;
  const bool written =
      CopyRange(old, kUpdHeaderSize, CopiedEnd(oldDesc) - kUpdHeaderSize, out, error) &&
      RewriteBlock(old, desc.blockAOffset, desc.blockASize, blockA.bytes, blockA.size,
                   blockA.replace, out, zip, error) &&
      RewriteBlock(old, desc.blockBOffset, desc.blockBSize, blockB.bytes, blockB.size,
                   blockB.replace, out, zip, error) &&
      RewriteBlock(old, desc.blockCOffset, desc.blockCSize, text.c_str(), text.GetLength(),
                   replaceText, out, zip, error);
  if (!written) return false;
  desc.fileSize = static_cast<uint64_t>(out.GetPosition());
  return WriteDescriptor(out, desc, error);
}

}  // namespace

bool UpdFileRewrite(const CStr& updateFileName, const CStr& text, bool replaceText,
                    SUpdBlockChange blockA, SUpdBlockChange blockB, bool keepFileTimes,
                    const CZip* zip, uint32_t& error) {
  error = 0;
  CFileStream old;
  uint32_t format = 0;
  if (!old.Open(updateFileName, kFileModeRead | kFileShareRead, error) ||
      !UpdReadHeader(old, format, error))
    return false;
  if (format < kUpdFormat2) return td::Fail(kErrFileVersionUnsupported, error);
  STCF2UpdFileDesc desc;
  TUpdRecords records;
  CTCF2UpdChartDesc chart;
  if (!UpdReadBody(old, format, old.GetSize(), desc, records, chart, error)) return false;
  if (!CopiedKeepsAll(desc, records)) return td::Fail(kErrFileFormat, error);

  CAtomicFileWriter file;
  if (!CreateUpdateFile(updateFileName, kUpdFormat2, desc, file, error) ||
      !WriteRewritten(old, desc, text, replaceText, blockA, blockB, zip, file.Stream(), error) ||
      !file.Close(error))
    return false;
  if (keepFileTimes && !CopyFileTimes(updateFileName, file.GetTempName(), error)) return false;
  old.Close();
  return file.Replace(error);
}
