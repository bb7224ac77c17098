// Opens arbitrary bytes as an update package, looks up a chart and opens
// every item's update twice.
#include "fuzz/ScratchFile.h"
#include "lib/charts/UpdPackage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t error = 0;
  CTCF2UpdPackage package(WriteScratchFile("package", data, size), "/nonexistent", error);
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
