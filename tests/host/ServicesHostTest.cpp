// The services exports as a host sees them: loaded from the DLL by name,
// called through __stdcall pointers, objects used through their tables.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>

#include "TdLib.h"

namespace {

class ServicesHost : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dll_ = LoadLibraryA((std::string(TDLIB_DIST_DIR) + "/TdLib.dll").c_str());
    ASSERT_NE(dll_, nullptr);
  }
  static void TearDownTestSuite() { FreeLibrary(dll_); }

  template <class F>
  static F Proc(const char* name) {
    auto proc = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    EXPECT_NE(proc, nullptr) << name;
    return proc;
  }

  TdStr* Str(const char* text) {
    return Proc<decltype(&StrCreate)>("StrCreate")(text, static_cast<int32_t>(std::strlen(text)));
  }
  void Delete(void* object) {
    Proc<decltype(&ObjectDelete)>("ObjectDelete")(static_cast<TdObject*>(object));
  }

  static HMODULE dll_;
};

HMODULE ServicesHost::dll_ = nullptr;

TEST_F(ServicesHost, UnitsFailWithoutExceptions) {
  Proc<decltype(&UnitsInitialize)>("UnitsInitialize")();
  auto convert = Proc<decltype(&UnitConvert)>("UnitConvert");
  EXPECT_DOUBLE_EQ(convert(1, 0x00060006, 0x0006800E), 1.852);
  EXPECT_TRUE(std::isnan(convert(1, 0x0006800B, 0x0001800B)));  // metre to second
  EXPECT_TRUE(std::isnan(convert(1, 0x00150000, 0x00150000)));  // no quantity 21

  double values[2] = {1, 2};
  auto convertD = Proc<decltype(&UnitConvertD)>("UnitConvertD");
  convertD(values, values, 2, 0x0006800E, 0x0006800B);
  EXPECT_EQ(values[1], 2000);
  convertD(values, values, 2, 0x0006800E, 0x0001800B);
  EXPECT_TRUE(std::isnan(values[0]) && std::isnan(values[1]));
  float floats[1] = {100};
  Proc<decltype(&UnitConvertF)>("UnitConvertF")(floats, floats, 1, 0x00110000, 0x00110001);
  EXPECT_FLOAT_EQ(floats[0], 212.0f);

  auto strToUnit = Proc<decltype(&StrToUnit)>("StrToUnit");
  TdStr* knot = Str("kn");
  TdStr* unknown = Str("furlong");
  EXPECT_EQ(strToUnit(knot), 0x00090002u);
  EXPECT_EQ(strToUnit(unknown), TD_UNIT_UNKNOWN);
  EXPECT_EQ(strToUnit(nullptr), TD_UNIT_UNKNOWN);
  Delete(knot);
  Delete(unknown);

  auto fromUnit = Proc<decltype(&StrCreateFromUnit)>("StrCreateFromUnit");
  TdStr* km = fromUnit(0x0006800E);
  ASSERT_NE(km, nullptr);
  EXPECT_STREQ(km->chars, "km");
  Delete(km);
  EXPECT_EQ(fromUnit(0x00068000), nullptr);
}

struct SCalls {
  int count = 0;
  float lastPosition = -1;
};

void TDLIB_API Cancel(void* userData, TdProgressInfo* info) {
  auto* calls = static_cast<SCalls*>(userData);
  ++calls->count;
  calls->lastPosition = info->position;
  info->cancel = 1;
}

TEST_F(ServicesHost, ProgressReachesTheHostsCallback) {
  TdProgress root, child;
  SCalls calls;
  Proc<decltype(&ProgressStageInit1)>("ProgressStageInit1")(&root, 0.5f, 1, Cancel, &calls, 0);
  Proc<decltype(&ProgressStageNext)>("ProgressStageNext")(&root, 0.5f, 2);
  Proc<decltype(&ProgressLoopInit)>("ProgressLoopInit")(&child, &root, 2, 1.0f, 3);
  Proc<decltype(&ProgressLoopNext)>("ProgressLoopNext")(&child);
  uint32_t error = 0;
  Proc<decltype(&ProgressCall)>("ProgressCall")(&child, 1.0f, 0, &error);
  EXPECT_EQ(error, 2u);
  EXPECT_EQ(calls.count, 1);
  EXPECT_FLOAT_EQ(calls.lastPosition, 1.0f);
}

TEST_F(ServicesHost, SoundThroughItsTable) {
  uint32_t error = 0;
  TdObject* sound = Proc<decltype(&SoundCreate1)>("SoundCreate1")("Z:\\no\\such.wav", &error);
  ASSERT_NE(sound, nullptr);
  EXPECT_NE(error, 0u);
  auto table = *reinterpret_cast<const TdSoundTable* const*>(sound);
  EXPECT_EQ(table->GetEnabled(sound), 1);
  table->SetEnabled(sound, 7);
  EXPECT_EQ(table->GetEnabled(sound), 1);
  table->SetEnabled(sound, 0);
  EXPECT_EQ(table->GetEnabled(sound), 0);
  table->Play(sound);
  table->Load(sound, "Z:\\no\\such.wav", &error);
  EXPECT_NE(error, 0u);
  Delete(sound);
  Delete(Proc<decltype(&SoundCreate)>("SoundCreate")());
}

TEST_F(ServicesHost, ZipAndThemes) {
  TdObject* zip = Proc<decltype(&ZipCreate)>("ZipCreate")(nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(zip, nullptr);
  Delete(zip);
  Proc<decltype(&ThemesInitialize)>("ThemesInitialize")();
  uint8_t available = Proc<decltype(&ThemesAvailable)>("ThemesAvailable")();
  uint8_t enabled = Proc<decltype(&ThemesEnabled)>("ThemesEnabled")();
  EXPECT_LE(available, 1);
  EXPECT_LE(enabled, available);
}

}  // namespace
