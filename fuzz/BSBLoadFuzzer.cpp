// Loads arbitrary bytes as a BSB chart-information file into an object that
// already holds a record: a file that fails must change nothing.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "lib/charts/BSBChartInfoFile.h"

namespace {

// One scratch file for the whole run, removed at exit.
std::string ScratchName() {
  static const std::string name = "/tmp/tdlib-fuzz-bsb-" + std::to_string(getpid());
  std::atexit([] { std::remove(name.c_str()); });
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string name = ScratchName();
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  auto* info = new CBSBChartInfoFile;
  info->Add("1", "2", "3");
  info->SetText("mine");
  if (!info->LoadFromFile(name.c_str()) && (info->GetCount() != 1 || info->GetText() != "mine"))
    std::abort();
  info->DeleteThis(1);
  return 0;
}
