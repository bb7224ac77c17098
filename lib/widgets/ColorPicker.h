// The colour picker: a modal form with a swatch of the current colour and its
// red, green and blue values under the title bar, 36 preset swatches on page 1
// and a hue-saturation field with a lightness bar on page 2. Each value can be
// typed on the number keyboard. Toolkit thread only.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/List.h"
#include "lib/widgets/Form.h"

class CBmp32;
class CButton;
class CFontDesc;
class CLabel;
class CPanel;

// Hue in degrees [0, 360), saturation and lightness in [0, 1].
struct SHsl {
  double hue;
  double saturation;
  double lightness;
};

// Components in [0, 1].
struct SRgb {
  double red;
  double green;
  double blue;
};

// From the red, green and blue bytes of a 0x??RRGGBB colour.
SHsl RgbToHsl(uint32_t rgb);
// Any hue is first brought into [0, 360).
SRgb HslToRgb(const SHsl& hsl);
// 0xFFRRGGBB of the components, each rounded half up.
uint32_t RgbToArgb(const SRgb& rgb);
// A 192 x 128 bitmap: six bands of 32 hues, 8 degrees apart, from the pure
// hues in row 0 to grey 127 in row 127.
void FillHueBitmap(CBmp32& bitmap);
// A 1 x 128 bitmap from black through the colour (0x??RRGGBB) to white.
void FillLightnessBitmap(CBmp32& bitmap, uint32_t rgb);

class CColorPickerForm : public CForm {
 public:
  // Runs the whole dialogue before returning. colour (0xAARRGGBB) is read on
  // entry and, when the dialogue ends with OK, receives the chosen colour
  // with alpha 0xFF; any other end leaves it. The owner must outlive the form.
  CColorPickerForm(CWindow* owner, uint32_t* colour);
  ~CColorPickerForm() override;

  // The form's layout, then the value row under the title bar and two pages.
  void Layout(int32_t orientation) override;

  double Hue = 0;
  double Saturation = 0;
  double Lightness = 0;
  double Red = 0;
  double Green = 0;
  double Blue = 0;
  CPanel* Swatch;
  CList<CPanel> Presets{true};
  CPanel* HueField;
  CPanel* LightnessBar;
  CBmp32* HueBitmap;
  CBmp32* LightnessBitmap;
  CLabel* RedLabel;
  CLabel* GreenLabel;
  CLabel* BlueLabel;
  CButton* RedButton;
  CButton* GreenButton;
  CButton* BlueButton;
  CFontDesc* Font;

 private:
  void MakeValueRow();
  void MakePresets();
  void SetColor(uint32_t rgb);
  // Red, green and blue from the HSL values; the swatch and the buttons show them.
  void UpdateColor();
  void UpdateLightnessBar();
  // A new colour from outside the field: everything shown follows it.
  void ShowColor(uint32_t rgb);
  void EditComponent(CButton* button);
  // The colour at a point of the field or the bar; moves clamp it to the range.
  void PickHue(CControl* field, int32_t x, int32_t y, bool clamp);
  void PickLightness(CControl* bar, int32_t y, bool clamp);
  static void PlacePage(CControl* owner, CControl* page, int32_t number);
  static void HueDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void HueMove(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void LightnessDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void LightnessMove(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void InvalidateSender(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void PaintHueMarker(CControl* owner, CControl* sender, CBmp* canvas);
  static void PaintLightnessMarker(CControl* owner, CControl* sender, CBmp* canvas);
  static void PresetClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void ValueClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
};
