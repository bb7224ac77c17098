#include "lib/charts/Update.h"

#include <cstring>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/streams/StreamWindow.h"

namespace {

void FreeStream(CStream* stream) { td::Free(stream); }

}  // namespace

CTCF2Update::CTCF2Update(const CStr& fileName, uint32_t& error)
    : m_FileName(fileName), m_Stream(new CBufferedFileStream, FreeStream) {
  auto* file = static_cast<CBufferedFileStream*>(m_Stream.get());
  if (!file->Open(fileName, kFileModeRead | kFileShareRead, 32768, error)) return;
  Read(file->GetSize(), error);
}

CTCF2Update::CTCF2Update(CStream& packageStream, int64_t size, const CStr& itemFileName,
                         uint32_t& error)
    : m_FileName(itemFileName),
      m_Stream(new CStreamWindow(packageStream, packageStream.GetPosition(), size), FreeStream) {
  Read(size, error);
}

CTCF2Update::~CTCF2Update() = default;

void CTCF2Update::Read(int64_t expectedSize, uint32_t& error) {
  error = 0;
  if (expectedSize < 0) {
    error = kErrFileRead;
    return;
  }
  if (UpdReadHeader(*m_Stream, m_Format, error))
    UpdReadBody(*m_Stream, m_Format, expectedSize, m_Desc, m_Records, m_ChartDesc, error);
}

CTCF2UpdChartDesc* TD_STDCALL CTCF2Update::GetChartDesc() { return &m_ChartDesc; }
double TD_STDCALL CTCF2Update::GetDateTime() { return m_Desc.dateTime; }
CStr& TD_STDCALL CTCF2Update::GetFileName() { return m_FileName; }
uint32_t TD_STDCALL CTCF2Update::GetFormat() { return m_Format; }

bool CTCF2Update::ReadTilePatch(CCappedMemoryStream& out, uint32_t tileIndex, const CZip* zip,
                                uint32_t& error) {
  out.Rewind();
  for (auto record = m_Records.rbegin(); record != m_Records.rend(); ++record)
    if (record->tileIndex == tileIndex)
      return m_Stream &&
             UpdInflate(*m_Stream, record->offset, record->size, kUpdPatchCap, zip, out, error);
  error = kErrNoTileUpdate;
  return false;
}

bool CTCF2Update::ReadTilePatch(CStream& out, uint32_t tileIndex, const CZip* zip,
                                uint32_t& error) {
  out.SetSize(0);
  CCappedMemoryStream patch(kUpdPatchCap);
  if (!ReadTilePatch(patch, tileIndex, zip, error)) return false;
  if (!out.WriteBuf(patch.GetData(), static_cast<int32_t>(patch.GetSize()), error)) return false;
  out.Seek(0, kSeekBegin);
  return true;
}

bool CTCF2Update::ReadCompressedBlock(CStr& text, const CZip* zip, uint32_t& error) {
  text = CStr();
  if (!m_Stream) {
    error = 0;
    return true;
  }
  return UpdReadCompressedBlock(*m_Stream, m_Format, m_Desc, text, zip, error);
}

bool CTCF2Update::CheckChart(const SGuid& chartGuid, uint32_t level0TileCount, uint32_t& error) {
  static const SGuid kNone = {};
  const SGuid& own = *m_ChartDesc.GetGUID();
  if (std::memcmp(&own, &kNone, sizeof own) != 0 &&
      std::memcmp(&own, &chartGuid, sizeof own) != 0) {
    error = kErrUpdateWrongChart;
    return false;
  }
  for (const STCF2UpdFileTileInfo& record : m_Records)
    if (record.tileIndex >= level0TileCount) {
      error = kErrFileFormat;
      return false;
    }
  error = 0;
  return true;
}

void CTCF2Update::Clear() {
  m_Stream.reset();
  m_Records.clear();
}
