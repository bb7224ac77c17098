// Running out of memory in every allocation, one after the other, of reading
// and writing each image file kind and of the drawing operations that
// allocate: each run either reports the failure, with the bitmap or the file
// as they were, or completes with nothing missing (a failure the operation
// can do without, such as a name freed on closing, is no failure).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib/bitmap/Bmp16.h"
#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/BmpLoader.h"
#include "lib/bitmap/BmpWriter.h"
#include "lib/bitmap/MapDecorations.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"
#include "tests/AllocationSeam.h"
#include "tests/bitmap/BitmapTestHelpers.h"
#include "tests/bitmap/ImageBytes.h"
#include "tests/foundation/RuntimeTestFiles.h"

#if defined(_WIN32)
#include "include/TdLib.h"
#endif

namespace {

using td::test::ArmAllocationFailure;
using td::test::DisarmAllocationFailure;
using td::test::RunRefusingAllocation;
using td::test::WalkAllocations;

enum EBuilds { kNativeOnly, kEveryBuild };

bool Walked(EBuilds builds) { return td::test::WalkedHere(builds == kEveryBuild); }

void ReportWalk(const char* name, int32_t allocations) {
  std::printf("[     WALK ] %s: %d allocations\n", name, allocations);
}

// What a bitmap holds: size and the pixels of each row (without padding).
struct SBitmapState {
  int32_t width = 0, height = 0;
  bool pixels = false;
  std::vector<uint8_t> bytes;
  bool operator==(const SBitmapState&) const = default;
};

SBitmapState StateOf(CBmpRows& bmp) {
  SBitmapState s;
  s.width = bmp.GetWidth();
  s.height = bmp.GetHeight();
  s.pixels = bmp.HasPixels();
  const size_t rowBytes =
      static_cast<size_t>(s.width) * (bmp.GetPixelFormat() == pfA1R5G5B5 ? 2 : 4);
  for (int32_t y = 0; s.pixels && y < s.height; ++y)
    s.bytes.insert(s.bytes.end(), bmp.RowOrNull(y), bmp.RowOrNull(y) + rowBytes);
  return s;
}

const SBitmapState kEmptyBitmap = {};

// ---------------------------------------------------------------- reading

// A file read with LoadFromFile, whose extension chooses the reader.
struct SReadCase {
  const char* name;  // the file's name
  std::string bytes;
  int32_t depth;  // of the bitmap read into: 16 or 32
  uint32_t shrink;
  uint8_t alpha;
  EBuilds builds;
};

std::string Palette(std::initializer_list<uint32_t> colours) {
  CBytes b;
  for (uint32_t c : colours) b.U32(c);
  return b.Str();
}

std::vector<SReadCase> ReadCases() {
  const std::string rgb2x2 =
      CBytes().Raw({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}).Str();
  const std::string grey16 =
      Palette({0x000000, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777,
               0x888888, 0x999999, 0xAAAAAA, 0xBBBBBB, 0xCCCCCC, 0xDDDDDD, 0xEEEEEE, 0xFFFFFF});
  std::string rgb4x4;
  for (int i = 0; i < 48; ++i) rgb4x4 += static_cast<char>(i * 5);
  std::string corePalette;
  for (int i = 0; i < 256; ++i) corePalette += std::string(3, static_cast<char>(i));
  STgaFields raw24;
  raw24.width = 2;
  raw24.height = 2;
  STgaFields rle32;
  rle32.imageType = 10;
  rle32.width = 3;
  rle32.depth = 32;
  STgaFields mapped;
  mapped.imageType = 1;
  mapped.mapType = 1;
  mapped.mapLength = 2;
  mapped.mapBits = 24;
  mapped.width = 2;
  mapped.depth = 8;
  mapped.footer = true;
  STgaFields grey;
  grey.imageType = 3;
  grey.width = 2;
  grey.depth = 8;
  return {
      {"rgb24.bmp", BmpFile(2, 2, 24, 0, "", rgb2x2), 32, 1, 0, kEveryBuild},
      {"argb32.bmp", BmpFile(1, 2, 32, 0, "", CBytes().U32(0x80102030).U32(0x40506070).Str()), 32,
       1, 1, kNativeOnly},
      {"rle8.bmp",
       BmpFile(4, 2, 8, 1, Palette({0x0000FF, 0x00FF00}),
               CBytes().Raw({4, 1, 0, 0, 2, 0, 2, 1, 0, 1}).Str(), 2),
       32, 1, 0, kNativeOnly},
      {"rle4.bmp",
       BmpFile(4, 2, 4, 2, grey16, CBytes().Raw({4, 0x12, 0, 0, 0, 4, 0x3C, 0x5A, 0, 1}).Str()), 32,
       1, 0, kNativeOnly},
      {"mono.bmp",
       BmpFile(8, 2, 1, 0, Palette({0, 0xFFFFFF}),
               CBytes().Raw({0xA5, 0, 0, 0, 0x0F, 0, 0, 0}).Str()),
       32, 1, 0, kNativeOnly},
      {"core8.bmp", CoreBmpFile(2, 1, 8, corePalette, CBytes().Raw({1, 200, 0, 0}).Str()), 32, 1, 0,
       kNativeOnly},
      {"x1r5.bmp",
       BmpFile(2, 2, 16, 0, "", CBytes().U16(0x8001).U16(0x7C00).U16(0x03E0).U16(0x001F).Str()), 16,
       1, 1, kNativeOnly},
      {"halved.bmp", BmpFile(4, 4, 24, 0, "", rgb4x4), 32, 2, 0, kNativeOnly},
      {"rgb24.tga", TgaFile(raw24, "", CBytes().Raw({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).Str()),
       32, 1, 0, kEveryBuild},
      {"rle32.tga", TgaFile(rle32, "", CBytes().Raw({0x82, 1, 2, 3, 4}).Str()), 32, 1, 0,
       kNativeOnly},
      {"mapped.tga",
       TgaFile(mapped, CBytes().Raw({1, 2, 3, 4, 5, 6}).Str(), CBytes().Raw({1, 0}).Str()), 32, 1,
       0, kNativeOnly},
      {"grey.tga", TgaFile(grey, "", CBytes().Raw({0x40, 0xC0}).Str()), 32, 1, 0, kNativeOnly},
  };
}

struct SDeleteThis {
  void operator()(CObject* object) const { object->DeleteThis(1); }
};

// The bitmap a file is read into, holding pixels of its own.
std::unique_ptr<CBmpRows, SDeleteThis> ReadTarget(int32_t depth) {
  if (depth == 32) return std::unique_ptr<CBmpRows, SDeleteThis>(MakeTagged(5, 5).release());
  std::unique_ptr<CBmpRows, SDeleteThis> bmp(new CBmp16(3, 3, false));
  static_cast<CBmp16&>(*bmp).Fill(0x1234);
  return bmp;
}

uint32_t Load(CBmpRows& bmp, const CStr& path, const SReadCase& c) {
  uint32_t error = 0xFFFFFFFF;
  bmp.LoadFromFile(&path, c.shrink, c.alpha, nullptr, &error);
  return error;
}

class ImageAllocationTest : public testing::Test {
 protected:
  void SetUp() override {
    m_Folder = std::filesystem::path(ScratchPath("images_oom").c_str());
    std::filesystem::create_directories(m_Folder);
  }
  void TearDown() override { std::filesystem::remove_all(m_Folder); }

  CStr PathOf(const char* name) const { return CStr((m_Folder / name).string().c_str()); }
  CStr File(const char* name, const std::string& bytes) const {
    const CStr path = PathOf(name);
    WriteBytes(path, bytes);
    return path;
  }
  // The names in the folder, so that a temporary file left behind shows.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_Folder))
      names.push_back(entry.path().filename().string());
    return names;
  }

  std::filesystem::path m_Folder;
};

TEST_F(ImageAllocationTest, AReadThatRunsOutOfMemoryReportsItAndKeepsTheBitmap) {
  for (const SReadCase& c : ReadCases()) {
    if (!Walked(c.builds)) continue;
    const CStr path = File(c.name, c.bytes);
    auto complete = ReadTarget(c.depth);
    ASSERT_EQ(Load(*complete, path, c), 0u) << c.name;
    const SBitmapState read = StateOf(*complete);
    const int32_t allocations = WalkAllocations([&](int32_t n) {
      auto bmp = ReadTarget(c.depth);
      const SBitmapState before = StateOf(*bmp);
      ArmAllocationFailure(n);
      const uint32_t error = Load(*bmp, path, c);
      const bool failed = DisarmAllocationFailure();
      const SBitmapState after = StateOf(*bmp);
      const bool complete = error == kErrNone && after == read;
      const bool reported = error == kErrUnknown && after == before;
      EXPECT_TRUE(complete || (failed && reported))
          << c.name << ", allocation " << n << ", error " << error;
    });
    ReportWalk(c.name, allocations);
    EXPECT_GT(allocations, 0) << c.name;
  }
}

// A band loader reading a 6 x 4 image at a reduced size, with each of its allocations
// refused in turn: a loader that cannot be made throws and leaves none; one
// that is made reads the whole band, and a second read then reads nothing
// more (a loader that has failed says so again and stays stopped).
struct SLoaderCase {
  const char* name;
  std::string bytes;  // a .bmp file of 6 x 4 pixels
  int32_t factor;
  int32_t format;  // of the band
  EBuilds builds;
};

std::vector<SLoaderCase> LoaderCases() {
  std::string rgb, indices;
  for (int row = 0; row < 4; ++row) {  // rows padded to 20 and 8 bytes
    for (int i = 0; i < 20; ++i) rgb += static_cast<char>(i < 18 ? row * 50 + i * 11 : 0);
    for (int i = 0; i < 8; ++i) indices += static_cast<char>(i < 6 ? (i + row) % 4 : 0);
  }
  return {
      {"24-bit halved", BmpFile(6, 4, 24, 0, "", rgb), 2, pfA8R8G8B8, kEveryBuild},
      {"8-bit in thirds into 24-bit",
       BmpFile(6, 4, 8, 0, Palette({0x010203, 0x102030, 0x405060, 0xFFFFFF}), indices, 4), 3,
       pfR8G8B8, kNativeOnly},
  };
}

struct SLoaderRun {
  bool made = false;
  bool read = false;
  uint32_t error = 0xFFFFFFFF;
  bool readAgain = false;
  uint32_t errorAgain = 0xFFFFFFFF;
  std::vector<uint8_t> band;
};

TEST_F(ImageAllocationTest, ALoaderThatRunsOutOfMemoryReportsItAndStaysStopped) {
  for (const SLoaderCase& c : LoaderCases()) {
    if (!Walked(c.builds)) continue;
    const CStr path = File("band.bmp", c.bytes);
    const int32_t width = 6 / c.factor, height = 4 / c.factor;
    const int32_t stride = static_cast<int32_t>(PixelFormatStride(width, c.format));
    const SPixelBufferDesc desc = {c.format, stride, width, height, stride, -stride};
    auto load = [&](int32_t n) {
      SLoaderRun run;
      run.band.assign(static_cast<size_t>(stride) * height, 0xEE);
      std::unique_ptr<CBmpLoader, SDeleteThis> loader;
      const auto [threw, failed] = RunRefusingAllocation(n, [&] {
        loader.reset(new CBmpLoader(path, SBmpHeader{}, nullptr, desc, c.factor, false, run.error));
        run.read =
            run.error == kErrNone && loader->ReadRows(run.band.data(), height, nullptr, run.error);
      });
      run.made = loader != nullptr;
      EXPECT_EQ(threw, failed && !run.made) << c.name << ", allocation " << n;
      if (run.made)
        run.readAgain = loader->ReadRows(run.band.data(), height, nullptr, run.errorAgain);
      return run;
    };
    const SLoaderRun complete = load(-1);
    ASSERT_TRUE(complete.read && complete.readAgain) << c.name << ", error " << complete.error;
    ASSERT_EQ(complete.errorAgain, kErrNone) << c.name;
    const int32_t allocations = WalkAllocations([&](int32_t n) {
      const SLoaderRun run = load(n);
      if (!run.made) return;
      if (run.read) {
        EXPECT_TRUE(run.readAgain && run.errorAgain == kErrNone) << c.name << ", allocation " << n;
        EXPECT_EQ(run.band, complete.band) << c.name << ", allocation " << n;
      } else {
        EXPECT_EQ(run.error, kErrUnknown) << c.name << ", allocation " << n;
        EXPECT_FALSE(run.readAgain) << c.name << ", allocation " << n;
        EXPECT_EQ(run.errorAgain, kErrUnknown) << c.name << ", allocation " << n;
      }
    });
    ReportWalk(c.name, allocations);
    EXPECT_GT(allocations, 0) << c.name;
  }
}

#if defined(_WIN32)
TEST_F(ImageAllocationTest, AHeaderReadThatRunsOutOfMemoryReportsIt) {
  const CStr path = File("header.bmp", BmpFile(4, 2, 8, 1, Palette({0x0000FF, 0x00FF00}), "", 2));
  const int32_t allocations = WalkAllocations([&](int32_t n) {
    SBmpHeader header = {};
    uint8_t palette[kPaletteBytes] = {};
    uint32_t error = 0xFFFFFFFF;
    ArmAllocationFailure(n);
    BitmapLoadHeader(path.c_str(), reinterpret_cast<TdBmpHeader*>(&header), palette, &error);
    const bool failed = DisarmAllocationFailure();
    const bool complete = error == kErrNone && header.width == 4 && palette[4 + 1] == 0xFF;
    EXPECT_TRUE(complete || (failed && error == kErrUnknown)) << n << ", error " << error;
  });
  ReportWalk("BitmapLoadHeader", allocations);
}
#endif

// ---------------------------------------------------------------- writing

// A file written over an old one. write gives what it reports: true for
// success (always, where the operation reports nothing).
struct SWriteCase {
  const char* name;
  std::function<bool(const CStr& path)> write;
  bool reports;  // false: the operation has no way to report a failure
  EBuilds builds;
};

std::vector<SWriteCase> WriteCases() {
  auto save = [](std::shared_ptr<CBmpRows> bmp) {
    return [bmp](const CStr& path) {
      bmp->SaveBmp(&path, nullptr);
      return true;
    };
  };
  auto b16 = std::make_shared<CBmp16>(5, 3, false);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x)
      b16->GetScanLine(y)[x] = static_cast<uint16_t>(x * 0x111 + y * 0x2000);
  auto rle8 = [](const CStr& path) {
    static const uint8_t kIndices[] = {1, 1, 1, 2, 3, 4, 4, 5, 6, 7, 8, 8, 9, 9, 9, 9};
    const SPixelBufferDesc desc = {pfP8, 8, 8, 2, 8, -8};
    uint32_t error = 0;
    try {
      return WriteFileReplacing(
          path,
          [&](CStream& file, uint32_t& e) {
            return WriteBmp(file, kIndices, desc, pfP8, nullptr, rcRle8, nullptr, e);
          },
          error);
    } catch (const std::bad_alloc&) {
      return false;
    }
  };
  return {
      {"CBmp32::SaveBmp", save(MakeTagged(7, 5)), false, kEveryBuild},
      {"CBmp16::SaveBmp", save(b16), false, kNativeOnly},
      {"WriteBmp RLE8", rle8, true, kNativeOnly},
  };
}

TEST_F(ImageAllocationTest, AWriteThatRunsOutOfMemoryLeavesTheOldFile) {
  for (const SWriteCase& c : WriteCases()) {
    if (!Walked(c.builds)) continue;
    const CStr reference = PathOf("reference.bmp");
    ASSERT_TRUE(c.write(reference)) << c.name;
    const std::string complete = ReadBytes(reference);
    RemoveFile(reference);
    const CStr path = File("image.bmp", "the old file");
    const int32_t allocations = WalkAllocations([&](int32_t n) {
      ArmAllocationFailure(n);
      const bool written = c.write(path);
      const bool failed = DisarmAllocationFailure();
      const std::string bytes = ReadBytes(path);
      const bool whole = written && bytes == complete;
      const bool reported = (!written || !c.reports) && bytes == "the old file";
      EXPECT_TRUE(whole || (failed && reported)) << c.name << ", allocation " << n;
      EXPECT_EQ(Names(), std::vector<std::string>{"image.bmp"}) << c.name << ", allocation " << n;
      for (const std::string& name : Names())  // so that the next run starts alike
        if (name != "image.bmp") std::filesystem::remove(m_Folder / name);
      WriteBytes(path, "the old file");
    });
    ReportWalk(c.name, allocations);
    EXPECT_GT(allocations, 0) << c.name;
  }
}

// ---------------------------------------------------------------- drawing

// What a run whose allocation failed shows.
enum EFailure {
  kThrowsKept,     // the throwing forms: an exception, the bitmap as it was
  kSilentKept,     // drawing slots: nothing drawn
  kSilentEmptied,  // slots that resize and cannot report: an empty bitmap
};

// An operation on a 6 x 5 bitmap of tagged pixels.
struct SDrawCase {
  const char* name;
  std::function<void(CBmp32& target)> run;
  EFailure failure;
  EBuilds builds;
};

// A north-up Mercator view of the target, 10 m per pixel.
CGeodeticCalibration& NorthUpView() {
  static CGeodeticCalibration calibration;
  GeodeticTablesInitialize();
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, *GeodeticDatumFindByCode("WGE"));
  const SPointD pix1{0, 0}, pix2{100, 100}, proj1{0, 1000}, proj2{1000, 0};
  calibration.Calibrate2(&pix1, &pix2, &proj1, &proj2, 60, 50, &ref);
  return calibration;
}

std::vector<SDrawCase> DrawCases() {
  std::shared_ptr<CBmp32> source = MakeTagged(3, 3);
  std::shared_ptr<CBmp32> large = MakeTagged(9, 7);
  const SPointD star[5] = {{0.5, 0.5}, {5.5, 2}, {0.5, 4.5}, {3, -1}, {4, 5}};
  std::vector<SDrawCase> cases = {
      {"Draw scaled",
       [=](CBmp32& t) { source->Draw(&t, -0.5, -0.5, 5.5, 4.5, -0.5, -0.5, 2.5, 2.5, bmCopy); },
       kSilentKept, kEveryBuild},
      {"Draw scaled within itself",
       [](CBmp32& t) { t.Draw(&t, -0.5, -0.5, 5.5, 4.5, 0.5, 0.5, 3.5, 2.5, bmBlend); },
       kSilentKept, kNativeOnly},
      {"Draw along its own rows",
       [](CBmp32& t) { t.Draw(&t, 0.5, -0.5, 5.5, 4.5, -0.5, -0.5, 4.5, 4.5, bmCopy); },
       kSilentKept, kNativeOnly},
      {"DrawTransform within itself",
       [](CBmp32& t) { t.DrawTransform(&t, 0, 0, 4, 3, 1, 0, 5, 1, 4, 4, 0, 3, bmTransparent); },
       kSilentKept, kNativeOnly},
      {"FillPolygon", [=](CBmp32& t) { t.FillPolygon(star, 5, 0x80FF0000); }, kSilentKept,
       kNativeOnly},
      {"DrawNeedle",
       [](CBmp32& t) {
         DrawNeedle(t, NorthUpView(), {3, 2});
       },
       kThrowsKept, kNativeOnly},
      {"DrawGPSCursor",
       [=](CBmp32& t) {
         DrawGPSCursor(t, NorthUpView(), {3, 2}, 0.5f, star, 5, 0.5f);
       },
       kThrowsKept, kNativeOnly},
      {"Resize", [](CBmp32& t) { t.Resize(9, 8); }, kThrowsKept, kNativeOnly},
      {"CopyFrom", [=](CBmp32& t) { t.CopyFrom(*source); }, kThrowsKept, kNativeOnly},
      {"ScaleFrom", [=](CBmp32& t) { t.ScaleFrom(*source, 7, 4); }, kThrowsKept, kNativeOnly},
      {"ScaleFrom itself", [](CBmp32& t) { t.ScaleFrom(t, 12, 3); }, kThrowsKept, kNativeOnly},
      {"SetSize", [](CBmp32& t) { t.SetSize(9, 8); }, kSilentEmptied, kNativeOnly},
      {"Assign", [=](CBmp32& t) { t.Assign(source.get()); }, kSilentEmptied, kNativeOnly},
      {"AssignScaled", [=](CBmp32& t) { t.AssignScaled(source.get(), 7, 4); }, kSilentEmptied,
       kEveryBuild},
      {"ShrinkTo", [=](CBmp32& t) { large->ShrinkTo(&t, 2, 1); }, kSilentEmptied, kNativeOnly},
      {"ShrinkTo itself", [](CBmp32& t) { t.ShrinkTo(&t, 2, 0); }, kSilentEmptied, kNativeOnly},
  };
#if defined(_WIN32)
  // The native build measures no text, so draws no scale bar.
  cases.push_back({"DrawScaleBar",
                   [](CBmp32& t) {
                     static HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                                                     0, 0, NONANTIALIASED_QUALITY, 0, "Arial");
                     DrawScaleBar(t, 1, 1, 0.05, kUnitKilometre, font);
                   },
                   kThrowsKept, kEveryBuild});
#endif
  return cases;
}

TEST(ImageAllocation, AnOperationThatRunsOutOfMemoryIsWholeOrLeavesTheBitmap) {
  for (const SDrawCase& c : DrawCases()) {
    if (!Walked(c.builds)) continue;
    auto complete = MakeTagged(6, 5);
    c.run(*complete);
    const SBitmapState done = StateOf(*complete);
    ASSERT_FALSE(done == StateOf(*MakeTagged(6, 5))) << c.name << " changes nothing";
    const int32_t allocations = WalkAllocations([&](int32_t n) {
      auto bmp = MakeTagged(6, 5);
      const SBitmapState before = StateOf(*bmp);
      const auto [threw, failed] = RunRefusingAllocation(n, [&] { c.run(*bmp); });
      const SBitmapState after = StateOf(*bmp);
      const bool complete = !threw && after == done;
      const bool reported = threw == (c.failure == kThrowsKept) &&
                            after == (c.failure == kSilentEmptied ? kEmptyBitmap : before);
      EXPECT_TRUE(complete || (failed && reported)) << c.name << ", allocation " << n;
    });
    ReportWalk(c.name, allocations);
    EXPECT_GT(allocations, 0) << c.name;
  }
}

TEST(ImageAllocation, ABitmapThatCannotBeMadeIsNoBitmap) {
  const int32_t allocations = WalkAllocations([](int32_t n) {
    ArmAllocationFailure(n);
    CBmp32* bmp = td::Create<CBmp32>(4, 3, false);  // as the factory export
    const bool failed = DisarmAllocationFailure();
    EXPECT_EQ(bmp == nullptr, failed) << n;
    if (bmp) bmp->DeleteThis(1);
  });
  ReportWalk("CBmp32 factory", allocations);
}

}  // namespace
