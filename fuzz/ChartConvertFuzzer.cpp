// Converts arbitrary bytes, taken as a chart file of any version, into
// version 2.0.0.0 inside a scratch folder. A conversion that succeeds must
// give a file that reads; any other outcome must leave the folder holding
// the source alone (no target, no temporary file). Hostile input ends in an
// error code or a stream exception (a payload that ends early) or, for an
// older file's shift datum, a calibration fault.
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "fuzz/ScratchFile.h"
#include "lib/charts/TCF2FileConvert.h"
#include "lib/geodesy/Geodetics.h"

namespace {

namespace fs = std::filesystem;

bool Converts(const CStr& source, const CStr& target) {
  uint32_t error = 0;
  return ChartJobDone([&] { return TCF2FileConvert(source, target, 4, nullptr, error); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tables = GeodeticTablesInitialize() != nullptr;
  (void)tables;
  const fs::path& folder = ScratchFolder("convert");
  const fs::path source = folder / "a.tcf", target = folder / "b.tcf";
  WriteFileBytes(source, data, size);
  if (Converts(CStr(source.c_str()), CStr(target.c_str()))) {
    if (!ChartFileReads(target)) std::abort();
    fs::remove(target);
  }
  if (FileCount(folder) != 1) std::abort();  // a target or a temporary file left behind
  return 0;
}
