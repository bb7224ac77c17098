#include "lib/foundation/containers/LinkList.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/foundation/streams/StreamFunctions.h"

namespace {

CStr Decimal(int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  return CStr(text);
}

// The smallest stored link: a type byte and two empty strings.
constexpr int64_t kMinLinkBytes = 1 + 4 + 4;

// Only the types the stream form can store and read back are taken.
void CheckType(const char* operation, uint32_t type) {
  if (type > kLinkOther)
    throw CLinkListError(CStr("TLinkList.") + operation + ": " + Decimal(type) + " is not a valid linktype.");
}

}  // namespace

TLinkList::TLinkList() : m_Links(true) {}

TLinkList::TLinkList(const TLinkList& other)
    : m_Links(true), m_BeforeDelete(other.m_BeforeDelete) {
  for (int i = 0; i < other.GetCount(); ++i) {
    const SLinkInfo* link = other.GetAt(i);
    Add(link->Type, link->File, link->Description);
  }
  m_Modified = other.m_Modified;
}

// Deletes no file, so no callback runs.
TLinkList::~TLinkList() { m_Links.Clear(); }

SLinkInfo* TLinkList::Add(uint32_t type, const CStr& file, const CStr& description) {
  CheckType("Add", type);
  auto link = std::make_unique<SLinkInfo>(SLinkInfo{type, file, description});
  m_Links.Add(link.get());
  m_Modified = true;
  return link.release();
}

// The new links are made and room for them is held before the first is
// added, so that running out of memory adds none.
void TLinkList::Merge(const TLinkList& other) {
  std::vector<std::unique_ptr<SLinkInfo>> added;
  const auto isNew = [&](const CStr& file) {
    for (const auto& link : added)
      if (link->File == file) return false;
    return !FindFile(file);
  };
  for (int i = 0; i < other.GetCount(); ++i) {
    const SLinkInfo* link = other.GetAt(i);
    if (isNew(link->File)) added.push_back(std::make_unique<SLinkInfo>(*link));
  }
  if (added.empty()) return;
  const int count = GetCount() + static_cast<int>(added.size());
  if (count > m_Links.GetCapacity()) m_Links.SetCapacity(count);
  for (auto& link : added) m_Links.Add(link.release());
  m_Modified = true;
}

bool TLinkList::FindFile(const CStr& file) const {
  for (int i = GetCount() - 1; i >= 0; --i)
    if (GetAt(i)->File == file) return true;
  return false;
}

// Only a plain name is deleted: a name read from a chart never reaches a file
// outside the list's folder.
void TLinkList::DeleteFileOf(const SLinkInfo& link) {
  if (link.Type != kLinkFile || !IsPlainFileName(link.File)) return;
  const CStr path = m_Folder + link.File;
  if (!FileExists(path)) return;
  if (m_BeforeDelete != nullptr) m_BeforeDelete(m_Folder, link);
  uint32_t error = 0;
  FileDelete(path, error);
}

void TLinkList::Delete(SLinkInfo* link, bool deleteFile) {
  const int index = m_Links.IndexOf(link);
  if (index >= 0) Delete(index, deleteFile);
}

void TLinkList::Delete(int index, bool deleteFile) {
  if (deleteFile) DeleteFileOf(*GetAt(index));
  m_Links.Delete(index);
  m_Modified = true;
}

void TLinkList::Clear(bool deleteFiles) {
  if (deleteFiles)
    for (int i = 0; i < GetCount(); ++i) DeleteFileOf(*GetAt(i));
  m_Links.Clear();
  m_Modified = true;
}

void TLinkList::SetType(SLinkInfo* link, uint32_t type) {
  CheckType("SetType", type);
  if (link->Type == type) return;
  link->Type = type;
  m_Modified = true;
}

void TLinkList::SetFile(SLinkInfo* link, const CStr& text) {
  if (link->File == text) return;
  link->File = text;
  m_Modified = true;
}

void TLinkList::SetDescription(SLinkInfo* link, const CStr& text) {
  if (link->Description == text) return;
  link->Description = text;
  m_Modified = true;
}

int32_t TLinkList::GetMemSize(bool includeObject) const {
  int32_t size = m_Folder.GetLength();
  for (int i = 0; i < GetCount(); ++i)
    size += GetAt(i)->File.GetLength() + GetAt(i)->Description.GetLength() + 40;
  return includeObject ? size + 44 : size;
}

int32_t TLinkList::LoadFromStream(CStream& stream) {
  Clear(false);
  const int32_t count = StreamReadLong(stream);
  if (count < 0 || count > stream.GetRemaining() / kMinLinkBytes)
    throw CLinkListError("TLinkList.LoadFromStream: " + Decimal(count) +
                         " is not a valid link count.");
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t type = StreamReadBYTE(stream);
    CheckType("LoadFromStream", type);
    const CStr file = StreamReadStr(stream);
    const CStr description = StreamReadStr(stream);
    Add(type, file, description);
  }
  m_Modified = false;
  return count;
}

void TLinkList::SaveToStream(CStream& stream) {
  StreamWriteLong(stream, GetCount());
  for (int i = 0; i < GetCount(); ++i) {
    const SLinkInfo* link = GetAt(i);
    StreamWriteBYTE(stream, static_cast<uint8_t>(link->Type));
    StreamWriteStr(stream, link->File);
    StreamWriteStr(stream, link->Description);
  }
  m_Modified = false;
}
