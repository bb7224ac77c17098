// The chart file exports as a host calls them: through TdLib.h and the
// tables of the classes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TdLib.h"
#include "tests/charts/ChartFileBuilder.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

static_assert(sizeof(TdTCF2FileHeader) == 164);
static_assert(sizeof(TdTCF2Mipmap) == 16);
static_assert(sizeof(TdTCF2TileTableEntry) == 40);
static_assert(sizeof(TdTCF2TileInfo) == 24);
static_assert(sizeof(TdTCF2TagVtbl) == 71 * sizeof(void*));
static_assert(sizeof(TdTCF2BoundsVtbl) == 18 * sizeof(void*));
static_assert(sizeof(TdTCF2UpdateTagVtbl) == 12 * sizeof(void*));
static_assert(sizeof(TdTCF2MipmapTableVtbl) == 7 * sizeof(void*));
static_assert(sizeof(TdTCF2TileTableVtbl) == 9 * sizeof(void*));
static_assert(sizeof(TdTCF2TileTableCVtbl) == 5 * sizeof(void*));

class CFile {
 public:
  explicit CFile(const std::vector<uint8_t>& bytes) : path_(ScratchPath("export.tcf")) {
    WriteBytes(path_, std::string(bytes.begin(), bytes.end()));
  }
  ~CFile() { RemoveFile(path_); }
  const char* Name() const { return path_.c_str(); }

 private:
  CStr path_;
};

struct SObjects {
  TdTCF2FileHeader header{};
  TdTCF2MipmapTable* mipmap = TCF2MipmapTableCreate();
  TdTCF2TileTable* tiles = TCF2TileTableCreate();
  TdTCF2Tag* tag = TCF2TagCreate();
  TdTCF2UpdateTag* updateTag = TCF2UpdateTagCreate();
  TdTCF2Bounds* bounds = TCF2BoundsCreate();
  uint64_t size = 0;
  uint32_t version = 0, index = 0, warnings = 0, error = 99;

  ~SObjects() {
    for (void* o : {static_cast<void*>(mipmap), static_cast<void*>(tiles), static_cast<void*>(tag),
                    static_cast<void*>(updateTag), static_cast<void*>(bounds)})
      ObjectDelete(static_cast<TdObject*>(o));
  }
  uint32_t Read(const char* name) {
    TCF2FileRead(name, &size, &version, &index, &header, mipmap, tiles, tag, updateTag, bounds,
                 &warnings, &error);
    return error;
  }
};

TEST(ChartFileExports, ReadTheSmallestFile) {
  GeodeticsInitialize();
  CFile file(SmallestChartFile());
  SObjects o;
  ASSERT_EQ(o.Read(file.Name()), 0u);
  EXPECT_EQ(o.size, 1576u);
  EXPECT_EQ(o.index, 4u);
  EXPECT_EQ(o.header.tableAPosition, 1208u);
  EXPECT_EQ(o.header.levelCount, 1u);
  EXPECT_EQ(o.mipmap->vtable->GetCount(o.mipmap), 1);
  EXPECT_EQ(o.mipmap->vtable->GetMipmap(o.mipmap, 0)->tilesAcross, 1);
  EXPECT_EQ(o.mipmap->vtable->GetMipmap(o.mipmap, 1), nullptr);
  EXPECT_EQ(o.tiles->vtable->GetEntry(o.tiles, 0)->colourSize, 1026u);
  TdTCF2TileInfo info{};
  EXPECT_EQ(o.tiles->vtable->GetTileInfo(o.tiles, 0, 1, &info), 1);
  EXPECT_EQ(info.size, 1032u);
  EXPECT_STREQ(o.tag->vtable->GetText1(o.tag)->chars, "Chart");
  EXPECT_STREQ(o.tag->vtable->GetIdText4(o.tag)->chars, "Id4");
  EXPECT_STREQ(o.tag->vtable->GetText13(o.tag)->chars, "T13");
  EXPECT_EQ(o.tag->vtable->GetGUID(o.tag)[15], 16);
  EXPECT_EQ(o.tag->vtable->GetKind(o.tag), 2);
  double point[2] = {};
  o.tag->vtable->GetCalMapPoint2(o.tag, point);
  EXPECT_EQ(point[0], 155010.0);
  TdStr* a = StrCreate("", 0);
  TdStr* b = StrCreate("", 0);
  uint32_t type = 9;
  EXPECT_EQ(o.tag->vtable->GetLink(o.tag, 0, &type, a, b), 1);
  EXPECT_STREQ(a->chars, "next.tcf");
  EXPECT_EQ(o.tag->vtable->GetLink(o.tag, 1, &type, a, b), 0);
  o.tag->vtable->SetText12(o.tag, b);
  EXPECT_STREQ(o.tag->vtable->GetText12(o.tag)->chars, "Next chart");
  ObjectDelete(reinterpret_cast<TdObject*>(a));
  ObjectDelete(reinterpret_cast<TdObject*>(b));
  EXPECT_STREQ(o.updateTag->vtable->GetText(o.updateTag)->chars, "Update 7");
  EXPECT_GT(o.updateTag->vtable->GetDateTime1(o.updateTag), 38000.0);
  EXPECT_EQ(o.bounds->vtable->GetCount(o.bounds), 4);
  EXPECT_EQ(o.bounds->vtable->GetPoint(o.bounds, 2, point), 1);
  EXPECT_EQ(point[0], 0.5);
  EXPECT_EQ(o.bounds->vtable->Validate(o.bounds), 1);

  TdTCF2TileTableC* compact = TCF2TileTableCCreate();
  compact->vtable->Assign(compact, o.tiles);
  EXPECT_EQ(compact->vtable->GetTileInfo(compact, 0, &info), 1);
  EXPECT_EQ(info.offset, 176u);
  ObjectDelete(reinterpret_cast<TdObject*>(compact));
}

TEST(ChartFileExports, ErrorsAndExceptionsBecomeCodes) {
  SObjects missing;
  EXPECT_EQ(missing.Read(ScratchPath("no chart here.tcf").c_str()), 0x10000u);
  SChartFileOptions options;
  options.tag.pop_back();  // the tag payload ends before its last field
  CFile file(SmallestChartFile(options));
  SObjects o;
  EXPECT_EQ(o.Read(file.Name()), 1u);
  uint32_t warnings = 0, error = 99;
  TCF2FileReadTag(file.Name(), o.tag, &warnings, &error);
  EXPECT_EQ(error, 1u);
  TCF2FileReadBoundsTag(file.Name(), o.bounds, &warnings, &error);
  EXPECT_EQ(error, 0u);
  TCF2FileReadUpdateTag(file.Name(), o.updateTag, &warnings, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(warnings, 0u);
}

}  // namespace

namespace {

TEST(ChartFileExports, ConvertCalibrationResultByTheTable) {
  const uint32_t codes[] = {0,       0,       0x7001F, 0x70028, 0x70032, 0x70029,
                            0x7002A, 0x7002B, 0x7002C, 0x7002D, 0x7000A, 0x7000B,
                            0x70021, 0x70022, 0x70023, 0x70024, 0x70025, 0x7001E};
  for (uint32_t status = 0; status < 18; ++status) {
    uint32_t warnings = 0x100, error = 9;
    ConvertCalibrationResult(status, &warnings, &error);
    EXPECT_EQ(error, codes[status]) << status;
    EXPECT_EQ(warnings, status == 0 ? 0x101u : 0x100u) << status;
  }
  uint32_t warnings = 0, error = 9;
  ConvertCalibrationResult(0xFFFFFFFF, &warnings, &error);
  EXPECT_EQ(error, 0x7001Eu);
}

}  // namespace
