// Converts arbitrary bytes, taken as a chart file of any version, into
// version 2.0.0.0 inside a scratch folder. A conversion that succeeds must
// give a file that reads; any other outcome must leave the folder holding
// the source alone (no target, no temporary file). Hostile input ends in an
// error code or a stream exception (a payload that ends early) or, for an
// older file's shift datum, a calibration fault.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "lib/charts/TCF2FileConvert.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/foundation/Exception.h"
#include "lib/geodesy/Geodetics.h"

namespace {

namespace fs = std::filesystem;

const fs::path& ScratchFolder() {
  static const fs::path folder = [] {
    fs::path path = fs::temp_directory_path() / ("tdlib-fuzz-convert-" + std::to_string(getpid()));
    fs::create_directories(path);
    std::atexit([] { fs::remove_all(ScratchFolder()); });
    return path;
  }();
  return folder;
}

size_t FileCount(const fs::path& folder) {
  size_t count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.is_regular_file();
  return count;
}

bool Converts(const CStr& source, const CStr& target) {
  uint32_t error = 0;
  try {
    return TCF2FileConvert(source, target, 4, nullptr, error);
  } catch (const CStreamError&) {
  } catch (const CGeodeticsError&) {  // a faulty calibration under a shift datum
  }
  return false;
}

bool Reads(const CStr& name) {
  STCF2ChartObjects chart;
  uint64_t size = 0;
  uint32_t version = 0, index = 0, warnings = 0, error = 0;
  return TCF2FileRead(name, size, version, index, chart.Parts(), warnings, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tables = GeodeticTablesInitialize() != nullptr;
  (void)tables;
  const fs::path folder = ScratchFolder();
  const fs::path source = folder / "a.tcf", target = folder / "b.tcf";
  std::ofstream(source, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (Converts(CStr(source.c_str()), CStr(target.c_str()))) {
    if (!Reads(CStr(target.c_str()))) std::abort();
    fs::remove(target);
  }
  if (FileCount(folder) != 1) std::abort();  // a target or a temporary file left behind
  return 0;
}
