#include "lib/bitmap/NightScreen.h"

#include <cmath>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "lib/bitmap/PixelFormat.h"
#include "lib/foundation/display/Colors.h"
#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/foundation/exports/Guard.h"

namespace {

CNightScreen* g_NightScreen = nullptr;

// R, G and B of 0x..RRGGBB times f / 256 (f at most 256), two channels per
// multiplication; the top byte becomes 0.
uint32_t DimRGB(uint32_t colour, uint32_t f) {
  return (((colour & 0xFF00FF) * f >> 8) & 0xFF00FF) | (((colour & 0xFF00) * f >> 8) & 0xFF00);
}

#if defined(__SSE2__)
// Four pixels at a time in 16-bit lanes. Blue and red: c x (f << 8) >> 16
// = (c x f) >> 8 in the lane's low byte. Green and alpha, shifted to the low
// bytes: g x f and a x 256, whose high bytes are the dimmed green and the
// alpha kept. A factor of 256 changes nothing.
void DimRow(uint32_t* pixels, int64_t count, uint32_t f) {
  if (f >= 256) return;
  const __m128i factor = _mm_set1_epi16(static_cast<int16_t>(f << 8));
  const __m128i greenAlphaFactors = _mm_set1_epi32(static_cast<int32_t>(256u << 16 | f));
  const __m128i lowBytes = _mm_set1_epi32(0x00FF00FF),
                highBytes = _mm_set1_epi32(static_cast<int32_t>(0xFF00FF00u));
  auto dim = [&](__m128i v) {
    const __m128i redBlue = _mm_mulhi_epu16(_mm_and_si128(v, lowBytes), factor);
    const __m128i greenAlpha = _mm_mullo_epi16(_mm_srli_epi16(v, 8), greenAlphaFactors);
    return _mm_or_si128(redBlue, _mm_and_si128(greenAlpha, highBytes));
  };
  int64_t i = 0;
  for (; i + 8 <= count; i += 8) {
    __m128i* p = reinterpret_cast<__m128i*>(pixels + i);
    const __m128i first = _mm_loadu_si128(p), second = _mm_loadu_si128(p + 1);
    _mm_storeu_si128(p, dim(first));
    _mm_storeu_si128(p + 1, dim(second));
  }
  for (; i + 4 <= count; i += 4) {
    __m128i* p = reinterpret_cast<__m128i*>(pixels + i);
    _mm_storeu_si128(p, dim(_mm_loadu_si128(p)));
  }
  for (; i < count; ++i) pixels[i] = (pixels[i] & 0xFF000000) | DimRGB(pixels[i], f);
}
#else
void DimRow(uint32_t* pixels, int64_t count, uint32_t f) {
  for (int64_t i = 0; i < count; ++i) pixels[i] = (pixels[i] & 0xFF000000) | DimRGB(pixels[i], f);
}
#endif

template <class T>
void RemoveAt(CArray<T>& array, int32_t index) {
  for (int32_t i = index + 1; i < array.GetCount(); ++i) array[i - 1] = array[i];
  array.SetCount(array.GetCount() - 1);
}

// The last entry whose variable is `variable`, -1 when none.
template <class T, class V>
int32_t LastEntryOf(const CArray<T>& array, const V* variable) {
  for (int32_t i = array.GetCount() - 1; i >= 0; --i)
    if (array[i].variable == variable) return i;
  return -1;
}

void DestroyNightScreen() {
  CNightScreen* screen = g_NightScreen;
  g_NightScreen = nullptr;
  td::Free(screen);
}

}  // namespace

CNightScreen::CNightScreen()
    : m_Night(0),
      m_Theming(0),
      m_Brightness(0.5f),
      m_Factor(128),
      m_BrightnessMax(1.0f),
      m_BrightnessMin(0.5f),
      m_SavedSysColors() {}

CNightScreen::~CNightScreen() { SetNight(0); }

void CNightScreen::DimPixels(void* pixels, const SPixelBufferDesc* desc) {
  if (!m_Night || !pixels || !desc) return;
  if (desc->format != pfX8R8G8B8 && desc->format != pfA8R8G8B8) return;
  if (desc->width < 0 || desc->height < 0 || std::llabs(desc->stride) < int64_t{desc->width} * 4)
    return;
  for (int32_t y = 0; y < desc->height; ++y)
    DimRow(reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + int64_t{y} * desc->stride),
           desc->width, static_cast<uint32_t>(m_Factor));
}

uint32_t CNightScreen::DimARGB(uint32_t colour) {
  return m_Night ? (colour & 0xFF000000) | DimRGB(colour, static_cast<uint32_t>(m_Factor)) : colour;
}

void CNightScreen::DimBitmap(CBmp32* bitmap) {
  if (!m_Night || !bitmap || !bitmap->GetBits()) return;
  DimRow(bitmap->GetBits(), int64_t{bitmap->GetWidth()} * bitmap->GetHeight(),
         static_cast<uint32_t>(m_Factor));
}

COLORREF CNightScreen::DimCOLORREF(COLORREF colour) {
  return m_Night && !(colour & 0x80000000u) ? DimRGB(colour, static_cast<uint32_t>(m_Factor))
                                            : colour;
}

uint8_t CNightScreen::IsNight() { return m_Night; }
float CNightScreen::GetBrightness() { return m_Brightness; }
float CNightScreen::GetBrightnessMax() { return m_BrightnessMax; }
float CNightScreen::GetBrightnessMin() { return m_BrightnessMin; }

void CNightScreen::RegisterARGB(uint32_t* variable) {
  if (!variable) return;
  try {
    m_ARGB.Add({variable, *variable});
    *variable = DimARGB(*variable);
  } catch (...) {  // no memory: the variable stays unregistered
  }
}

void CNightScreen::RegisterCOLORREF(COLORREF* variable) {
  if (!variable) return;
  try {
    m_COLORREF.Add({variable, *variable});
    *variable = DimCOLORREF(*variable);
  } catch (...) {
  }
}

void CNightScreen::AddListener(NightScreenListener listener, void* context) {
  try {
    m_Listeners.Add(MakeCallback(listener, context));
  } catch (...) {
  }
}

void CNightScreen::SetNight(uint8_t night) {
  td::GuardVoid([&] {
    const uint8_t flag = night ? 1 : 0;
    if (flag == m_Night) return;
    m_Night = flag;
    ApplyChange(flag ? nscNight : nscDay);
  });
}

void CNightScreen::SetBrightness(float brightness) {
  td::GuardVoid([&] {
    if (std::isnan(brightness)) return;
    if (brightness < m_BrightnessMin) brightness = m_BrightnessMin;
    if (brightness > m_BrightnessMax) brightness = m_BrightnessMax;
    if (brightness == m_Brightness) return;
    m_Brightness = brightness;
    m_Factor = static_cast<int32_t>(std::floor(static_cast<double>(brightness) * 256 + 0.5));
    if (m_Night) ApplyChange(nscBrightness);
  });
}

void CNightScreen::SetBrightnessMax(float bound) {
  if (std::isnan(bound) || bound == m_BrightnessMax) return;
  m_BrightnessMax = bound;
  if (m_BrightnessMax < m_BrightnessMin) m_BrightnessMax = m_BrightnessMin;
  if (m_BrightnessMax > 1.0f) m_BrightnessMax = 1.0f;
  SetBrightness(m_Brightness);
}

void CNightScreen::SetBrightnessMin(float bound) {
  if (std::isnan(bound) || bound == m_BrightnessMin) return;
  m_BrightnessMin = bound;
  if (m_BrightnessMin > m_BrightnessMax) m_BrightnessMin = m_BrightnessMax;
  if (m_BrightnessMin < 0.0f) m_BrightnessMin = 0.0f;
  SetBrightness(m_Brightness);
}

void CNightScreen::UnregisterARGB(uint32_t* variable) {
  td::GuardVoid([&] {
    const int32_t i = LastEntryOf(m_ARGB, variable);
    if (i < 0) return;
    *variable = m_ARGB[i].day;
    RemoveAt(m_ARGB, i);
  });
}

void CNightScreen::UnregisterCOLORREF(COLORREF* variable) {
  td::GuardVoid([&] {
    const int32_t i = LastEntryOf(m_COLORREF, variable);
    if (i < 0) return;
    *variable = m_COLORREF[i].day;
    RemoveAt(m_COLORREF, i);
  });
}

void CNightScreen::RemoveListener(NightScreenListener listener, void* context) {
  td::GuardVoid([&] {
    const SCallback wanted = MakeCallback(listener, context);
    for (int32_t i = m_Listeners.GetCount() - 1; i >= 0; --i)
      if (m_Listeners[i] == wanted) return RemoveAt(m_Listeners, i);
  });
}

void CNightScreen::ApplyChange(ENightScreenChange change) {
  if (change == nscDay) {
    int indices[kNightScreenSysColors];
    for (int i = 0; i < kNightScreenSysColors; ++i) indices[i] = i;
    SetSystemColors(kNightScreenSysColors, indices, m_SavedSysColors);
    RestoreDayValues();
  } else {
    if (change == nscNight) {
      m_Theming = 0;
      for (int i = 0; i < kNightScreenSysColors; ++i) m_SavedSysColors[i] = SystemColor(i);
    }
    SetDimmedSystemColors();
    DimVariables();
  }
  NotifyListeners(change);
}

void CNightScreen::SetDimmedSystemColors() {
  int indices[kNightScreenSysColors];
  uint32_t colours[kNightScreenSysColors];
  for (int i = kNightScreenSysColors - 1; i >= 0; --i) {
    indices[i] = i;
    const uint32_t saved = m_SavedSysColors[i];
    colours[i] = saved & 0x80000000u ? saved : DimRGB(saved, static_cast<uint32_t>(m_Factor));
  }
  SetSystemColors(kNightScreenSysColors, indices, colours);
}

void CNightScreen::RestoreDayValues() {
  for (int32_t i = m_ARGB.GetCount() - 1; i >= 0; --i) *m_ARGB[i].variable = m_ARGB[i].day;
  for (int32_t i = m_COLORREF.GetCount() - 1; i >= 0; --i)
    *m_COLORREF[i].variable = m_COLORREF[i].day;
}

void CNightScreen::DimVariables() {
  for (int32_t i = m_ARGB.GetCount() - 1; i >= 0; --i) *m_ARGB[i].variable = DimARGB(m_ARGB[i].day);
  for (int32_t i = m_COLORREF.GetCount() - 1; i >= 0; --i)
    *m_COLORREF[i].variable = DimCOLORREF(m_COLORREF[i].day);
}

bool CNightScreen::IsListener(const SCallback& listener) const {
  for (int32_t i = 0; i < m_Listeners.GetCount(); ++i)
    if (m_Listeners[i] == listener) return true;
  return false;
}

void CNightScreen::NotifyListeners(ENightScreenChange change) {
  try {
    const std::vector<SCallback> round(m_Listeners.ElementAt(0),
                                       m_Listeners.ElementAt(m_Listeners.GetCount()));
    for (auto it = round.rbegin(); it != round.rend(); ++it)
      if (IsListener(*it))
        reinterpret_cast<NightScreenListener>(it->Function)(it->Context, *this, change);
  } catch (...) {  // no memory for the round, or a listener that throws
  }
}

CNightScreen* InitializeNightScreen() {
  if (g_NightScreen) return g_NightScreen;
  AddFinalizeProc(DestroyNightScreen);  // ignores a screen that was never made
  g_NightScreen = new (std::nothrow) CNightScreen();
  return g_NightScreen;
}

CNightScreen* NightScreen() { return g_NightScreen; }
