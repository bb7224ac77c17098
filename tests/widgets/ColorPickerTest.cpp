// The colour picker: the colour model and bitmaps by table, and whole
// dialogues played by a timer script.
#include <cstdio>
#include <memory>
#include <string>

#include "lib/foundation/time/DateTime.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/ColorPicker.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/Panel.h"
#include "lib/widgets/StdKeyboardWindow.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

// The shown toolkit window with this title, or null.
template <typename T>
T* ShownWindow(const char* title) {
  HWND handle = FindWindowA("CWindows", title);
  if (!handle || !IsWindowVisible(handle)) return nullptr;
  return dynamic_cast<T*>(reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA)));
}

CColorPickerForm* Picker() { return ShownWindow<CColorPickerForm>("Color picker"); }

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", v);
  return text;
}

TEST(ColorModelTest, RgbToHslAndBack) {
  struct {
    uint32_t rgb;
    double hue, saturation, lightness;
  } cases[] = {
      {0xFF0000, 0, 1, 0.5},           // pure red
      {0x808080, 0, 0, 128 / 255.0},   // grey
      {0xFF00FF, 300, 1, 0.5},         // magenta: no negative hue
      {0x000080, 240, 1, 64 / 255.0},  // dark blue
      {0xFFFF00, 60, 1, 0.5},          // max shared by red and green
      {0x00FFFF, 180, 1, 0.5},         // max shared by green and blue
      {0xFFFFFF, 0, 0, 1},             // white: no saturation
      {0x000000, 0, 0, 0},
      {0xFF8080, 0, 1, (255 + 128) / 510.0},  // light red: 2 - 2 l
      {0x3F003F, 300, 1, 63 / 510.0},
  };
  for (const auto& c : cases) {
    SHsl hsl = RgbToHsl(c.rgb);
    EXPECT_NEAR(hsl.hue, c.hue, 1e-9) << Hex(c.rgb);
    EXPECT_NEAR(hsl.saturation, c.saturation, 1e-9) << Hex(c.rgb);
    EXPECT_NEAR(hsl.lightness, c.lightness, 1e-9) << Hex(c.rgb);
    EXPECT_EQ(Hex(RgbToArgb(HslToRgb(hsl))), Hex(0xFF000000 | c.rgb));
  }
}

TEST(ColorModelTest, HuesOutsideTheCircleAreBroughtIn) {
  for (double hue : {-60.0, 300.0, 660.0}) {
    SRgb rgb = HslToRgb({hue, 1, 0.5});
    EXPECT_NEAR(rgb.red, 1, 1e-12) << hue;
    EXPECT_NEAR(rgb.green, 0, 1e-12) << hue;
    EXPECT_NEAR(rgb.blue, 1, 1e-12) << hue;
  }
  EXPECT_EQ(Hex(RgbToArgb(HslToRgb({360, 1, 0.5}))), "FFFF0000");
}

TEST(ColorModelTest, HueBitmapFromPureHuesToGrey) {
  CBmp32 bmp(0, 0, false);
  FillHueBitmap(bmp);
  ASSERT_EQ(bmp.Width(), 192);
  ASSERT_EQ(bmp.Height(), 128);
  struct {
    int32_t x, y;
    uint32_t argb;
  } cases[] = {
      {0, 0, 0xFFFF0000},      // red
      {31, 0, 0xFFFFF800},     // hue 248 of the first band: green rises to 248
      {32, 0, 0xFFFFFF00},     // yellow starts the second band
      {64, 0, 0xFF00FF00},     // green
      {96, 0, 0xFF00FFFF},     // cyan
      {128, 0, 0xFF0000FF},    // blue
      {160, 0, 0xFFFF00FF},    // magenta
      {191, 0, 0xFFFF0007},    // falling blue: 255 - 248
      {0, 64, 0xFFBE4040},     // 63 x 255 / 127 + 64 = 190; 64
      {100, 127, 0xFF7F7F7F},  // the bottom row is grey 127
      {0, 127, 0xFF7F7F7F},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(bmp.Row(c.y)[c.x]), Hex(c.argb)) << c.x << "," << c.y;
}

TEST(ColorModelTest, LightnessBitmapRunsFromBlackThroughTheColourToWhite) {
  CBmp32 bmp(0, 0, false);
  FillLightnessBitmap(bmp, 0xFF0000);
  ASSERT_EQ(bmp.Width(), 1);
  ASSERT_EQ(bmp.Height(), 128);
  struct {
    int32_t row;
    uint32_t argb;
  } cases[] = {
      {0, 0xFF000000},   {1, 0xFF040000},  // 255 x 2 / 127
      {63, 0xFFFC0000},                    // 255 x 126 / 127 = 252
      {64, 0xFFFF0101},                    // w = 1
      {127, 0xFFFFFDFD},                   // w = 253
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(bmp.Row(c.row)[0]), Hex(c.argb)) << c.row;
}

class ColorPickerTest : public WidgetTest {
 protected:
  explicit ColorPickerTest(int32_t width = 240, int32_t height = 320) : WidgetTest(width, height) {}

  // Runs a dialogue on the colour with the script's steps after the form
  // shows, and returns the colour afterwards.
  static uint32_t RunPicker(uint32_t colour, std::vector<std::function<void()>> steps) {
    CMessageScript script(std::move(steps));
    CColorPickerForm form(nullptr, &colour);
    return colour;
  }

  // Posts a tap for the running modal loop to deliver: pumping here could run
  // the script's next step between the press and the release.
  static void Press(CButton* button) {
    Mouse(*button, WM_LBUTTONDOWN, 5, 5, false);
    Mouse(*button, WM_LBUTTONUP, 5, 5, false);
  }
};

TEST_F(ColorPickerTest, OkWritesOpaqueColourCancelAndCloseLeaveIt) {
  EXPECT_EQ(Hex(RunPicker(0x00123456, {[] { Press(Picker()->OkButton); }})), "FF123456");
  EXPECT_EQ(Hex(RunPicker(0x00123456, {[] { Press(Picker()->CloseButton); }})), "00123456");
  EXPECT_EQ(Hex(RunPicker(0x80654321, {[] { PostMessageA(Picker()->Handle, WM_CLOSE, 0, 0); }})),
            "80654321");
  ResetInputState();
}

TEST_F(ColorPickerTest, ValueRowShowsTheBytesAboveTheFirstPresetRow) {
  std::string captions;
  int32_t rowBottom = 0, firstPresetTop = 0, pageTop = 0;
  RunPicker(0xFFFF0000, {[&] {
              CColorPickerForm* form = Picker();
              captions = form->RedButton->Caption.c_str() + std::string(" ") +
                         form->GreenButton->Caption.c_str() + " " +
                         form->BlueButton->Caption.c_str();
              rowBottom = form->RedButton->GetWindowBounds().bottom;
              firstPresetTop = form->Presets[0]->GetWindowBounds().top;
              pageTop = form->GetPage()->GetWindowBounds().top;
              EXPECT_EQ(form->Swatch->Color, 0x0000FFu);
              EXPECT_EQ(form->Hue, 0);
              EXPECT_EQ(form->Saturation, 1);
              EXPECT_EQ(form->Lightness, 0.5);
              Press(form->CloseButton);
            }});
  EXPECT_EQ(captions, "255 0 0");
  EXPECT_EQ(rowBottom, 48);
  EXPECT_EQ(pageTop, 50);
  EXPECT_EQ(firstPresetTop, 52);
}

TEST_F(ColorPickerTest, PresetClickTakesItsColour) {
  std::string captions;
  uint32_t colour = RunPicker(0xFF000000, {[&] {
                                CColorPickerForm* form = Picker();
                                ASSERT_EQ(form->Presets[14]->Color, 0xFF0000u);  // COLORREF blue
                                Tap(*form->Presets[14], 3, 3);
                                captions = form->RedButton->Caption.c_str() + std::string(" ") +
                                           form->GreenButton->Caption.c_str() + " " +
                                           form->BlueButton->Caption.c_str();
                                EXPECT_EQ(form->Hue, 240);
                                Press(form->OkButton);
                              }});
  EXPECT_EQ(captions, "0 0 255");
  EXPECT_EQ(Hex(colour), "FF0000FF");
}

TEST_F(ColorPickerTest, PresetsInTheirOrder) {
  const uint32_t expected[36] = {
      0xFFFFFF, 0xD4D4D4, 0xA9A9A9, 0x7F7F7F, 0x545454, 0x000000, 0xBFBFFF, 0xBFFFBF, 0xFFBFBF,
      0xFFFFBF, 0xFFBFFF, 0xBFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0xFF00FF, 0x00FFFF,
      0x0000BF, 0x00BF00, 0xBF0000, 0xBFBF00, 0xBF00BF, 0x00BFBF, 0x00007F, 0x007F00, 0x7F0000,
      0x7F7F00, 0x7F007F, 0x007F7F, 0x00003F, 0x003F00, 0x3F0000, 0x3F3F00, 0x3F003F, 0x003F3F,
  };
  RunPicker(0, {[&] {
              CColorPickerForm* form = Picker();
              ASSERT_EQ(form->Presets.GetCount(), 36);
              for (int32_t i = 0; i < 36; ++i)
                EXPECT_EQ(Hex(form->Presets[i]->Color), Hex(expected[i])) << i;
              Press(form->CloseButton);
            }});
}

TEST_F(ColorPickerTest, DragsPastTheEdgesStayInRangeAndMarkersFollow) {
  struct SSeen {
    double hue, saturation, lightness;
  };
  std::vector<SSeen> seen;
  uint32_t markerPixel = 0, lightnessPixel = 0, lightnessUnder = 0;
  RunPicker(0xFF808080, {[&] {
              CColorPickerForm* form = Picker();
              form->GetPage()->SetCurrentPage(2);
              CPanel* field = form->HueField;
              CPanel* bar = form->LightnessBar;
              int32_t w = field->GetWidth(), h = field->GetHeight();
              auto record = [&] { seen.push_back({form->Hue, form->Saturation, form->Lightness}); };
              // Taking the capture makes the system send a move from where the cursor
              // is: the cursor stands on the pressed point.
              POINT o = field->GetWindowOrigin();
              SetCursorPos(o.x + w / 2, o.y + h / 2);
              Mouse(*field, WM_LBUTTONDOWN, w / 2, h / 2);
              record();
              Mouse(*field, WM_MOUSEMOVE, -40, h + 40);
              record();
              Mouse(*field, WM_MOUSEMOVE, w + 40, -40);
              record();
              Mouse(*field, WM_LBUTTONUP, w + 40, -40);
              form->RepaintNow();
              // Hue 360, saturation 1: the cross centred on the field's top right pixel.
              markerPixel = Pixel(o.x + w - 1 - 3, o.y);
              POINT b = bar->GetWindowOrigin();
              SetCursorPos(b.x + 10, b.y + 5);
              Mouse(*bar, WM_LBUTTONDOWN, 10, 5);
              Mouse(*bar, WM_MOUSEMOVE, 10, -30);
              record();
              Mouse(*bar, WM_MOUSEMOVE, 10, bar->GetHeight() + 30);
              record();
              Mouse(*bar, WM_MOUSEMOVE, 10, bar->GetHeight() / 4);
              Mouse(*bar, WM_LBUTTONUP, 10, bar->GetHeight() / 4);
              form->RepaintNow();
              int32_t y = int32_t(RoundToInt64((bar->GetHeight() - 1) * form->Lightness));
              lightnessPixel = Pixel(b.x + 1, b.y + y);
              lightnessUnder = Pixel(b.x + 1, b.y + y + 1);
              // The cursor goes back to the corner, over the title bar.
              SetCursorPos(0, 0);
              Pump();
              Press(form->CloseButton);
            }});
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_GT(seen[0].hue, 170);
  EXPECT_LT(seen[0].hue, 190);
  EXPECT_EQ(seen[1].hue, 0);
  EXPECT_EQ(seen[1].saturation, 0);
  EXPECT_EQ(seen[2].hue, 360);
  EXPECT_EQ(seen[2].saturation, 1);
  EXPECT_EQ(seen[3].lightness, 0);
  EXPECT_EQ(seen[4].lightness, 1);
  EXPECT_EQ(markerPixel, 0u);
  // White XOR the bar's colour: the line inverts the pixel, whose neighbour
  // below shows the bar's colour within a step of the gradient.
  uint32_t inverted = ~lightnessUnder & 0xFFFFFF;
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(int(lightnessPixel >> shift & 0xFF), int(inverted >> shift & 0xFF), 8) << shift;
}

class ColorPickerLandscapeTest : public ColorPickerTest {
 protected:
  ColorPickerLandscapeTest() : ColorPickerTest(320, 240) {}
};

TEST_F(ColorPickerLandscapeTest, TheValueRowStaysBesideTheFormsButtons) {
  // 320 x 240: the page is 320 - 45 - 1 = 274 wide, the button column
  // starts at x = 275; Close spans y = 18 to 65.
  RECT blue = {}, green = {}, swatch = {};
  int32_t closeMissed = -1;
  auto measureAndTapClose = [&] {
    CColorPickerForm* form = Picker();
    blue = form->BlueButton->GetWindowBounds();
    green = form->GreenButton->GetWindowBounds();
    swatch = form->Swatch->GetWindowBounds();
    // Every pixel of Close hits Close.
    RECT close = form->CloseButton->GetWindowBounds();
    closeMissed = 0;
    for (int32_t y = close.top; y < close.bottom; ++y)
      for (int32_t x = close.left; x < close.right; ++x) {
        CControl* found = nullptr;
        form->ControlAt(x, y, found);
        closeMissed += found != form->CloseButton;
      }
    Mouse(*form, WM_LBUTTONDOWN, 298, 35, false);
    Mouse(*form, WM_LBUTTONUP, 298, 35, false);
  };
  // Only reached when the tap did not end the dialogue.
  auto leaveKeyboard = [] {
    auto* keyboard = ShownWindow<CStdKeyboardWindow>("Blue value");
    ADD_FAILURE() << (keyboard ? "the tap on Close opened the keyboard" : "Close did nothing");
    if (keyboard) keyboard->ModalResult = mrCancel;
  };
  auto cancel = [] { Picker()->ModalResult = mrCancel; };
  uint32_t colour = RunPicker(0x00123456, {measureAndTapClose, leaveKeyboard, cancel});
  EXPECT_EQ(closeMissed, 0);
  EXPECT_EQ(Hex(colour), "00123456");
  EXPECT_EQ(blue.left, 232);
  EXPECT_EQ(blue.right, 272);
  EXPECT_EQ(blue.top, 22);
  EXPECT_EQ(blue.bottom, 48);
  EXPECT_EQ(green.left, 176);
  EXPECT_EQ(swatch.left, 2);
  EXPECT_EQ(swatch.right, 104);
}

// Types a text into the value keyboard titled so and confirms it.
std::function<void()> EnterValue(const char* title, const char* text) {
  return [=] {
    auto* keyboard = ShownWindow<CStdKeyboardWindow>(title);
    ASSERT_NE(keyboard, nullptr) << title;
    keyboard->Edit->SetText(text);
    keyboard->ModalResult = mrOK;
  };
}

TEST_F(ColorPickerTest, ValuesKeepTheirLowEightBits) {
  uint32_t colour = RunPicker(0xFF102030, {
                                              [] { Press(Picker()->RedButton); },
                                              EnterValue("Red Value", "256"),
                                              [] { Press(Picker()->BlueButton); },
                                              EnterValue("Blue value", "-1"),
                                              [] { Press(Picker()->GreenButton); },
                                              EnterValue("Green value", "66"),
                                              [] { Press(Picker()->OkButton); },
                                          });
  EXPECT_EQ(Hex(colour), "FF0042FF");
}

}  // namespace
