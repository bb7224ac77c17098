// Paints scenes of toolkit controls in windows and writes each window's pixels
// as a PNG file: widget_gallery OUTPUT_FOLDER [WIDTH HEIGHT] [--screen]. With
// --screen (a live display) it also writes what the screen shows as
// <scene>_screen.png. Later widget kinds add their scenes to the table.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/Window.h"
#include "tests/widgets/gallery/KeyboardScenes.h"
#include "tests/widgets/gallery/PngFile.h"
#include "tests/widgets/gallery/ListScenes.h"

// Pages, panels and bars (PageScenes.cpp).
void AutoPageScene(CWindow& window, CFontDesc& font);
void AutoPageSecondScene(CWindow& window, CFontDesc& font);
void PanelScene(CWindow& window, CFontDesc& font);
void ProgressBarScene(CWindow& window, CFontDesc& font);
void ScrollBarScene(CWindow& window, CFontDesc& font);

// Forms, message boxes and memos (FormScenes.cpp).
std::unique_ptr<CWindow> MakeOkForm();
std::unique_ptr<CWindow> MakeCloseOkForm();
std::unique_ptr<CWindow> MakeCloseForm();
void FillFormPage(CWindow& window, CFontDesc& font);
std::unique_ptr<CWindow> MakeWarningBox();
std::unique_ptr<CWindow> MakeErrorBox();
std::unique_ptr<CWindow> MakeInformationBox();
std::unique_ptr<CWindow> MakeConfirmationBox();
std::unique_ptr<CWindow> MakeMemoForm();
void MemoScene(CWindow& window, CFontDesc& font);
// The chart viewer (ChartViewerScenes.cpp).
void ChartViewerScene(CWindow& window, CFontDesc& font);

// The button menu (PageScenes.cpp).
std::unique_ptr<CWindow> MakeButtonMenuFirstPage();
std::unique_ptr<CWindow> MakeButtonMenuSecondPage();

namespace {

struct SScene {
  const char* name;
  std::function<void(CWindow&, CFontDesc&)> build;
  // A scene that is a window of its own (a form, a message box) makes it here
  // and paints that instead of the plain window.
  std::function<std::unique_ptr<CWindow>()> makeWindow = nullptr;
  // A screen of its own for the scene; 0 x 0 keeps the run's screen.
  int32_t screenWidth = 0, screenHeight = 0;
};

std::unique_ptr<CBmp32> Swatch(int32_t w, int32_t h, uint32_t argb) {
  auto bmp = std::make_unique<CBmp32>(w, h, false);
  bmp->Fill(argb);
  // A white diagonal so that placement and clipping show.
  for (int32_t i = 0; i < w && i < h; ++i) bmp->Row(i)[i] = 0xFFFFFFFF;
  return bmp;
}

void LabelScene(CWindow& window, CFontDesc& font) {
  for (int32_t code = 0; code <= 8; ++code) {
    auto* label = new CLabel(&window, "Ab", &font);
    label->Color = 0xE0E0E0;
    label->SetMargin(4);
    label->SetAlignment(code);
    label->SetBounds(4 + (code / 3) * 78, 22 + (code % 3) * 34, 74, 30);
  }
  auto* wrapped = new CLabel(&window, "A longer text that wraps over lines", &font);
  wrapped->WordWrap = true;
  wrapped->Alignment = 4;
  wrapped->Color = 0xFFE0E0;
  wrapped->SetBounds(4, 130, 110, 60);
  auto* disabled = new CLabel(&window, "Disabled", &font);
  disabled->SetEnabled(false);
  disabled->SetBounds(120, 130, 110, 20);
  auto* under = new CLabel(&window, "", &font);
  under->Color = 0x80FF80;
  under->SetBounds(120, 160, 110, 30);
  auto* transparent = new CLabel(&window, "Transparent", &font);
  transparent->SetTransparent(true);
  transparent->SetBounds(110, 165, 120, 20);
}

void ButtonScene(CWindow& window, CFontDesc& font) {
  auto make = [&](const char* caption, int32_t i) {
    auto* button = new CButton(&window, caption, &font);
    button->SetBounds(4 + (i % 3) * 78, 22 + (i / 3) * 56, 74, 52);
    return button;
  };
  make("Normal", 0);
  make("Pressed", 1)->MouseDown(1, 1);
  make("Disabled", 2)->SetEnabled(false);
  auto* two = new CButton(&window, "One", "Two", &font);
  two->SetBounds(4, 78, 74, 52);
  two->SetState(2);
  auto swatch = Swatch(20, 20, 0xFFC03030);
  auto* top = make("Top", 4);
  top->SetImage(swatch.get());
  auto* left = make("Left", 5);
  left->SetImage(swatch.get());
  left->SetLayout(1);
  auto* overlay = make("", 6);
  overlay->SetImage(swatch.get());
  overlay->OverlayImage = Swatch(8, 8, 0xFF3030C0).release();
  auto* round = make("Round", 7);
  round->SetTransparent(true);
  round->SetCornerRadius(12);
  round->MouseDown(1, 1);
  auto* grey = make("", 8);
  grey->SetImage(swatch.get());
  grey->SetEnabled(false);
  auto* big = make("", 9);
  auto large = Swatch(100, 100, 0xFF30A030);
  big->SetImage(large.get());
  big->SetBounds(4, 190, 20, 20);
}

void BorderedScene(CWindow& window, CFontDesc& font) {
  window.SetBounds(20, 40, 180, 120);
  auto* label = new CLabel(&window, "A bordered window", &font);
  label->SetBounds(10, 30, 160, 20);
}

}  // namespace

// Scenes of the widget kinds, each in its own file.
void EditScene(CWindow& window, CFontDesc& font);
void CheckBoxScene(CWindow& window, CFontDesc& font);
void ColorPickerPresetsScene(CWindow& window, CFontDesc& font);
void ColorPickerFieldScene(CWindow& window, CFontDesc& font);

namespace {

const SScene kScenes[] = {
    {"labels", LabelScene},
    {"buttons", ButtonScene},
    {"bordered_window", BorderedScene},
    {"edits", EditScene},
    {"check_boxes", CheckBoxScene},
    {"color_picker_presets", ColorPickerPresetsScene},
    {"color_picker_field", ColorPickerFieldScene},
    {"auto_page", AutoPageScene},
    {"auto_page_2", AutoPageSecondScene},
    {"panels", PanelScene},
    {"progress_bars", ProgressBarScene},
    {"scroll_bars", ScrollBarScene},
    {"form", FillFormPage, MakeCloseOkForm},
    {"form_portrait_ok", FillFormPage, MakeOkForm, 240, 320},
    {"form_portrait_close_ok", FillFormPage, MakeCloseOkForm, 240, 320},
    {"form_portrait_close", FillFormPage, MakeCloseForm, 240, 320},
    {"form_landscape_ok", FillFormPage, MakeOkForm, 320, 240},
    {"form_landscape_close_ok", FillFormPage, MakeCloseOkForm, 320, 240},
    {"form_landscape_close", FillFormPage, MakeCloseForm, 320, 240},
    {"form_square_ok", FillFormPage, MakeOkForm, 240, 240},
    {"form_square_close_ok", FillFormPage, MakeCloseOkForm, 240, 240},
    {"form_square_close", FillFormPage, MakeCloseForm, 240, 240},
    {"msgbox_warning", nullptr, MakeWarningBox},
    {"msgbox_error", nullptr, MakeErrorBox},
    {"msgbox_information", nullptr, MakeInformationBox},
    {"msgbox_confirmation", nullptr, MakeConfirmationBox},
    {"memos", MemoScene},
    {"memo_form", nullptr, MakeMemoForm},
    {"chart_viewer", ChartViewerScene},
    {"button_menu", nullptr, MakeButtonMenuFirstPage},
    {"button_menu_2", nullptr, MakeButtonMenuSecondPage},
    {"button_menu_landscape", nullptr, MakeButtonMenuFirstPage, 320, 240},
    {"button_menu_square_2", nullptr, MakeButtonMenuSecondPage, 240, 240},
    {"keyboard", KeyboardScene},
    {"keyboard_shifted", KeyboardShiftedScene},
    {"keyboard_caps", KeyboardCapsScene},
    {"keypad", KeypadScene},
    {"position_degrees", PositionDegreesScene},
    {"position_minutes", PositionMinutesScene},
    {"position_seconds", PositionSecondsScene},
    {"list_text", ListTextScene},
    {"list_check", ListCheckScene},
    {"list_visible", ListVisibleScene},
    {"list_icons", ListIconScene},
    {"image_browser", ImageBrowserScene},
};

// Copies the screen's pixels as the display shows them.
bool WriteScreenShot(const std::string& path, int32_t width, int32_t height) {
  CBmp32 shot(width, height, true);
  HDC screen = GetDC(nullptr);
  bool copied = BitBlt(shot.GetDC(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return copied && WritePng(path, shot.Row(0), width, height, shot.Stride() / 4);
}

void PumpFor(DWORD milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  MSG msg;
  while (int32_t(end - GetTickCount()) > 0) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

// Puts the scene's own screen record in place while it lives.
class CSceneScreen {
 public:
  explicit CSceneScreen(const SScene& scene)
      : own_(scene.screenWidth, scene.screenHeight, 96), saved_(g_ScreenInfo) {
    if (scene.screenWidth > 0) g_ScreenInfo = &own_;
  }
  ~CSceneScreen() { g_ScreenInfo = saved_; }

 private:
  CScreenInfo own_;
  CScreenInfo* saved_;
};

bool WriteScene(const SScene& scene, const std::string& folder, bool screenShot) {
  CSceneScreen sceneScreen(scene);
  CWindow plain(scene.name, nullptr);
  CFontDesc font("Arial", 9, 0);
  std::unique_ptr<CWindow> own = scene.makeWindow ? scene.makeWindow() : nullptr;
  CWindow& window = own ? *own : plain;
  if (scene.build) scene.build(window, font);
  window.Show();
  window.RepaintNow();
  CBmp32* buffer = GetScreenBackBuffer();
  std::string path = folder + "\\" + scene.name + ".png";
  bool ok =
      WritePng(path, buffer->Row(0), window.GetWidth(), window.GetHeight(), buffer->Stride() / 4);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
  if (screenShot) {
    PumpFor(500);
    std::string shot = folder + "\\" + scene.name + "_screen.png";
    bool shotOk = WriteScreenShot(shot, g_ScreenInfo->GetWidth(), g_ScreenInfo->GetHeight());
    std::printf("%s %s\n", shotOk ? "wrote" : "FAILED", shot.c_str());
    ok = ok && shotOk;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: widget_gallery OUTPUT_FOLDER [WIDTH HEIGHT]\n");
    return 2;
  }
  bool screenShot = std::string(argv[argc - 1]) == "--screen";
  if (screenShot) --argc;
  int32_t width = argc >= 4 ? std::atoi(argv[2]) : 240;
  int32_t height = argc >= 4 ? std::atoi(argv[3]) : 320;
  CScreenInfo screen(width, height, 96);
  g_ScreenInfo = &screen;
  CreateDirectoryA(argv[1], nullptr);
  bool ok = true;
  for (const SScene& scene : kScenes) ok = WriteScene(scene, argv[1], screenShot) && ok;
  g_ScreenInfo = nullptr;
  return ok ? 0 : 1;
}
