// Applies arbitrary bytes, taken as an update file, to two fixed charts of
// 300 x 200 (version 2.0.0.0 and version 1.0.0.2) in a scratch folder. The
// update's data goes through a zip that copies it as it is, so that the
// fuzzer reaches the patches' runs directly. An update that is applied must
// leave a chart that reads; any other outcome must leave the chart byte for
// byte as it was; either way no temporary file may be left behind.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/ScratchFile.h"
#include "lib/charts/TCF2FileUpdate.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/charts/LegacyTagAreas.h"
#include "tests/charts/TiledChartBuilder.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::vector<std::string>& Charts() {
  static const std::vector<std::string> charts = [] {
    STiledChart chart;
    chart.width = 300;
    chart.height = 200;
    chart.levels = 10;
    const std::vector<uint8_t> v2000 = TiledChartFile(chart);
    const std::vector<uint8_t> v1002 = LegacyChartFileV2(0x01000002, 300, 200, AreaV3());
    return std::vector<std::string>{{v2000.begin(), v2000.end()}, {v1002.begin(), v1002.end()}};
  }();
  return charts;
}

// Copies the source's remaining bytes to the destination.
void TD_STDCALL CopyAsIs(void*, CStream* destination, CStream* source, uint32_t* err) {
  const int64_t size = source->GetSize() - source->GetPosition();
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(size, 0)));
  *err = 0;
  if (!bytes.empty() && source->ReadBuf(bytes.data(), static_cast<int32_t>(bytes.size()), *err))
    destination->WriteBuf(bytes.data(), static_cast<int32_t>(bytes.size()), *err);
}

bool Updates(const CStr& chart, CTCF2Update& update) {
  static const CZip* zip = new CZip(CopyAsIs, nullptr, CopyAsIs, nullptr);
  uint8_t flag = 1;
  uint32_t error = 0;
  return ChartJobDone([&] {
    const bool done = TCF2FileUpdate(chart, update, flag, zip, nullptr, error);
    if (flag != 0) std::abort();
    return done;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tables = GeodeticTablesInitialize() != nullptr;
  (void)tables;
  CConstPointerStream stream(data, static_cast<int64_t>(size));
  uint32_t error = 0;
  CTCF2Update update(stream, static_cast<int64_t>(size), "fuzz.upd", error);
  if (error != 0) return 0;
  const fs::path& folder = ScratchFolder("update");
  const fs::path chart = folder / "a.tcf";
  for (const std::string& bytes : Charts()) {
    WriteFileBytes(chart, bytes.data(), bytes.size());
    if (Updates(CStr(chart.c_str()), update)) {
      if (!ChartFileReads(chart)) std::abort();
    } else if (Contents(chart) != bytes) {
      std::abort();
    }
    if (FileCount(folder) != 1) std::abort();  // a temporary file left behind
  }
  return 0;
}
