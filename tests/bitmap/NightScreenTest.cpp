// CNightScreen: the dimming rules by hand, the brightness bounds, the
// registries, the listener rounds and the system colours (the system itself,
// through SystemColor, is the oracle).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "lib/bitmap/NightScreen.h"
#include "lib/foundation/display/Colors.h"
#include "tests/bitmap/BitmapTestHelpers.h"

namespace {

struct SNightScreenDeleter {
  void operator()(CNightScreen* screen) const { td::Free(screen); }
};
using NightScreenPtr = std::unique_ptr<CNightScreen, SNightScreenDeleter>;

NightScreenPtr MakeScreen() { return NightScreenPtr(new CNightScreen()); }

TEST(NightScreen, DimsColoursOnlyAtNight) {
  auto screen = MakeScreen();
  EXPECT_EQ(screen->DimARGB(0x80FF8040), 0x80FF8040u);
  EXPECT_EQ(screen->DimCOLORREF(0x00FF0000), 0x00FF0000u);
  screen->SetNight(1);
  EXPECT_EQ(screen->DimARGB(0x80FF8040), 0x807F4020u);
  EXPECT_EQ(screen->DimCOLORREF(0x00FF0000), 0x007F0000u);
  EXPECT_EQ(screen->DimCOLORREF(0x12FF0000), 0x007F0000u);
  EXPECT_EQ(screen->DimCOLORREF(0x80000005), 0x80000005u);
  screen->SetBrightness(0.75f);
  EXPECT_EQ(screen->Factor(), 192);
  EXPECT_EQ(screen->DimARGB(0x80FF8040), 0x80BF6030u);
  screen->SetBrightness(1.0f);
  EXPECT_EQ(screen->DimARGB(0xFFFFFFFF), 0xFFFFFFFFu);
  screen->SetNight(0);
}

TEST(NightScreen, BrightnessStaysWithinItsBounds) {
  auto screen = MakeScreen();
  EXPECT_EQ(screen->GetBrightness(), 0.5f);
  screen->SetBrightness(0.2f);
  EXPECT_EQ(screen->GetBrightness(), 0.5f);
  screen->SetBrightness(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(screen->GetBrightness(), 0.5f);
  screen->SetBrightness(0.95f);
  screen->SetBrightnessMax(0.8f);
  EXPECT_EQ(screen->GetBrightnessMax(), 0.8f);
  EXPECT_EQ(screen->GetBrightness(), 0.8f);
  screen->SetBrightnessMin(0.9f);
  EXPECT_EQ(screen->GetBrightnessMin(), 0.8f);
  screen->SetBrightnessMax(2.0f);
  EXPECT_EQ(screen->GetBrightnessMax(), 1.0f);
  screen->SetBrightnessMin(-1.0f);
  EXPECT_EQ(screen->GetBrightnessMin(), 0.0f);
  screen->SetBrightnessMax(std::numeric_limits<float>::quiet_NaN());
  screen->SetBrightnessMin(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(screen->GetBrightnessMax(), 1.0f);
  EXPECT_EQ(screen->GetBrightnessMin(), 0.0f);
  screen->SetBrightness(0.1f);
  EXPECT_EQ(screen->Factor(), 26);  // floor(25.6 + 0.5)
}

TEST(NightScreen, VariablesFollowDayAndNight) {
  auto screen = MakeScreen();
  uint32_t argb = 0x80FF8040, twice = 0xFF204060;
  COLORREF ref = 0x0000FF80, system = 0x80000005;
  screen->RegisterARGB(&argb);
  screen->RegisterCOLORREF(&ref);
  screen->RegisterCOLORREF(&system);
  screen->RegisterARGB(nullptr);
  screen->SetNight(1);
  EXPECT_EQ(argb, 0x807F4020u);
  EXPECT_EQ(ref, 0x00007F40u);
  EXPECT_EQ(system, 0x80000005u);
  screen->SetBrightness(0.75f);  // re-dimmed from the day values
  EXPECT_EQ(argb, 0x80BF6030u);
  screen->RegisterARGB(&twice);  // dimmed at once
  EXPECT_EQ(twice, 0xFF183048u);
  screen->UnregisterARGB(&twice);
  EXPECT_EQ(twice, 0xFF204060u);
  screen->UnregisterARGB(&twice);  // unknown by now: ignored
  screen->SetNight(0);
  EXPECT_EQ(argb, 0x80FF8040u);
  EXPECT_EQ(ref, 0x0000FF80u);
}

TEST(NightScreen, TwiceRegisteredRestoresTheFirstDayValue) {
  auto screen = MakeScreen();
  uint32_t colour = 0xFF808080;
  screen->SetNight(1);
  screen->RegisterARGB(&colour);  // day value 0xFF808080, now 0xFF404040
  screen->RegisterARGB(&colour);  // day value 0xFF404040
  screen->SetNight(0);            // last entry first: the first entry's value stays
  EXPECT_EQ(colour, 0xFF808080u);
}

TEST(NightScreen, DestructionReturnsToDay) {
  uint32_t colour = 0xFF808080;
  {
    auto screen = MakeScreen();
    screen->RegisterARGB(&colour);
    screen->SetNight(1);
    EXPECT_EQ(colour, 0xFF404040u);
  }
  EXPECT_EQ(colour, 0xFF808080u);
}

struct SCall {
  int listener;
  ENightScreenChange change;
  bool operator==(const SCall&) const = default;
};

struct SRecorder {
  std::vector<SCall> calls;
};

template <int kId>
void TD_STDCALL Record(void* context, CNightScreen&, ENightScreenChange change) {
  static_cast<SRecorder*>(context)->calls.push_back({kId, change});
}

TEST(NightScreen, ListenersHearEachChangeOnceLastFirst) {
  auto screen = MakeScreen();
  SRecorder log;
  screen->AddListener(Record<1>, &log);
  screen->AddListener(Record<2>, &log);
  screen->AddListener(Record<3>, &log);
  screen->RemoveListener(Record<2>, &log);
  screen->RemoveListener(Record<2>, &log);  // unknown by now: ignored
  screen->SetNight(1);
  screen->SetNight(1);
  screen->SetBrightness(0.75f);
  screen->SetBrightness(0.75f);
  screen->SetNight(0);
  screen->SetBrightness(0.5f);  // by day: stored only
  const std::vector<SCall> expected = {{3, nscNight},      {1, nscNight}, {3, nscBrightness},
                                       {1, nscBrightness}, {3, nscDay},   {1, nscDay}};
  EXPECT_EQ(log.calls, expected);
}

// Removes itself and the listener registered before it, then adds another.
void TD_STDCALL Rearrange(void* context, CNightScreen& screen, ENightScreenChange change) {
  SRecorder* log = static_cast<SRecorder*>(context);
  log->calls.push_back({9, change});
  screen.RemoveListener(Rearrange, context);
  screen.RemoveListener(Record<2>, context);
  screen.AddListener(Record<4>, context);
}

TEST(NightScreen, ListenersMayChangeTheListDuringARound) {
  auto screen = MakeScreen();
  SRecorder log;
  screen->AddListener(Record<1>, &log);
  screen->AddListener(Record<2>, &log);
  screen->AddListener(Rearrange, &log);
  screen->SetNight(1);
  screen->SetNight(0);
  const std::vector<SCall> expected = {{9, nscNight}, {1, nscNight}, {4, nscDay}, {1, nscDay}};
  EXPECT_EQ(log.calls, expected);
}

TEST(NightScreen, DimsBuffersAndBitmaps) {
  auto screen = MakeScreen();
  uint32_t pixels[2][3] = {{0xFFFFFFFF, 0x80804020, 0x11223344},
                           {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}};
  const SPixelBufferDesc desc{9, 12, 2, 2, 12, -12};
  screen->DimPixels(pixels, &desc);  // by day: nothing
  EXPECT_EQ(pixels[0][0], 0xFFFFFFFFu);
  screen->SetNight(1);
  screen->DimPixels(pixels, &desc);
  EXPECT_EQ(pixels[0][0], 0xFF7F7F7Fu);
  EXPECT_EQ(pixels[0][1], 0x80402010u);
  EXPECT_EQ(pixels[0][2], 0x11223344u);  // beyond the width
  EXPECT_EQ(pixels[1][1], 0xFF7F7F7Fu);
  // Rows upwards from the second one.
  const SPixelBufferDesc upwards{8, -12, 1, 2, -12, 12};
  screen->DimPixels(pixels[1], &upwards);
  EXPECT_EQ(pixels[1][0], 0xFF3F3F3Fu);
  EXPECT_EQ(pixels[0][0], 0xFF3F3F3Fu);
  // Refused: a 16-bit format, a stride shorter than a row, a negative size.
  const SPixelBufferDesc refused[] = {{5, 12, 2, 2, 12, -12},
                                      {9, 4, 2, 2, 4, -4},
                                      {9, 12, -1, 2, 12, -12},
                                      {9, 12, 2, -2, 12, -12}};
  for (const SPixelBufferDesc& d : refused) screen->DimPixels(pixels, &d);
  screen->DimPixels(nullptr, &desc);
  screen->DimPixels(pixels, nullptr);
  EXPECT_EQ(pixels[1][1], 0xFF7F7F7Fu);
  // 15 pixels: eight at a time, four, then one by one.
  auto bmp = MakeFilled(5, 3, 0x80FF8040);
  bmp->Row(2)[4] = 0xFF806040;
  screen->DimBitmap(bmp.get());
  screen->DimBitmap(nullptr);
  for (int64_t i = 0; i < 14; ++i) EXPECT_EQ(bmp->Pixels()[i], 0x807F4020u) << i;
  EXPECT_EQ(bmp->Row(2)[4], 0xFF403020u);
}

TEST(NightScreen, SystemColoursAreDimmedAndRestored) {
  uint32_t before[kNightScreenSysColors];
  for (int i = 0; i < kNightScreenSysColors; ++i) before[i] = SystemColor(i);
  auto screen = MakeScreen();
  screen->SetBrightness(0.75f);
  screen->SetNight(1);
  for (int i = 0; i < kNightScreenSysColors; ++i)
    EXPECT_EQ(SystemColor(i), screen->DimCOLORREF(before[i])) << i;
  screen->SetNight(0);
  for (int i = 0; i < kNightScreenSysColors; ++i) EXPECT_EQ(SystemColor(i), before[i]) << i;
}

TEST(NightScreen, InitializeKeepsOneScreen) {
  CNightScreen* first = InitializeNightScreen();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(InitializeNightScreen(), first);
  EXPECT_EQ(NightScreen(), first);
}

}  // namespace
