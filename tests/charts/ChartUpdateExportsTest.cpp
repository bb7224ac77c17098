// The update family's exports called as a host calls them: through the
// public header, the objects' tables and ObjectDelete.
#include <gtest/gtest.h>

#include <cstring>

#include "TdLib.h"
#include "tests/charts/TiledChartBuilder.h"
#include "tests/charts/UpdImageFiles.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

// A host's string, freed with the object.
struct SHostStr {
  TdStr* str;
  explicit SHostStr(const std::string& text)
      : str(StrCreate(text.c_str(), static_cast<int32_t>(text.size()))) {}
  ~SHostStr() { ObjectDelete(reinterpret_cast<TdObject*>(str)); }
  SHostStr(const SHostStr&) = delete;
  SHostStr& operator=(const SHostStr&) = delete;
};

TdObject* Zip() { return reinterpret_cast<TdObject*>(const_cast<CZip*>(&TestZip())); }

TEST(ChartUpdateExports, UpdateAndChartDescriptor) {
  CScratchDir dir;
  WriteFile(dir.Path("a.upd"), BuildUpdate2(SampleUpdate()));
  uint32_t error = 99;
  TdTCF2Update* update = TCF2UpdateCreate(dir.Path("a.upd").c_str(), &error);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(update->vtable->GetFormat(update), 2u);
  EXPECT_EQ(update->vtable->GetDateTime(update), 46000.25);
  EXPECT_STREQ(update->vtable->GetFileName(update)->chars, dir.Path("a.upd").c_str());
  TdTCF2UpdChartDesc* chart = update->vtable->GetChartDesc(update);
  EXPECT_STREQ(chart->vtable->GetIdText3(chart)->chars, "NL-1801");
  EXPECT_EQ(chart->vtable->GetIdNumber(chart), 1801u);
  EXPECT_EQ(chart->vtable->GetGUID(chart)->data4[7], 16);
  ObjectDelete(reinterpret_cast<TdObject*>(update));

  EXPECT_EQ(TCF2UpdateCreate(dir.Path("missing.upd").c_str(), &error), nullptr);
  EXPECT_EQ(error, 0x10000u);
  EXPECT_STREQ(ErrorToStr(0x7003E), "The update is not for this chart");
}

TEST(ChartUpdateExports, ChartDescriptorSetters) {
  TdTCF2UpdChartDesc* chart = TCF2UpdChartDescCreate();
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->vtable->GetVersion(chart), 0u);
  EXPECT_EQ(chart->vtable->GetIdText1(chart)->length, 0);
  const TdGuid guid = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  SHostStr text("Harbour");
  chart->vtable->SetVersion(chart, 0x02000000);
  chart->vtable->SetGUID(chart, &guid);
  chart->vtable->SetIdCode(chart, -3);
  chart->vtable->SetIdNumber(chart, 42);
  chart->vtable->SetIdText1(chart, text.str);
  chart->vtable->SetIdText4(chart, text.str);
  EXPECT_EQ(chart->vtable->GetVersion(chart), 0x02000000u);
  EXPECT_EQ(std::memcmp(chart->vtable->GetGUID(chart), &guid, 16), 0);
  EXPECT_EQ(chart->vtable->GetIdCode(chart), -3);
  EXPECT_EQ(chart->vtable->GetIdNumber(chart), 42u);
  EXPECT_STREQ(chart->vtable->GetIdText1(chart)->chars, "Harbour");
  EXPECT_EQ(chart->vtable->GetIdText2(chart)->length, 0);
  EXPECT_STREQ(chart->vtable->GetIdText4(chart)->chars, "Harbour");
  ObjectDelete(reinterpret_cast<TdObject*>(chart));
}

TEST(ChartUpdateExports, RewriteThroughTheExport) {
  CScratchDir dir;
  WriteFile(dir.Path("a.upd"), BuildUpdate2(SampleUpdate()));
  SHostStr name(dir.Path("a.upd").c_str()), text("Second notice");
  uint32_t error = 99;
  TCF2UpdFileUpdate(name.str, text.str, 1, nullptr, 0, 0, nullptr, 0, 0, 0, Zip(), &error);
  EXPECT_EQ(error, 0u);
  SBuiltUpdate expected = SampleUpdate();
  expected.text = "Second notice";
  EXPECT_EQ(ReadFile(dir.Path("a.upd")), BuildUpdate2(expected));
  TCF2UpdFileUpdate(name.str, text.str, 1, nullptr, 0, 0, nullptr, 0, 0, 0, nullptr, &error);
  EXPECT_EQ(error, 10u);
}

TEST(ChartUpdateExports, GenerateFromChartAndImage) {
  CScratchDir dir;
  GeodeticsInitialize();
  WriteFile(dir.Path("chart.tcf"), FourTileChartFile());
  WriteFile(dir.Path("new.bmp"), Bmp24(512, 512, false, [](uint32_t x, uint32_t y) {
              return x == 511 && y == 0 ? 0x445566u : FourTileChartPixel(x, y);
            }));
  WriteFile(dir.Path("same.bmp"), Bmp24(512, 512, true, FourTileChartPixel));
  WriteFile(dir.Path("small.bmp"), Bmp24(512, 256, true, FourTileChartPixel));
  SHostStr update(dir.Path("new.upd").c_str()), chart(dir.Path("chart.tcf").c_str()),
      image(dir.Path("new.bmp").c_str()), same(dir.Path("same.bmp").c_str()),
      small(dir.Path("small.bmp").c_str()), text("Notice");
  uint64_t raw = 0, compressed = 0;
  uint32_t error = 99;
  EXPECT_EQ(TCF2UpdFileGenerate(update.str, image.str, chart.str, 46000.5, text.str, "AB", 2,
                                nullptr, 0, Zip(), &raw, &compressed, nullptr, &error),
            1);
  EXPECT_EQ(error, 0u);
  SBuiltUpdate expected;
  expected.dateTime = 46000.5;
  expected.chart = TiledIdentity();
  expected.patches = {{1, PatchRun(255, {0x445566})}};
  expected.blockA = std::string("AB");
  expected.text = "Notice";
  EXPECT_EQ(ReadFile(dir.Path("new.upd")), BuildUpdate2(expected));
  EXPECT_EQ(raw, 7u + 6u);

  SHostStr other(dir.Path("other.upd").c_str());
  EXPECT_EQ(TCF2UpdFileGenerate(other.str, same.str, chart.str, 0, nullptr, nullptr, 0, nullptr, 0,
                                Zip(), &raw, &compressed, nullptr, &error),
            0);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(TCF2UpdFileGenerate(other.str, small.str, chart.str, 0, nullptr, nullptr, 0, nullptr, 0,
                                Zip(), &raw, &compressed, nullptr, &error),
            0);
  EXPECT_EQ(error, 0x7003Cu);
  EXPECT_FALSE(Exists(dir.Path("other.upd")));
}

TEST(ChartUpdateExports, PackageWriteOpenAndExtract) {
  CScratchDir dir;
  const SBuiltUpdate sample = SampleUpdate();
  const std::string bytes = BuildUpdate2(sample);
  WriteFile(dir.Path("a.upd"), bytes);
  const std::string names = std::string(dir.Path("a.upd").c_str()) + '\0' + '\0';
  uint32_t error = 99;
  TCF2UpdPackageWrite(dir.Path("p.upk").c_str(), names.data(), &error);
  ASSERT_EQ(error, 0u);
  EXPECT_EQ(ReadFile(dir.Path("p.upk")), BuildPackage({{"a.upd", &sample, bytes}}));

  const std::string subfolder = dir.Folder() + "\\out";
  std::filesystem::create_directories(subfolder);
  TdTCF2UpdPackage* package =
      TCF2UpdPackageOpen(dir.Path("p.upk").c_str(), subfolder.c_str(), &error);
  ASSERT_NE(package, nullptr);
  EXPECT_EQ(package->vtable->GetCount(package), 1);
  TdGuid guid;
  std::memcpy(&guid, sample.chart.guid, 16);
  int32_t index = -1;
  EXPECT_EQ(package->vtable->FindItem(package, &guid, &index), 1);
  EXPECT_EQ(index, 0);
  TdTCF2Update* update = package->vtable->CreateUpdate(package, 0, &error);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(package->vtable->CreateUpdate(package, 0, &error), update);
  EXPECT_EQ(update->vtable->GetFormat(update), 2u);
  EXPECT_EQ(package->vtable->ExtractItem(package, &guid, &error), 1);
  EXPECT_EQ(ReadFile((subfolder + "\\a.upd").c_str()), bytes);
  ObjectDelete(reinterpret_cast<TdObject*>(package));

  TCF2UpdPackageWrite(dir.Path("empty.upk").c_str(), "\0", &error);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(ReadFile(dir.Path("empty.upk")).size(), 16u);
  EXPECT_EQ(TCF2UpdPackageOpen(dir.Path("a.upd").c_str(), "", &error), nullptr);
  EXPECT_EQ(error, 0x10016u);
}

TEST(ChartUpdateExports, BSBChartInfoFile) {
  CScratchDir dir;
  TdBSBChartInfoFile* file = BSBChartInfoFileCreate();
  ASSERT_NE(file, nullptr);
  SHostStr a("a"), b("b"), z("z"), hi("hi"), path(dir.Path("x.bsb").c_str());
  file->vtable->Add(file, a.str, b.str, z.str);
  file->vtable->Add(file, z.str, a.str, a.str);
  file->vtable->SetText(file, hi.str);
  EXPECT_EQ(file->vtable->GetCount(file), 2);
  SHostStr t1(""), t2(""), t3("");
  file->vtable->GetItem(file, 0, t1.str, t2.str, t3.str);
  EXPECT_STREQ(t1.str->chars, "z");
  int32_t index = -1;
  EXPECT_EQ(file->vtable->Find(file, a.str, b.str, z.str, &index), 1);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(file->vtable->SaveToFile(file, path.str), 1);
  EXPECT_EQ(ReadFile(dir.Path("x.bsb")).size(), 63u);
  file->vtable->Clear(file);
  EXPECT_EQ(file->vtable->GetText(file)->length, 0);
  EXPECT_EQ(file->vtable->LoadFromFile(file, path.str), 1);
  EXPECT_EQ(file->vtable->GetCount(file), 2);
  file->vtable->Delete(file, 9);
  file->vtable->Delete(file, 0);
  EXPECT_EQ(file->vtable->GetCount(file), 1);
  ObjectDelete(reinterpret_cast<TdObject*>(file));
}

// The chart of one level-0 tile with GUID 01 02 .. 10: the sample update's
// tile 3 is refused with the chart untouched, tile 0 alone is applied.
TEST(ChartUpdateExports, UpdateAChartThroughTheExport) {
  CScratchDir dir;
  const std::vector<uint8_t> chart = TiledChartFile(STiledChart());
  WriteFile(dir.Path("a.tcf"), std::string(chart.begin(), chart.end()));
  SHostStr name(dir.Path("a.tcf").c_str());
  SBuiltUpdate built = SampleUpdate();
  for (bool fits : {false, true}) {
    if (fits) built.patches = {{0, PatchRun(0, {0x123456})}};
    WriteFile(dir.Path("u.upd"), BuildUpdate2(built));
    uint32_t error = 99;
    TdTCF2Update* update = TCF2UpdateCreate(dir.Path("u.upd").c_str(), &error);
    ASSERT_NE(update, nullptr);
    uint8_t flag = 7;
    TCF2FileUpdate(name.str, update, &flag, Zip(), nullptr, &error);
    ObjectDelete(reinterpret_cast<TdObject*>(update));
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(error, fits ? 0u : 0x10015u);
    if (!fits) {
      EXPECT_EQ(ReadFile(dir.Path("a.tcf")), std::string(chart.begin(), chart.end()));
    }
  }
  TdTCF2UpdateTag* tag = TCF2UpdateTagCreate();
  uint32_t warnings = 0, error = 99;
  TCF2FileReadUpdateTag(dir.Path("a.tcf").c_str(), tag, &warnings, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_STREQ(tag->vtable->GetText(tag)->chars, "Notice to mariners");
  ObjectDelete(reinterpret_cast<TdObject*>(tag));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.tcf", "u.upd"}));
}

}  // namespace
