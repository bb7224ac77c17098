#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "lib/charts/Update.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

// An update file of the given bytes, opened.
struct SOpenedUpdate {
  CScratchDir dir;
  uint32_t error = 0;
  std::optional<CTCF2Update> update;

  explicit SOpenedUpdate(const std::string& bytes) {
    WriteFile(dir.Path("a.upd"), bytes);
    update.emplace(dir.Path("a.upd"), error);
  }
};

std::string Patch(CTCF2Update& update, uint32_t tile, uint32_t& error) {
  CMemoryStream out;
  out.WriteBuf("stale", 5, error);
  update.ReadTilePatch(out, tile, &TestZip(), error);
  EXPECT_EQ(out.GetPosition(), 0);
  return std::string(reinterpret_cast<const char*>(out.GetData()),
                     static_cast<size_t>(out.GetSize()));
}

void ExpectSampleChart(CTCF2Update& update, uint32_t version) {
  const SBuiltUpdate sample = SampleUpdate();
  CTCF2UpdChartDesc& chart = *update.GetChartDesc();
  EXPECT_EQ(chart.GetVersion(), version);
  EXPECT_EQ(std::memcmp(chart.GetGUID(), sample.chart.guid, 16), 0);
  EXPECT_EQ(chart.GetIdCode(), 7);
  EXPECT_STREQ(chart.GetIdText1().c_str(), "Harbour");
  EXPECT_STREQ(chart.GetIdText2().c_str(), "Approach");
  EXPECT_STREQ(chart.GetIdText3().c_str(), "NL-1801");
  EXPECT_STREQ(chart.GetIdText4().c_str(), "Edition 3");
  EXPECT_EQ(chart.GetIdNumber(), 1801u);
  EXPECT_EQ(update.GetDateTime(), 46000.25);
}

// Both versions give the same update: chart, records, patches and text.
TEST(UpdateRead, BothVersions) {
  const SBuiltUpdate sample = SampleUpdate();
  struct {
    std::string bytes;
    uint32_t format, chartVersion;
  } cases[] = {{BuildUpdate2(sample), 2, 0x02000000}, {BuildUpdate1(sample), 1, 0x01000002}};
  for (const auto& c : cases) {
    CScratchDir dir;
    const CStr name = dir.Path("chart.upd");
    WriteFile(name, c.bytes);
    uint32_t error = 99;
    CTCF2Update update(name, error);
    ASSERT_EQ(error, 0u) << c.format;
    EXPECT_EQ(update.GetFormat(), c.format);
    EXPECT_STREQ(update.GetFileName().c_str(), name.c_str());
    ExpectSampleChart(update, c.chartVersion);
    ASSERT_EQ(update.GetRecordCount(), 3);
    EXPECT_EQ(update.GetRecordTileIndex(1), 0u);
    EXPECT_EQ(Patch(update, 3, error), sample.patches[2].raw);  // the later record wins
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(Patch(update, 0, error), sample.patches[1].raw);
    EXPECT_EQ(Patch(update, 1, error), "");
    EXPECT_EQ(error, kErrNoTileUpdate);
    CStr text("stale");
    EXPECT_TRUE(update.ReadCompressedBlock(text, &TestZip(), error));
    EXPECT_STREQ(text.c_str(), "Notice to mariners");
  }
}

TEST(UpdateRead, NoTextGivesEmptyText) {
  SBuiltUpdate sample = SampleUpdate();
  sample.text.clear();
  SOpenedUpdate opened(BuildUpdate2(sample));
  CStr text("stale");
  EXPECT_TRUE(opened.update->ReadCompressedBlock(text, &TestZip(), opened.error));
  EXPECT_EQ(text.GetLength(), 0);
}

TEST(UpdateRead, HeaderVersionAndSizeCodes) {
  const std::string good = BuildUpdate2(SampleUpdate());
  std::string badHeader = good, newer = good, unknown = good, longer = good + "x";
  badHeader[3] = 'X';
  SetU32(newer, 8, 0x01020000);
  SetU32(unknown, 8, 0x00090000);
  const struct {
    std::string bytes;
    uint32_t error;
  } cases[] = {{badHeader, kErrFileHeader},
               {newer, kErrFileVersionNewer},
               {unknown, kErrFileVersionUnknown},
               {longer, kErrFileSize},
               {good.substr(0, 5), kErrFileRead}};
  for (const auto& c : cases) EXPECT_EQ(SOpenedUpdate(c.bytes).error, c.error);
  uint32_t error = 0;
  CTCF2Update missing("no such file.upd", error);
  EXPECT_EQ(error, kErrFileNotFound);
}

TEST(UpdateRead, CheckAgainstChart) {
  SOpenedUpdate opened(BuildUpdate2(SampleUpdate()));
  CTCF2Update& update = *opened.update;
  uint32_t error = 0;
  SGuid guid;
  std::memcpy(&guid, SampleUpdate().chart.guid, 16);
  EXPECT_TRUE(update.CheckChart(guid, 4, error));
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(update.CheckChart(guid, 3, error));  // tile 3 is not a level-0 tile
  EXPECT_EQ(error, kErrFileFormat);
  guid.Data4[7] ^= 1;
  EXPECT_FALSE(update.CheckChart(guid, 4, error));
  EXPECT_EQ(error, kErrUpdateWrongChart);
  const SGuid none = {};
  update.GetChartDesc()->SetGUID(&none);  // an update for any chart
  EXPECT_TRUE(update.CheckChart(guid, 4, error));
}

TEST(UpdateRead, NullZipGivesUncompressError) {
  SOpenedUpdate opened(BuildUpdate2(SampleUpdate()));
  CTCF2Update& update = *opened.update;
  uint32_t error = 0;
  CMemoryStream out;
  EXPECT_FALSE(update.ReadTilePatch(out, 0, nullptr, error));
  EXPECT_EQ(error, kErrUncompress);
  CStr text;
  EXPECT_FALSE(update.ReadCompressedBlock(text, nullptr, error));
  EXPECT_EQ(error, kErrUncompress);
}

// A patch that inflates beyond 7 bytes a pixel of a whole tile stops at the
// cap with the inflate error.
TEST(UpdateRead, InflationIsCapped) {
  SBuiltUpdate sample = SampleUpdate();
  sample.patches = {{0, std::string(kUpdPatchCap + 1, '\0')}};
  sample.text = std::string(kUpdTextCap + 1, 't');
  SOpenedUpdate opened(BuildUpdate2(sample));
  ASSERT_EQ(opened.error, 0u);
  CTCF2Update& update = *opened.update;
  uint32_t error = 0;
  CMemoryStream out;
  EXPECT_FALSE(update.ReadTilePatch(out, 0, &TestZip(), error));
  EXPECT_EQ(error, kErrUncompress);
  EXPECT_EQ(out.GetSize(), 0);
  CStr text;
  EXPECT_FALSE(update.ReadCompressedBlock(text, &TestZip(), error));
  EXPECT_EQ(error, kErrUncompress);
}

}  // namespace
