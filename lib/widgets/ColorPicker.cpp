#include "lib/widgets/ColorPicker.h"

#include <algorithm>
#include <cmath>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/Colors.h"
#include "lib/foundation/format/Convert.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/Panel.h"
#include "lib/widgets/StdKeyboardWindow.h"

namespace {

const SLangText kCaption = {{"Color picker", "Kleur kiezer"}};
const SLangText kRedTitle = {{"Red Value", "Rood waarde"}};
const SLangText kGreenTitle = {{"Green value", "Groen waarde"}};
const SLangText kBlueTitle = {{"Blue value", "Blauw waarde"}};

constexpr int32_t kHueColumns = 192;
constexpr int32_t kRows = 128;
// The value row lies under the title bar; the page starts below it.
constexpr int32_t kValueRowTop = 22;
constexpr int32_t kValueRowHeight = 26;
constexpr int32_t kPageGap = 32;

uint32_t Argb(int32_t r, int32_t g, int32_t b) {
  return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

int32_t Byte(uint32_t rgb, int shift) { return int32_t(rgb >> shift & 0xFF); }

int32_t RoundByte(double component) { return int32_t(RoundToInt64(255 * component)); }

// The six hues of a preset row, as COLORREF patterns of one component level.
const uint32_t kHuePatterns[6] = {0x000001, 0x000100, 0x010000, 0x010100, 0x010001, 0x000101};
const uint32_t kGreys[6] = {0xFFFFFF, 0xD4D4D4, 0xA9A9A9, 0x7F7F7F, 0x545454, 0x000000};
const uint32_t kPastels[6] = {0xBFBFFF, 0xBFFFBF, 0xFFBFBF, 0xFFFFBF, 0xFFBFFF, 0xBFFFFF};
const uint32_t kLevels[4] = {0xFF, 0xBF, 0x7F, 0x3F};

// Preset i in its order: greys, pastels, then the six hues at four levels.
uint32_t PresetColor(int32_t i) {
  if (i < 6) return kGreys[i];
  if (i < 12) return kPastels[i - 6];
  return kHuePatterns[i % 6] * kLevels[(i - 12) / 6];
}

double HueOf(double r, double g, double b, double max, double min) {
  if (max <= min) return 0;
  double d = max - min, h = 0;
  if (max == r && max != g) h = (g - b) / d;
  if (max == g && max != b) h = (b - r) / d + 2;
  if (max == b && max != r) h = (r - g) / d + 4;
  h *= 60;
  // Between magenta and red the formula gives negative hues.
  return h < 0 ? h + 360 : h;
}

double ChannelOfHue(double c, double s, double l) {
  c = std::min(c, 1.0);
  c = 2 * s * c + (1 - s);
  return l < 0.5 ? l * c : (1 - l) * c + 2 * l - 1;
}

CPanel* MakeBitmapPanel(CBmp32* bitmap) {
  auto* panel = new CPanel(nullptr);
  panel->SetBitmap(bitmap);
  panel->SetStretch(true, false);
  return panel;
}

}  // namespace

SHsl RgbToHsl(uint32_t rgb) {
  double r = Byte(rgb, 16) / 255.0, g = Byte(rgb, 8) / 255.0, b = Byte(rgb, 0) / 255.0;
  double max = std::max({r, g, b}), min = std::min({r, g, b});
  double l = (max + min) / 2;
  double s = 0;
  if (l > 0 && l < 1) s = (max - min) / (l < 0.5 ? 2 * l : 2 - 2 * l);
  return {HueOf(r, g, b, max, min), s, l};
}

SRgb HslToRgb(const SHsl& hsl) {
  double h = std::fmod(hsl.hue, 360.0);
  if (h < 0) h += 360;
  double r, g, b;
  if (h < 120) {
    r = (120 - h) / 60, g = h / 60, b = 0;
  } else if (h < 240) {
    r = 0, g = (240 - h) / 60, b = (h - 120) / 60;
  } else {
    r = (h - 240) / 60, g = 0, b = (360 - h) / 60;
  }
  double s = hsl.saturation, l = hsl.lightness;
  return {ChannelOfHue(r, s, l), ChannelOfHue(g, s, l), ChannelOfHue(b, s, l)};
}

uint32_t RgbToArgb(const SRgb& rgb) {
  return Argb(RoundByte(rgb.red), RoundByte(rgb.green), RoundByte(rgb.blue));
}

void FillHueBitmap(CBmp32& bitmap) {
  bitmap.SetSize(kHueColumns, kRows);
  for (int32_t j = 0; j < kRows; ++j) {
    uint32_t* row = bitmap.Row(j);
    int32_t l = j;
    for (int32_t i = 0; i < 32; ++i) {
      int32_t h = 8 * i;
      int32_t a = h * (127 - l) / 127 + l;
      int32_t f = (127 - l) * 255 / 127 + l;
      int32_t b = (255 - h) * (127 - l) / 127 + l;
      int32_t z = l;
      const uint32_t band[6] = {Argb(f, a, z), Argb(b, f, z), Argb(z, f, a),
                                Argb(z, b, f), Argb(a, z, f), Argb(f, z, b)};
      for (int32_t k = 0; k < 6; ++k) row[32 * k + i] = band[k];
    }
  }
}

void FillLightnessBitmap(CBmp32& bitmap, uint32_t rgb) {
  bitmap.SetSize(1, kRows);
  int32_t r = Byte(rgb, 16), g = Byte(rgb, 8), b = Byte(rgb, 0);
  for (int32_t j = 0; j < kRows / 2; ++j) {
    int32_t v = 2 * j;
    bitmap.Row(j)[0] = Argb(r * v / 127, g * v / 127, b * v / 127);
  }
  for (int32_t j = kRows / 2; j < kRows; ++j) {
    int32_t w = 4 * j - 255;
    bitmap.Row(j)[0] =
        Argb(r * (255 - w) / 255 + w, g * (255 - w) / 255 + w, b * (255 - w) / 255 + w);
  }
}

CColorPickerForm::CColorPickerForm(CWindow* owner, uint32_t* colour)
    : CForm(LangStr(kCaption), fbCloseAndOK, owner) {
  TopGap = kPageGap;
  Font = new CFontDesc("Arial", 8, kFontBold);
  SetPage(new CPage(this, PlacePage));
  HueBitmap = new CBmp32(0, 0, false);
  FillHueBitmap(*HueBitmap);
  LightnessBitmap = new CBmp32(0, 0, false);
  Swatch = new CPanel(this);
  SetColor(*colour);
  HueField = MakeBitmapPanel(HueBitmap);
  HueField->OnMouseDown = HueDown;
  HueField->OnMouseMove = HueMove;
  HueField->OnMouseUp = InvalidateSender;
  HueField->OnPaint = PaintHueMarker;
  LightnessBar = MakeBitmapPanel(LightnessBitmap);
  LightnessBar->OnMouseDown = LightnessDown;
  LightnessBar->OnMouseMove = LightnessMove;
  LightnessBar->OnMouseUp = InvalidateSender;
  LightnessBar->OnPaint = PaintLightnessMarker;
  MakeValueRow();
  MakePresets();
  UpdateColor();
  UpdateLightnessBar();
  if (ShowModal() == mrOK) *colour = ColorToARGB(Swatch->Color);
}

CColorPickerForm::~CColorPickerForm() {
  Page->RemoveAllControls();
  delete HueField;
  delete LightnessBar;
  delete HueBitmap;
  delete LightnessBitmap;
  delete Font;
  Presets.Clear();
}

void CColorPickerForm::MakeValueRow() {
  RedLabel = new CLabel(this, "R", Font);
  GreenLabel = new CLabel(this, "G", Font);
  BlueLabel = new CLabel(this, "B", Font);
  RedButton = new CButton(this, "255", Font);
  GreenButton = new CButton(this, "255", Font);
  BlueButton = new CButton(this, "255", Font);
  for (CButton* button : {RedButton, GreenButton, BlueButton}) button->OnClick = ValueClick;
}

void CColorPickerForm::MakePresets() {
  for (int32_t i = 0; i < 36; ++i) {
    auto* preset = new CPanel(nullptr);
    preset->Color = PresetColor(i);
    preset->OnClick = PresetClick;
    Presets.Add(preset);
  }
}

void CColorPickerForm::Layout(int32_t orientation) {
  CForm::Layout(orientation);
  // From the page's right edge: in landscape the form's buttons stand beside it.
  int32_t x0 = Page->GetWidth() - 42, y = kValueRowTop, h = kValueRowHeight;
  BlueButton->Place(this, x0, y, 40, h);
  BlueLabel->Place(this, x0 - 12, y, 10, h);
  GreenButton->Place(this, x0 - 56, y, 40, h);
  GreenLabel->Place(this, x0 - 68, y, 10, h);
  RedButton->Place(this, x0 - 112, y, 40, h);
  RedLabel->Place(this, x0 - 124, y, 10, h);
  Swatch->Place(this, 2, y, x0 - 130, h);
  Page->SetPageCount(2);
}

void CColorPickerForm::SetColor(uint32_t rgb) {
  SHsl hsl = RgbToHsl(rgb);
  Hue = hsl.hue;
  Saturation = hsl.saturation;
  Lightness = hsl.lightness;
}

void CColorPickerForm::UpdateColor() {
  SRgb rgb = HslToRgb({Hue, Saturation, Lightness});
  Red = rgb.red;
  Green = rgb.green;
  Blue = rgb.blue;
  int32_t r = RoundByte(Red), g = RoundByte(Green), b = RoundByte(Blue);
  Swatch->Color = RGB(r, g, b);
  Swatch->Invalidate();
  RedButton->SetCaption(IntToStr(r));
  GreenButton->SetCaption(IntToStr(g));
  BlueButton->SetCaption(IntToStr(b));
}

void CColorPickerForm::UpdateLightnessBar() {
  FillLightnessBitmap(*LightnessBitmap, RgbToArgb(HslToRgb({Hue, Saturation, 0.5})));
  LightnessBar->SetBitmap(LightnessBitmap);
}

void CColorPickerForm::ShowColor(uint32_t rgb) {
  SetColor(rgb);
  UpdateColor();
  UpdateLightnessBar();
  HueField->Invalidate();
}

void CColorPickerForm::EditComponent(CButton* button) {
  const SLangText& title = button == RedButton     ? kRedTitle
                           : button == GreenButton ? kGreenTitle
                                                   : kBlueTitle;
  int32_t r = RoundByte(Red), g = RoundByte(Green), b = RoundByte(Blue);
  int32_t& component = button == RedButton ? r : button == GreenButton ? g : b;
  component = InputInteger(component, LangStr(title), this) & 0xFF;
  ShowColor(Argb(r, g, b));
}

void CColorPickerForm::PlacePage(CControl* owner, CControl* page, int32_t number) {
  auto* form = static_cast<CColorPickerForm*>(owner);
  page->RemoveAllControls();
  int32_t w = page->GetWidth(), h = page->GetHeight();
  if (number == 1) {
    int32_t cellWidth = (w - 14) / 6, cellHeight = (h - 14) / 6;
    for (int32_t i = 0; i < form->Presets.GetCount(); ++i)
      form->Presets[i]->Place(page, (cellWidth + 2) * (i % 6) + 2, (cellHeight + 2) * (i / 6) + 2,
                              cellWidth, cellHeight);
  } else if (number == 2) {
    form->HueField->Place(page, 2, 2, w - 36, h - 4);
    form->LightnessBar->Place(page, w - 32, 2, 30, h - 4);
  }
}

void CColorPickerForm::PickHue(CControl* field, int32_t x, int32_t y, bool clamp) {
  Hue = x * 360.0 / field->GetWidth();
  Saturation = 1 - double(y) / field->GetHeight();
  if (clamp) {
    Hue = Clamp(Hue, 0, 360);
    Saturation = Clamp(Saturation, 0, 1);
  }
  UpdateColor();
  UpdateLightnessBar();
  field->Invalidate();
}

void CColorPickerForm::PickLightness(CControl* bar, int32_t y, bool clamp) {
  Lightness = double(y) / bar->GetHeight();
  if (clamp) Lightness = Clamp(Lightness, 0, 1);
  UpdateColor();
  bar->Invalidate();
}

void CColorPickerForm::HueDown(CControl* owner, CControl* sender, int32_t x, int32_t y) {
  static_cast<CColorPickerForm*>(owner)->PickHue(sender, x, y, false);
}

void CColorPickerForm::HueMove(CControl* owner, CControl* sender, int32_t x, int32_t y) {
  if (sender->IsPressed()) static_cast<CColorPickerForm*>(owner)->PickHue(sender, x, y, true);
}

void CColorPickerForm::LightnessDown(CControl* owner, CControl* sender, int32_t, int32_t y) {
  static_cast<CColorPickerForm*>(owner)->PickLightness(sender, y, false);
}

void CColorPickerForm::LightnessMove(CControl* owner, CControl* sender, int32_t, int32_t y) {
  if (sender->IsPressed()) static_cast<CColorPickerForm*>(owner)->PickLightness(sender, y, true);
}

void CColorPickerForm::InvalidateSender(CControl*, CControl* sender, int32_t, int32_t) {
  sender->Invalidate();
}

void CColorPickerForm::PaintHueMarker(CControl* owner, CControl* sender, CBmp* canvas) {
  if (sender->IsPressed()) return;
  auto* form = static_cast<CColorPickerForm*>(owner);
  auto x = int32_t(RoundToInt64(form->Hue / 360 * (sender->GetWidth() - 1)));
  auto y = int32_t(RoundToInt64((1 - form->Saturation) * (sender->GetHeight() - 1)));
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, 0x000000);
  HGDIOBJ old = SelectObject(dc, pen);
  DrawHLine(dc, x - 3, y, 7, 1);
  DrawVLine(dc, x, y - 3, 7, 1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void CColorPickerForm::PaintLightnessMarker(CControl* owner, CControl* sender, CBmp* canvas) {
  if (sender->IsPressed()) return;
  auto* form = static_cast<CColorPickerForm*>(owner);
  auto y = int32_t(RoundToInt64((sender->GetHeight() - 1) * form->Lightness));
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, 0xFFFFFF);
  HGDIOBJ old = SelectObject(dc, pen);
  int oldMode = SetROP2(dc, R2_XORPEN);
  DrawHLine(dc, 1, y, 28, 1);
  SetROP2(dc, oldMode);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void CColorPickerForm::PresetClick(CControl* owner, CControl* sender, int32_t, int32_t) {
  static_cast<CColorPickerForm*>(owner)->ShowColor(
      ColorToARGB(static_cast<CPanel*>(sender)->Color));
}

void CColorPickerForm::ValueClick(CControl* owner, CControl* sender, int32_t, int32_t) {
  static_cast<CColorPickerForm*>(owner)->EditComponent(static_cast<CButton*>(sender));
}
