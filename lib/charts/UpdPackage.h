// CTCF2UpdPackage: an opened update package, which bundles update files with
// the GUIDs of their charts. The package file stays open for reading while
// the object lives; the updates it hands out belong to it. Not thread-safe.
#pragma once

#include <cstdint>

#include "lib/charts/UpdPackageItem.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/StrList.h"

class CTCF2UpdPackage final : public CObject {
 public:
  TD_DELETE_THIS(CTCF2UpdPackage)

  // Opens and reads the package's table; error tells whether it succeeded.
  // Extracted files go to folder.
  CTCF2UpdPackage(const CStr& packageFileName, const CStr& folder, uint32_t& error);
  ~CTCF2UpdPackage();
  CTCF2UpdPackage(const CTCF2UpdPackage&) = delete;
  CTCF2UpdPackage& operator=(const CTCF2UpdPackage&) = delete;

  // Virtual operations after slot 0, in the interface's order.
  // Writes the update file of the chart into the folder under the item's name,
  // which must be a plain file name (else 0x10015). False with error 0 when no
  // item is for the chart.
  virtual bool TD_STDCALL ExtractItem(const SGuid* guid, uint32_t* error);
  // The last item for the chart; index -1 when none.
  virtual bool TD_STDCALL FindItem(const SGuid* guid, int32_t* index);
  virtual int32_t TD_STDCALL GetCount();
  // The update of item n, opened on first request and the same object after;
  // null and 1 for an index out of range.
  virtual CTCF2Update* TD_STDCALL CreateUpdate(int32_t n, uint32_t* error);

  // Writes a package of the update files: their table, then their bytes. The
  // package replaces an older file of its name only when all of it was
  // written, and only when no update file changed size meanwhile.
  static bool Write(const CStr& packageFileName, const CStrList& fileNames, uint32_t& error);

 private:
  bool Read(const CStr& packageFileName, uint32_t& error);
  bool ReadItem(uint32_t& error);
  bool Extract(const CTCF2UpdPackageItem& item, uint32_t& error);

  CStr m_Folder;
  int64_t m_DataStart = 0;
  CList<CTCF2UpdPackageItem> m_Items{true};
  CFileStream m_Stream;
};
