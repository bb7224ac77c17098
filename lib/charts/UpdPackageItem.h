// One item of an update package: the chart it is for, the update file's name
// and where its bytes lie in the package's data area. Owns the update opened
// for it.
#pragma once

#include <cstdint>

#include "lib/charts/Update.h"

class CTCF2UpdPackageItem {
 public:
  CTCF2UpdPackageItem() = default;
  ~CTCF2UpdPackageItem() { td::Free(m_Update); }
  CTCF2UpdPackageItem(const CTCF2UpdPackageItem&) = delete;
  CTCF2UpdPackageItem& operator=(const CTCF2UpdPackageItem&) = delete;

  SGuid m_Guid = {};
  CStr m_FileName;
  uint64_t m_Offset = 0;  // from the start of the data area
  uint64_t m_Size = 0;
  CTCF2Update* m_Update = nullptr;  // null until first asked for
};
