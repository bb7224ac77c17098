// Chart files on disk for the reading tests, and the objects a whole read fills.
#pragma once

#include <string>
#include <vector>

#include "lib/charts/TCF2FileRead.h"
#include "tests/foundation/RuntimeTestFiles.h"

// A scratch file holding the bytes; removed with the object.
class CChartFileOnDisk {
 public:
  explicit CChartFileOnDisk(const std::vector<uint8_t>& bytes, const char* name = "chart.tcf")
      : path_(ScratchPath(name)) {
    WriteBytes(path_, std::string(bytes.begin(), bytes.end()));
  }
  ~CChartFileOnDisk() { RemoveFile(path_); }
  const CStr& Path() const { return path_; }

 private:
  CStr path_;
};

struct SChartRead : STCF2ChartObjects {
  uint64_t fileSize = 0;
  uint32_t version = 0, index = 0, warnings = 0, error = 0;

  uint32_t Read(const std::vector<uint8_t>& bytes) {
    CChartFileOnDisk file(bytes);
    TCF2FileRead(file.Path(), fileSize, version, index, Parts(), warnings, error);
    return error;
  }
};
