// Exports of the night screen and the chart view's decorations.
#include "include/TdLib.h"
#include "lib/bitmap/MapDecorations.h"
#include "lib/bitmap/NightScreen.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

namespace {

CBmp32* FromHost(TdBmp32* bitmap) { return reinterpret_cast<CBmp32*>(bitmap); }

}  // namespace

TDEXPORT(TdNightScreen*) NightScreenInitialize() {
  return reinterpret_cast<TdNightScreen*>(td::Guard<CNightScreen*>(nullptr, InitializeNightScreen));
}

TDEXPORT(void)
DrawCompassNeedle(TdBmp32* bitmap, TdGeodeticCalibration* calibration, double x, double y) {
  if (!bitmap || !calibration) return;
  td::GuardVoid([&] { DrawNeedle(*FromHost(bitmap), *td::FromHost(calibration), {x, y}); });
}

TDEXPORT(void)
DrawGPSCursorSimple(TdBmp32* bitmap, TdGeodeticCalibration* calibration, double x, double y,
                    float heading, const double* shape, int32_t count, float size) {
  if (!bitmap || !calibration) return;
  td::GuardVoid([&] {
    DrawGPSCursor(*FromHost(bitmap), *td::FromHost(calibration), {x, y}, heading,
                  reinterpret_cast<const SPointD*>(shape), count, size);
  });
}

TDEXPORT(void)
DrawScale(TdBmp32* bitmap, int32_t x, int32_t y, double metresPerPixel, uint32_t unit, void* font) {
  if (!bitmap) return;
  td::GuardVoid([&] {
    DrawScaleBar(*FromHost(bitmap), x, y, metresPerPixel, unit, static_cast<HFONT>(font));
  });
}
