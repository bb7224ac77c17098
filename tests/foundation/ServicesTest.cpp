#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/foundation/app/Registry.h"
#include "lib/foundation/display/Sound.h"
#include "lib/foundation/app/SystemInfo.h"
#include "lib/foundation/display/Themes.h"
#include "lib/foundation/streams/Zip.h"

namespace {

bool SystemQuery(HMODULE library, const char* name) {
  using Query = BOOL(WINAPI*)();
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return query != nullptr && query() != 0;
}

// Wine ships a "uxtheme.dll"; whether a theme is active is its own state.
TEST(ThemesTest, EnabledFollowsTheThemeStateTheSystemReports) {
  td::ThemesInitialize();
  td::ThemesInitialize();  // a second call changes nothing
  HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
  ASSERT_NE(uxtheme, nullptr);
  EXPECT_TRUE(td::ThemesAvailable());
  const bool themed = SystemQuery(uxtheme, "IsAppThemed") && SystemQuery(uxtheme, "IsThemeActive");
  EXPECT_EQ(td::ThemesEnabled(), themed);
}

// The tests run as an administrator of the prefix.
TEST(SystemInfoTest, IsAdminLeavesNoTestKey) {
  CSystemInfo info;
  EXPECT_TRUE(info.IsAdmin());
  EXPECT_FALSE(GlobalRegistry().KeyExists(HKEY_LOCAL_MACHINE, CStr("Software\\Tidemar\\AdminTest")));
}

TEST(FontDescTest, HeightFollowsSizeAndDPI) {
  CFontDesc font(CStr("Arial"), 12, kFontBold | kFontItalic);
  font.SetDPI(96);
  EXPECT_EQ(font.GetPixelHeight(), 16);
  LOGFONTA desc;
  ASSERT_EQ(GetObjectA(font.GetHandle(), sizeof(desc), &desc), static_cast<int>(sizeof(desc)));
  EXPECT_EQ(desc.lfHeight, -16);
  EXPECT_EQ(desc.lfWeight, FW_BOLD);
  EXPECT_EQ(desc.lfItalic, 1);
  EXPECT_EQ(desc.lfUnderline, 0);
  EXPECT_STREQ(desc.lfFaceName, "Arial");
  font.SetSize(24);
  EXPECT_EQ(font.GetPixelHeight(), 32);
  font.SetStyle(kFontUnderline | kFontStrikeOut);
  ASSERT_EQ(GetObjectA(font.GetHandle(), sizeof(desc), &desc), static_cast<int>(sizeof(desc)));
  EXPECT_EQ(desc.lfHeight, -32);
  EXPECT_EQ(desc.lfWeight, FW_NORMAL);
  EXPECT_EQ(desc.lfStrikeOut, 1);
  EXPECT_EQ(font.GetMemSize(true), 5 + 36);
}

TEST(FontDescTest, LongFaceNamesAreCutToTheField) {
  CFontDesc font(CStr("A face name that is much longer than thirty-one characters"), 10, 0);
  LOGFONTA desc;
  ASSERT_NE(GetObjectA(font.GetHandle(), sizeof(desc), &desc), 0);
  EXPECT_EQ(std::strlen(desc.lfFaceName), 31u);
}

TEST(FontDescTest, SetTakesFaceStyleAndSize) {
  CFontDesc a(CStr("Arial"), 10, 0);
  a.SetDPI(72);
  a.Set(CStr("Tahoma"), 20, kFontBold);
  EXPECT_EQ(a.GetFaceName(), CStr("Tahoma"));
  EXPECT_EQ(a.GetSize(), 20);
  EXPECT_EQ(a.GetStyle(), kFontBold);
  EXPECT_EQ(a.GetPixelHeight(), 20);
}

// A valid wave file of a few silent samples.
const uint8_t kWave[] = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                         16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0,
                         'd', 'a', 't', 'a', 4, 0, 0, 0, 128, 128, 128, 128};

CStr WriteWave(size_t size = sizeof(kWave)) {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  CStr name = CStr(path) + "tdlib_sound_test.wav";
  FILE* f = std::fopen(name.c_str(), "wb");
  std::fwrite(kWave, 1, size, f);
  std::fclose(f);
  return name;
}

TEST(SoundTest, LoadPlayAndReplace) {
  CStr name = WriteWave();
  uint32_t err = 99;
  CSound sound(name.c_str(), &err);
  EXPECT_EQ(err, 0u);
  EXPECT_TRUE(sound.GetEnabled());
  sound.Play();
  sound.Load(name.c_str(), &err);  // replaces the buffer being played
  EXPECT_EQ(err, 0u);
  sound.SetEnabled(0);
  EXPECT_FALSE(sound.GetEnabled());
  sound.Play();
  DeleteFileA(name.c_str());
}

TEST(SoundTest, MissingFileSetsTheCodeAndPlaysNothing) {
  uint32_t err = 0;
  CSound sound("Z:\\no\\such\\file.wav", &err);
  EXPECT_NE(err, 0u);
  sound.Play();
}

// The system would read the sound by the chunk sizes inside it: a file cut
// short anywhere, or an empty one, is refused rather than played.
TEST(SoundTest, TruncatedOrEmptyWavesAreRefused) {
  for (size_t size : {size_t{0}, size_t{11}, size_t{30}, size_t{44}, sizeof(kWave) - 1}) {
    CStr name = WriteWave(size);
    uint32_t err = 0;
    CSound sound(name.c_str(), &err);
    EXPECT_EQ(err, kErrFileFormat) << size;
    sound.Play();
    DeleteFileA(name.c_str());
  }
}

void TD_STDCALL CopyWithMarker(void* userData, CStream* destination, CStream* source, uint32_t* err) {
  uint8_t byte;
  *static_cast<int*>(userData) += 1;
  while (source->Read(&byte, 1) == 1) destination->Write(&byte, 1);
  *err = 0;
}

TEST(ZipTest, CallbacksGetTheirDataAndStreams) {
  int compressCalls = 0, uncompressCalls = 0;
  CZip zip(CopyWithMarker, &compressCalls, CopyWithMarker, &uncompressCalls);
  CMemoryStream packed;
  uint32_t err = 99;
  zip.CompressBuffer(&packed, "abc", 3, &err);
  EXPECT_EQ(err, 0u);
  EXPECT_EQ(compressCalls, 1);
  EXPECT_EQ(packed.GetSize(), 3);
  packed.Seek(0, 0);
  CMemoryStream unpacked;
  zip.Uncompress(&unpacked, &packed, &err);
  EXPECT_EQ(uncompressCalls, 1);
  EXPECT_EQ(unpacked.GetSize(), 3);
}

TEST(ZipTest, MissingCallbacksReportErrors) {
  CZip zip(nullptr, nullptr, nullptr, nullptr);
  CMemoryStream a, b;
  uint32_t err = 0;
  zip.Compress(&a, &b, &err);
  EXPECT_EQ(err, kErrCompress);
  zip.Uncompress(&a, &b, &err);
  EXPECT_EQ(err, kErrUncompress);
}

}  // namespace
