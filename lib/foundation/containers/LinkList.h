// The list of links that a chart's tag carries: files beside the chart or
// other targets, each with a description.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/Str.h"

class CStream;

constexpr uint32_t kLinkFile = 0;    // a file in the list's folder
constexpr uint32_t kLinkOther = 1;   // another target

struct SLinkInfo {
  uint32_t Type;
  CStr File;
  CStr Description;

  bool operator==(const SLinkInfo& other) const {
    return Type == other.Type && File == other.File && Description == other.Description;
  }
};

// Called with (folder, link) before a linked file is deleted.
typedef void (*TLinkBeforeDelete)(const CStr& folder, const SLinkInfo& link);

class TLinkList {
 public:
  TLinkList();
  // The folder stays empty; callback, links and modified flag are copied.
  TLinkList(const TLinkList& other);
  TLinkList& operator=(const TLinkList&) = delete;
  ~TLinkList();

  // Add and SetType throw CLinkListError for a type other than kLinkFile or
  // kLinkOther: the stream form keeps one byte and reads back only these.
  SLinkInfo* Add(uint32_t type, const CStr& file, const CStr& description);
  void Merge(const TLinkList& other);  // adds the links whose file is new here
  bool FindFile(const CStr& file) const;
  void Delete(SLinkInfo* link, bool deleteFile);
  void Delete(int index, bool deleteFile);
  void Clear(bool deleteFiles);

  void SetType(SLinkInfo* link, uint32_t type);
  void SetFile(SLinkInfo* link, const CStr& text);
  void SetDescription(SLinkInfo* link, const CStr& text);

  int GetCount() const { return m_Links.GetCount(); }
  SLinkInfo* GetAt(int index) const { return m_Links.GetAt(index); }
  bool IsModified() const { return m_Modified; }
  void SetModified(bool value) { m_Modified = value; }
  const CStr& GetFolder() const { return m_Folder; }
  void SetFolder(const CStr& folder) { m_Folder = folder; }
  void SetBeforeDelete(TLinkBeforeDelete callback) { m_BeforeDelete = callback; }
  int32_t GetMemSize(bool includeObject) const;

  // Stream form: i32 count; per link a type byte, the file and the description
  // as strings. Loading throws CLinkListError or CStreamError; the links read
  // before the failure stay.
  int32_t LoadFromStream(CStream& stream);
  void SaveToStream(CStream& stream);

 private:
  void DeleteFileOf(const SLinkInfo& link);

  bool m_Modified = false;
  CList<SLinkInfo> m_Links;
  CStr m_Folder;
  TLinkBeforeDelete m_BeforeDelete = nullptr;
};
