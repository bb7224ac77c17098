#include <gtest/gtest.h>

#include <cstring>

#include "lib/charts/BSBChartInfoFile.h"
#include "lib/charts/UpdFileRewrite.h"
#include "lib/charts/UpdPackage.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

TEST(UpdateFaults, UpdateFileRewrite) {
  CScratchDir dir;
  const CStr name = dir.Path("chart.upd");
  WriteFile(name, BuildUpdate2(SampleUpdate()));
  FailEachOperation(dir, [&] {
    uint32_t error = 0;
    return UpdFileRewrite(name, "new text", true, {"A", 1, true}, {nullptr, 0, false}, true,
                          &TestZip(), error);
  });
}

TEST(UpdateFaults, PackageWrite) {
  for (bool present : {false, true}) {
    CScratchDir dir;
    const SBuiltUpdate sample = SampleUpdate();
    WriteFile(dir.Path("a.upd"), BuildUpdate2(sample));
    if (present) WriteFile(dir.Path("all.upk"), "an older package");
    CStrList names;
    names.Add(dir.Path("a.upd"));
    FailEachOperation(dir, [&] {
      uint32_t error = 0;
      return CTCF2UpdPackage::Write(dir.Path("all.upk"), names, error);
    });
  }
}

TEST(UpdateFaults, PackageExtract) {
  for (bool present : {false, true}) {
    CScratchDir dir;
    const SBuiltUpdate sample = SampleUpdate();
    WriteFile(dir.Path("all.upk"), BuildPackage({{"a.upd", &sample, BuildUpdate2(sample)}}));
    if (present) WriteFile(dir.Path("a.upd"), "an older file");
    uint32_t error = 0;
    CTCF2UpdPackage package(dir.Path("all.upk"), dir.Folder().c_str(), error);
    ASSERT_EQ(error, 0u);
    SGuid guid;
    std::memcpy(&guid, sample.chart.guid, 16);
    FailEachOperation(dir, [&] { return package.ExtractItem(&guid, &error); });
  }
}

TEST(UpdateFaults, BSBSave) {
  CScratchDir dir;
  WriteFile(dir.Path("info.bsb"), "an older file");
  CBSBChartInfoFile file;
  file.Add("a", "b", "c");
  FailEachOperation(dir, [&] { return file.SaveToFile(dir.Path("info.bsb")); });
}

}  // namespace
