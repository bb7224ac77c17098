// CNightScreen: the library's one switch between day and night display. At
// night every registered colour variable, the system colours and whatever
// pixels pass through it are dimmed by one brightness factor
// (floor(brightness x 256 + 0.5), brightness within [lower, upper] bounds,
// by default 0.5 in [0.5, 1.0]); by day the saved values return.
//
// Main thread only: it changes the system colours and calls the listeners
// synchronously; nothing is locked. A registered variable must stay valid
// until it is unregistered or the night screen is destroyed (destruction
// switches to day and so writes every day value back). Listeners are called
// from the last registered to the first; a listener may add or remove
// listeners, itself included, while it is called: the round calls those
// registered when it began that are still registered. Hosts reach the slots
// in this order; none lets an exception out.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Callback.h"

// What a listener is told.
enum ENightScreenChange : int32_t {
  nscBrightness = 0,  // the brightness changed at night: everything re-dimmed
  nscDay = 1,         // switched to day
  nscNight = 2,       // switched to night
};

class CNightScreen;
// Called with the context given to AddListener (standard Windows calling
// convention).
using NightScreenListener = void(TD_STDCALL*)(void* context, CNightScreen& screen,
                                              ENightScreenChange change);

struct SNightScreenARGB {
  uint32_t* variable;  // a 0xAARRGGBB colour
  uint32_t day;
};

struct SNightScreenCOLORREF {
  COLORREF* variable;
  COLORREF day;
};

constexpr int kNightScreenSysColors = 31;  // system colour indices 0..30

class CNightScreen final : public CObject {
 public:
  CNightScreen();
  // Switches to day first, so that colours and variables are restored.
  ~CNightScreen();
  TD_DELETE_THIS(CNightScreen)

  // At night, dims the 32-bit pixels (formats 8 and 9) of the described
  // buffer in place, alpha kept. Nothing for another format, a null
  // argument, a negative size or a stride shorter than a row.
  virtual void TD_STDCALL DimPixels(void* pixels, const SPixelBufferDesc* desc);
  // At night R, G and B become (c x factor) >> 8, alpha kept.
  virtual uint32_t TD_STDCALL DimARGB(uint32_t colour);
  // At night, DimARGB on every pixel of the bitmap; null is ignored.
  virtual void TD_STDCALL DimBitmap(CBmp32* bitmap);
  // At night R, G and B dimmed and the top byte 0; a value with the top bit
  // set (a system colour reference) comes back unchanged.
  virtual COLORREF TD_STDCALL DimCOLORREF(COLORREF colour);
  virtual uint8_t TD_STDCALL IsNight();
  virtual float TD_STDCALL GetBrightness();
  virtual float TD_STDCALL GetBrightnessMax();
  virtual float TD_STDCALL GetBrightnessMin();
  // Keeps the variable's current value as its day value; at night dims the
  // variable at once. The same variable twice makes two entries. Null is
  // ignored.
  virtual void TD_STDCALL RegisterARGB(uint32_t* variable);
  virtual void TD_STDCALL RegisterCOLORREF(COLORREF* variable);
  virtual void TD_STDCALL AddListener(NightScreenListener listener, void* context);
  // A change of the flag switches (to night: the system colours are saved
  // and everything is dimmed) and tells the listeners.
  virtual void TD_STDCALL SetNight(uint8_t night);
  // Clamped to the bounds; a new value sets the factor and, at night,
  // re-dims everything. NaN is ignored.
  virtual void TD_STDCALL SetBrightness(float brightness);
  // The upper bound, kept within [lower bound, 1.0]; then the brightness is
  // clamped again. NaN is ignored.
  virtual void TD_STDCALL SetBrightnessMax(float bound);
  // The lower bound, kept within [0.0, upper bound]; then the brightness is
  // clamped again. NaN is ignored.
  virtual void TD_STDCALL SetBrightnessMin(float bound);
  // The last entry of the variable: its day value is written back and the
  // entry removed. Unknown variables are ignored.
  virtual void TD_STDCALL UnregisterARGB(uint32_t* variable);
  virtual void TD_STDCALL UnregisterCOLORREF(COLORREF* variable);
  // Removes the last entry equal in function and context.
  virtual void TD_STDCALL RemoveListener(NightScreenListener listener, void* context);

  int32_t Factor() const { return m_Factor; }

 private:
  void ApplyChange(ENightScreenChange change);
  void SetDimmedSystemColors();
  void RestoreDayValues();
  void DimVariables();
  void NotifyListeners(ENightScreenChange change);
  bool IsListener(const SCallback& listener) const;

  CArray<SNightScreenARGB> m_ARGB;
  CArray<SNightScreenCOLORREF> m_COLORREF;
  uint8_t m_Night;
  // Whether visual styles were switched off at night. Nothing switches
  // them, so it stays 0.
  uint8_t m_Theming;
  float m_Brightness;
  int32_t m_Factor;
  float m_BrightnessMax;
  float m_BrightnessMin;
  CArray<SCallback> m_Listeners;
  uint32_t m_SavedSysColors[kNightScreenSysColors];  // COLORREFs
};

#if TD_HOST_ABI
static_assert(sizeof(CNightScreen) == 196,
              "table, two registries, flags, four numbers, listeners, 31 colours");
#endif

// The singleton: made on the first call, which also registers its
// destruction with the library's clean-ups; later calls return it. Null
// when it cannot be made; throws std::bad_alloc when the clean-up cannot be
// registered. Main thread only.
CNightScreen* InitializeNightScreen();
// The singleton, null before InitializeNightScreen.
CNightScreen* NightScreen();
