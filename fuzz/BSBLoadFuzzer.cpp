// Loads arbitrary bytes as a BSB chart-information file into an object that
// already holds a record: a file that fails must change nothing.
#include <cstdlib>

#include "fuzz/ScratchFile.h"
#include "lib/charts/BSBChartInfoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto* info = new CBSBChartInfoFile;
  info->Add("1", "2", "3");
  info->SetText("mine");
  if (!info->LoadFromFile(WriteScratchFile("bsb", data, size)) &&
      (info->GetCount() != 1 || info->GetText() != "mine"))
    std::abort();
  info->DeleteThis(1);
  return 0;
}
