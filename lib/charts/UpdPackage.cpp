#include "lib/charts/UpdPackage.h"

#include <cstring>
#include <memory>
#include <vector>

#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/app/Version.h"
#include "lib/foundation/exports/Guard.h"

namespace {

constexpr uint32_t kPackageVersion = MakeVersion(1, 0, 0, 0);
// Date-time, GUID, four string lengths and five numbers: the least an item takes.
constexpr int64_t kMinItemSize = 68;


bool IsDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

CStr WithTrailingDelimiter(const CStr& folder) {
  const int length = folder.GetLength();
  if (length == 0 || IsDelimiter(folder.c_str()[length - 1])) return folder;
  return folder + CStr(kPathDelimiter);
}

// The name without any folder, whichever delimiter the folder uses.
CStr PlainName(const CStr& name) {
  int start = name.GetLength();
  while (start > 0 && !IsDelimiter(name.c_str()[start - 1])) --start;
  return name.Mid(start, name.GetLength());
}

bool WriteItem(CStream& out, const CStr& name, int64_t offset, uint32_t& error, int64_t& size) {
  CTCF2Update update(name, error);
  if (error != 0) return false;
  CTCF2UpdChartDesc& chart = *update.GetChartDesc();
  size = static_cast<int64_t>(update.GetDescriptor().fileSize);
  return out.WriteDateTime(update.GetDateTime(), error) && out.WriteGUID(*chart.GetGUID(), error) &&
         out.WriteStr(PlainName(name), error) && out.WriteLong(chart.GetIdCode(), error) &&
         out.WriteStr(chart.GetIdText1(), error) && out.WriteStr(chart.GetIdText2(), error) &&
         out.WriteInt64(offset, error) && out.WriteDWORD(chart.GetIdNumber(), error) &&
         out.WriteStr(chart.GetIdText3(), error) && out.WriteStr(chart.GetIdText4(), error) &&
         out.WriteInt64(size, error);
}

// Copies exactly the size recorded for the file; a file whose size changed
// since gives 0x1001A.
bool CopyUpdate(CStream& out, const CStr& name, int64_t size, uint32_t& error) {
  CFileStream in;
  if (!in.Open(name, kFileModeRead | kFileShareRead, error)) return false;
  if (in.GetSize() != size) return td::Fail(kErrFileSize, error);
  return out.CopyFrom(in, size, error) == size;
}

}  // namespace

CTCF2UpdPackage::CTCF2UpdPackage(const CStr& packageFileName, const CStr& folder, uint32_t& error)
    : m_Folder(WithTrailingDelimiter(folder)) {
  error = 0;
  Read(packageFileName, error);
}

CTCF2UpdPackage::~CTCF2UpdPackage() = default;

bool CTCF2UpdPackage::Read(const CStr& packageFileName, uint32_t& error) {
  uint32_t version = 0;
  int32_t count = 0;
  if (!m_Stream.Open(packageFileName, kFileModeRead | kFileShareRead, error) ||
      !m_Stream.CheckHeader("TCFUPDPK", error) || !m_Stream.ReadVersion(version, error))
    return false;
  if (version != kPackageVersion) return td::Fail(kErrFileVersionUnknown, error);
  if (!m_Stream.ReadLong(count, error)) return false;
  if (count < 0 || count > m_Stream.GetRemaining() / kMinItemSize)
    return td::Fail(kErrFileFormat, error);
  for (int32_t i = 0; i < count; ++i)
    if (!ReadItem(error)) return false;
  m_DataStart = m_Stream.GetPosition();
  const uint64_t dataSize = static_cast<uint64_t>(m_Stream.GetSize() - m_DataStart);
  for (int32_t i = 0; i < m_Items.GetCount(); ++i) {
    const CTCF2UpdPackageItem& item = *m_Items[i];
    if (item.m_Offset > dataSize || item.m_Size > dataSize - item.m_Offset)
      return td::Fail(kErrFileFormat, error);
  }
  return true;
}

bool CTCF2UpdPackage::ReadItem(uint32_t& error) {
  double dateTime = 0;
  int32_t code = 0;
  uint32_t number = 0;
  int64_t offset = 0, size = 0;
  CStr text1, text2, text3, text4;
  auto item = std::make_unique<CTCF2UpdPackageItem>();
  if (!m_Stream.ReadDateTime(dateTime, error) || !m_Stream.ReadGUID(item->m_Guid, error) ||
      !m_Stream.ReadStr(item->m_FileName, error) || !m_Stream.ReadLong(code, error) ||
      !m_Stream.ReadStr(text1, error) || !m_Stream.ReadStr(text2, error) ||
      !m_Stream.ReadInt64(offset, error) || !m_Stream.ReadDWORD(number, error) ||
      !m_Stream.ReadStr(text3, error) || !m_Stream.ReadStr(text4, error) ||
      !m_Stream.ReadInt64(size, error))
    return false;
  if (offset < 0 || size < 0) return td::Fail(kErrFileFormat, error);
  item->m_Offset = static_cast<uint64_t>(offset);
  item->m_Size = static_cast<uint64_t>(size);
  m_Items.Add(item.get());
  item.release();
  return true;
}

bool TD_STDCALL CTCF2UpdPackage::FindItem(const SGuid* guid, int32_t* index) {
  *index = -1;
  for (int32_t i = m_Items.GetCount() - 1; i >= 0; --i)
    if (std::memcmp(&m_Items[i]->m_Guid, guid, sizeof(SGuid)) == 0) {
      *index = i;
      return true;
    }
  return false;
}

int32_t TD_STDCALL CTCF2UpdPackage::GetCount() { return m_Items.GetCount(); }

bool TD_STDCALL CTCF2UpdPackage::ExtractItem(const SGuid* guid, uint32_t* error) {
  *error = 0;
  int32_t index = -1;
  if (!FindItem(guid, &index)) return false;
  return td::GuardCode(error, false, [&] { return Extract(*m_Items[index], *error); });
}

bool CTCF2UpdPackage::Extract(const CTCF2UpdPackageItem& item, uint32_t& error) {
  if (!IsPlainFileName(item.m_FileName)) return td::Fail(kErrFileFormat, error);
  const int64_t start = m_DataStart + static_cast<int64_t>(item.m_Offset);
  const int64_t size = static_cast<int64_t>(item.m_Size);
  CAtomicFileWriter file;
  if (!file.Open(m_Folder + item.m_FileName, 16384, error)) return false;
  if (m_Stream.Seek(start, kSeekBegin) != start) return td::Fail(kErrFileSeek, error);
  if (file.Stream().CopyFrom(m_Stream, size, error) != size) return false;
  return file.Commit(error);
}

CTCF2Update* TD_STDCALL CTCF2UpdPackage::CreateUpdate(int32_t n, uint32_t* error) {
  if (n < 0 || n >= m_Items.GetCount()) {
    *error = kErrUnknown;
    return nullptr;
  }
  CTCF2UpdPackageItem& item = *m_Items[n];
  *error = 0;
  if (item.m_Update) return item.m_Update;
  return td::GuardCode(error, static_cast<CTCF2Update*>(nullptr), [&]() -> CTCF2Update* {
    const int64_t start = m_DataStart + static_cast<int64_t>(item.m_Offset);
    if (m_Stream.Seek(start, kSeekBegin) != start) {
      *error = kErrFileSeek;
      return nullptr;
    }
    auto* update =
        new CTCF2Update(m_Stream, static_cast<int64_t>(item.m_Size), item.m_FileName, *error);
    if (*error != 0) {
      td::Free(update);
      return nullptr;
    }
    return item.m_Update = update;
  });
}

bool CTCF2UpdPackage::Write(const CStr& packageFileName, const CStrList& fileNames,
                            uint32_t& error) {
  error = 0;
  CAtomicFileWriter file;
  if (!file.Open(packageFileName, 16384, error)) return false;
  CStream& out = file.Stream();
  const int32_t count = fileNames.GetCount();
  if (!out.WriteBuf("TCFUPDPK", 8, error) || !out.WriteVersion(kPackageVersion, error) ||
      !out.WriteLong(count, error))
    return false;
  std::vector<int64_t> sizes(static_cast<size_t>(count));
  int64_t offset = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (!WriteItem(out, fileNames.GetString(i), offset, error, sizes[i])) return false;
    offset += sizes[i];
  }
  for (int32_t i = 0; i < count; ++i)
    if (!CopyUpdate(out, fileNames.GetString(i), sizes[i], error)) return false;
  return file.Commit(error);
}
