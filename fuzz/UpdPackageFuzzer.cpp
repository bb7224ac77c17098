// Opens arbitrary bytes as an update package, looks up each item's chart
// and opens every item's update.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "lib/charts/UpdPackage.h"

namespace {

// One scratch file for the whole run, removed at exit.
std::string ScratchName() {
  static const std::string name = "/tmp/tdlib-fuzz-package-" + std::to_string(getpid());
  std::atexit([] { std::remove(name.c_str()); });
  return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string name = ScratchName();
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  uint32_t error = 0;
  CTCF2UpdPackage package(name.c_str(), "/nonexistent", error);
  if (error != 0) return 0;
  for (int32_t i = 0; i < package.GetCount(); ++i) {
    package.CreateUpdate(i, &error);
    package.CreateUpdate(i, &error);
  }
  SGuid guid = {};
  int32_t index = 0;
  package.FindItem(&guid, &index);
  return 0;
}
