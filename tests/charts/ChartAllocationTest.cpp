// Every allocation of reading chart files of every version, of converting
// and updating them, of reading, generating and rewriting update files and
// of update packages fails in turn (allocation n for n = 0, 1, 2 ...): each
// such run reports code 1, as the exports do for any exception, and leaves
// the folder as it was; the run in which none failed succeeds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2FileConvert.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2FileUpdate.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/charts/TCF2TileTableC.h"
#include "lib/charts/UpdFileRewrite.h"
#include "lib/charts/UpdGenerateFiles.h"
#include "lib/charts/UpdPackage.h"
#include "lib/charts/Update.h"
#include "lib/charts/UpdateFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/streams/CappedMemoryStream.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/AllocationSeam.h"
#include "tests/ChangeWalk.h"
#include "tests/charts/LegacyChart.h"
#include "tests/charts/UpdImageFiles.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

// Files a.tcf (a chart), u.upd (an update for it), new.bmp (its newer
// image) and p.upk (a package of the update) as a row needs them.
struct SInputs {
  CScratchDir& dir;

  void Chart(const std::vector<uint8_t>& bytes) const {
    WriteFile(dir.Path("a.tcf"), std::string(bytes.begin(), bytes.end()));
  }
  void Update(const std::string& bytes) const { WriteFile(dir.Path("u.upd"), bytes); }
  void Package(const SBuiltUpdate& update) const {
    WriteFile(dir.Path("p.upk"), BuildPackage({{"u.upd", &update, BuildUpdate2(update)}}));
  }
};

// The update of SampleUpdate, for a chart of any GUID, patching tile 0 only.
SBuiltUpdate UpdateForAnyChart() {
  SBuiltUpdate update = SampleUpdate();
  std::memset(update.chart.guid, 0, sizeof update.chart.guid);
  update.patches = {{0, PatchRun(5, {0xAABBCC, 0xDDEEFF})}};
  return update;
}

std::vector<uint8_t> ChartBytes(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

SGuid GuidOf(const SBuiltUpdate& update) {
  SGuid guid;
  std::memcpy(&guid, update.chart.guid, sizeof guid);
  return guid;
}

// The operation of a row on the folder with allocation n failing: its error
// code, 0 for success.
using TOperation = std::function<uint32_t(const CScratchDir&, int32_t n)>;

struct SWalkRow {
  const char* name;
  bool everyBuild;  // walked by the Windows build too
  std::function<void(const SInputs&)> setUp;
  TOperation run;
};

// Runs the library function with allocation n failing as its export does:
// an exception becomes code 1. What a host makes before the call is made
// before the allocations are counted.
template <class Body>
uint32_t AsExport(int32_t n, Body body) {
  uint32_t error = 0;
  td::test::ArmAllocationFailure(n);
  const bool ok = td::GuardCode(&error, false, [&] { return body(error); });
  return ok ? error : (error != 0 ? error : uint32_t{kErrUnknown});
}

uint32_t ReadChart(const CScratchDir& dir, int32_t n) {
  STCF2ChartObjects objects;
  uint64_t size = 0;
  uint32_t version = 0, index = 0, warnings = 0;
  return AsExport(n, [&](uint32_t& error) {
    return TCF2FileRead(dir.Path("a.tcf"), size, version, index, objects.Parts(), warnings, error);
  });
}

TOperation ConvertTo(uint32_t index) {
  return [index](const CScratchDir& dir, int32_t n) {
    return AsExport(n, [&](uint32_t& error) {
      return TCF2FileConvert(dir.Path("a.tcf"), dir.Path("b.tcf"), index, nullptr, error);
    });
  };
}

uint32_t ApplyUpdate(const CScratchDir& dir, int32_t n) {
  return AsExport(n, [&](uint32_t& error) {
    CTCF2Update update(dir.Path("u.upd"), error);
    uint8_t flag = 0;
    return error == 0 &&
           TCF2FileUpdate(dir.Path("a.tcf"), update, flag, &TestZip(), nullptr, error);
  });
}

// Opens the update and reads its first patch and its text.
uint32_t ReadUpdate(const CScratchDir& dir, int32_t n) {
  return AsExport(n, [&](uint32_t& error) {
    CTCF2Update update(dir.Path("u.upd"), error);
    CCappedMemoryStream patch(kUpdPatchCap);
    CStr text;
    return error == 0 && update.ReadTilePatch(patch, 0, &TestZip(), error) &&
           update.ReadCompressedBlock(text, &TestZip(), error);
  });
}

uint32_t OpenPackage(const CScratchDir& dir, int32_t n,
                     const std::function<bool(CTCF2UpdPackage&, uint32_t&)>& use) {
  return AsExport(n, [&](uint32_t& error) {
    CTCF2UpdPackage package(dir.Path("p.upk"), dir.Folder().c_str(), error);
    return error == 0 && use(package, error);
  });
}

std::vector<SWalkRow> Rows() {
  const SLegacyChart legacy;
  const std::vector<uint8_t> v1000 = ChartV1("WGS 1984", legacy.tiles), v1001 = legacy.Bytes(),
                             v1002 = legacy.Bytes(kVersion1002),
                             v2000 = ChartBytes(FourTileChartFile());
  const auto chart = [](std::vector<uint8_t> bytes) {
    return [bytes](const SInputs& in) { in.Chart(bytes); };
  };
  const auto chartAndUpdate = [](std::vector<uint8_t> bytes, SBuiltUpdate update) {
    return [bytes, update](const SInputs& in) {
      in.Chart(bytes);
      in.Update(BuildUpdate2(update));
    };
  };
  const auto update = [](std::string bytes) {
    return [bytes](const SInputs& in) { in.Update(bytes); };
  };
  const auto package = [](const SInputs& in) { in.Package(SampleUpdate()); };
  return {
      {"read 1.0.0.0", false, chart(v1000), ReadChart},
      {"read 1.0.0.1", false, chart(v1001), ReadChart},
      {"read 1.0.0.2", true, chart(v1002), ReadChart},
      {"read 2.0.0.0", true, chart(v2000), ReadChart},
      {"read the tag alone", false, chart(v2000),
       [](const CScratchDir& dir, int32_t n) {
         CTCF2Tag tag;
         uint32_t warnings = 0;
         return AsExport(n, [&](uint32_t& error) {
           return TCF2FileReadTag(dir.Path("a.tcf"), tag, warnings, error);
         });
       }},
      {"open the chart object", false, chart(v2000),
       [](const CScratchDir& dir, int32_t n) {
         const CStr path = dir.Path("a.tcf");
         uint32_t warnings = 0, error = 0;
         td::test::ArmAllocationFailure(n);
         std::unique_ptr<CTCF2Chart> object(TCF2ChartCreate(path, warnings, error));
         return error;
       }},
      {"convert 1.0.0.0", false, chart(v1000), ConvertTo(4)},
      {"convert 1.0.0.1", true, chart(v1001), ConvertTo(4)},
      {"convert 1.0.0.2", false, chart(v1002), ConvertTo(4)},
      {"convert 2.0.0.0", false, chart(v2000), ConvertTo(4)},
      {"update 2.0.0.0", true, chartAndUpdate(v2000, SampleUpdate()), ApplyUpdate},
      {"update 1.0.0.2", false, chartAndUpdate(v1002, UpdateForAnyChart()), ApplyUpdate},
      {"read update 1.0.0.0", true, update(BuildUpdate1(SampleUpdate())), ReadUpdate},
      {"read update 1.1.0.0", false, update(BuildUpdate2(SampleUpdate())), ReadUpdate},
      {"generate an update", true,
       [v2000](const SInputs& in) {
         in.Chart(v2000);
         WriteFile(in.dir.Path("new.bmp"), Bmp24(512, 512, false, [](uint32_t x, uint32_t y) {
                     return x == 300 && y == 10 ? 0xABCDEFu : FourTileChartPixel(x, y);
                   }));
       },
       [](const CScratchDir& dir, int32_t n) {
         const SUpdGenerateInput input{46000.5, "A notice", nullptr, 0, nullptr, 0};
         uint64_t raw = 0, compressed = 0;
         return AsExport(n, [&](uint32_t& error) {
           return UpdFileGenerateFromFiles(dir.Path("g.upd"), dir.Path("new.bmp"),
                                           dir.Path("a.tcf"), input, &TestZip(), nullptr, raw,
                                           compressed, error);
         });
       }},
      {"rewrite an update", true, update(BuildUpdate2(SampleUpdate())),
       [](const CScratchDir& dir, int32_t n) {
         return AsExport(n, [&](uint32_t& error) {
           return UpdFileRewrite(dir.Path("u.upd"), "Second notice", true, {"A", 1, true},
                                 {nullptr, 0, false}, false, &TestZip(), error);
         });
       }},
      {"write a package", true, update(BuildUpdate2(SampleUpdate())),
       [](const CScratchDir& dir, int32_t n) {
         return AsExport(n, [&](uint32_t& error) {
           CStrList names;
           names.Add(dir.Path("u.upd"));
           return CTCF2UpdPackage::Write(dir.Path("w.upk"), names, error);
         });
       }},
      {"open a package and its update", false, package,
       [](const CScratchDir& dir, int32_t n) {
         return OpenPackage(dir, n, [](CTCF2UpdPackage& p, uint32_t& error) {
           return p.CreateUpdate(0, &error) != nullptr;
         });
       }},
      {"extract from a package", true, package,
       [](const CScratchDir& dir, int32_t n) {
         return OpenPackage(dir, n, [](CTCF2UpdPackage& p, uint32_t& error) {
           const SGuid guid = GuidOf(SampleUpdate());
           return p.ExtractItem(&guid, &error);
         });
       }},
  };
}

// Code 1, or the code of a compression callback: the test's callbacks stand
// for the host's and allocate through the same seam, and a callback that
// fails reports it with its own code.
bool IsOutOfMemory(uint32_t error) {
  return error == kErrUnknown || error == kErrCompress || error == kErrUncompress;
}

using TFolder = std::vector<std::pair<std::string, std::string>>;

TFolder Contents(const CScratchDir& dir) {
  TFolder files;
  for (const std::string& name : dir.Names())
    files.emplace_back(name, ReadFile(dir.Path(name.c_str())));
  return files;
}

TEST(ChartAllocations, EachFailedAllocationIsReportedAndChangesNothing) {
  GeodeticTablesInitialize();
  for (const SWalkRow& row : Rows()) {
    if (!td::test::WalkedHere(row.everyBuild)) continue;
    SCOPED_TRACE(row.name);
    CScratchDir dir;
    row.setUp(SInputs{dir});
    const TFolder before = Contents(dir);
    const int32_t allocations = td::test::WalkAllocations([&](int32_t n) {
      const uint32_t error = row.run(dir, n);
      if (td::test::DisarmAllocationFailure()) {
        ASSERT_TRUE(IsOutOfMemory(error)) << "allocation " << n << ": code " << error;
        ASSERT_TRUE(Contents(dir) == before)
            << "allocation " << n << ": " << testing::PrintToString(dir.Names());
      } else {
        ASSERT_EQ(error, 0u) << "without a failure";
      }
    });
    EXPECT_GT(allocations, 0);
    std::printf("%s: %d allocations walked\n", row.name, allocations);
  }
}

// The chart objects a host changes in memory, pictured as text.
std::string Picture(const CTCF2MipmapTable& table) {
  std::string picture;
  for (int32_t i = 0; i < table.Count(); ++i) {
    const STCF2Mipmap& m = table.At(i);
    picture += std::to_string(m.Width) + "x" + std::to_string(m.Height) + "@" +
               std::to_string(m.FirstTile) + ";";
  }
  return picture;
}

std::string Picture(const CTCF2TileTable& table) {
  std::string picture;
  for (int32_t i = 0; i < table.Count(); ++i)
    picture += std::to_string(table.At(i).Width) + "x" + std::to_string(table.At(i).Height) + ";";
  return picture;
}

std::string Picture(CTCF2TileTableC& table) {
  std::string picture;
  STCF2TileInfo info{};
  for (int32_t i = 0; table.GetTileInfo(i, &info); ++i)
    picture += std::to_string(info.Width) + "x" + std::to_string(info.Height) + ";";
  return picture;
}

std::string Picture(const CTCF2Tag& tag) {
  std::string picture = tag.Text(kTagText1).c_str();
  for (int i = 0; i < tag.Links().GetCount(); ++i)
    picture += ";" + std::string(tag.Links().GetAt(i)->File.c_str());
  return picture;
}

std::string Picture(const CTCF2Bounds& bounds) {
  std::string picture;
  for (int32_t i = 0; i < bounds.Count(); ++i)
    picture +=
        std::to_string(bounds.PointAt(i).x) + "," + std::to_string(bounds.PointAt(i).y) + ";";
  return picture;
}

template <class Object, class Make>
std::function<td::test::SChangeRun(int32_t)> Change(Make make,
                                                    std::function<bool(Object&)> change) {
  return [make, change](int32_t n) {
    return td::test::RunChange(n, make, change, [](auto& object) { return Picture(object); });
  };
}

// A table of the levels of a width x height image.
td::TObjectPtr<CTCF2MipmapTable> Levels(int32_t width, int32_t height) {
  td::TObjectPtr<CTCF2MipmapTable> table(new CTCF2MipmapTable());
  table->BuildLevels(-1, width, height);
  return table;
}

td::TObjectPtr<CTCF2MipmapTable> SmallLevels() { return Levels(300, 200); }

// Tile tables built for a 300 x 200 image.
td::TObjectPtr<CTCF2TileTable> SmallTiles() {
  td::TObjectPtr<CTCF2TileTable> tiles(new CTCF2TileTable());
  const auto levels = SmallLevels();
  tiles->BuildFrom(static_cast<int32_t>(levels->GetTotalTiles()), *levels);
  return tiles;
}

td::TObjectPtr<CTCF2TileTableC> SmallCompactTiles() {
  td::TObjectPtr<CTCF2TileTableC> compact(new CTCF2TileTableC());
  compact->AssignFrom(*SmallTiles());
  return compact;
}

td::TObjectPtr<CTCF2Tag> LinkedTag() {
  td::TObjectPtr<CTCF2Tag> tag(new CTCF2Tag());
  const CStr text("kept");
  tag->SetText1(&text);
  for (const char* file : {"a.tcf", "b.tcf", "c.tcf", "d.tcf"})
    tag->AppendLink(kLinkFile, file, text);
  return tag;
}

td::TObjectPtr<CTCF2Bounds> FourCorners() {
  td::TObjectPtr<CTCF2Bounds> bounds(new CTCF2Bounds());
  for (const SPointD& p : {SPointD{0, 0}, SPointD{4, 0}, SPointD{4, 4}, SPointD{0, 4}})
    bounds->Append(p);
  return bounds;
}

std::vector<td::test::SChangeRow> ChangeRows() {
  using FLevels = std::function<bool(CTCF2MipmapTable&)>;
  using FTiles = std::function<bool(CTCF2TileTable&)>;
  using FCompact = std::function<bool(CTCF2TileTableC&)>;
  using FTag = std::function<bool(CTCF2Tag&)>;
  using FBounds = std::function<bool(CTCF2Bounds&)>;
  return {
      {"mipmap table: built again", true, Change(SmallLevels, FLevels([](CTCF2MipmapTable& t) {
                                                   return t.BuildLevels(-1, 5000, 3000) != 0;
                                                 }))},
      {"tile table: built again", false,
       Change(SmallTiles, FTiles([](CTCF2TileTable& t) {
                const auto levels = Levels(5000, 3000);
                return t.BuildFrom(static_cast<int32_t>(levels->GetTotalTiles()), *levels);
              }))},
      {"compact tile table: assigned", false,
       Change(SmallCompactTiles, FCompact([](CTCF2TileTableC& t) {
                const auto levels = Levels(5000, 3000);
                CTCF2TileTable tiles;
                tiles.BuildFrom(static_cast<int32_t>(levels->GetTotalTiles()), *levels);
                t.AssignFrom(tiles);
                return true;
              }))},
      {"tag: cleared", false, Change(LinkedTag, FTag([](CTCF2Tag& t) {
                                       t.ClearFields();
                                       return true;
                                     }))},
      {"tag: link added", false, Change(LinkedTag, FTag([](CTCF2Tag& t) {
                                          t.AppendLink(kLinkOther, "e", "new");
                                          return true;
                                        }))},
      {"bounds: point added", false, Change(FourCorners, FBounds([](CTCF2Bounds& b) {
                                              b.Append(SPointD{2, 6});
                                              return true;
                                            }))},
  };
}

TEST(ChartAllocations, EachChangeOfAChartObjectIsWholeOrNothing) {
  td::test::WalkChanges(ChangeRows());
}

}  // namespace
