// Gallery scenes of auto pages, panels, progress bars and scroll bars.
#include <memory>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/ButtonMenu.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/Panel.h"
#include "lib/widgets/ProgressBar.h"
#include "lib/widgets/ScrollBar.h"
#include "lib/widgets/ScreenMetrics.h"
#include "lib/widgets/Window.h"

namespace {

// A bitmap of one colour with a white diagonal and a half-transparent band,
// so that placement, scaling and blending show.
std::unique_ptr<CBmp32> Pattern(int32_t w, int32_t h, uint32_t argb) {
  auto bmp = std::make_unique<CBmp32>(w, h, false);
  bmp->Fill(argb);
  for (int32_t y = 0; y < h; ++y) {
    bmp->Row(y)[y * w / h] = 0xFFFFFFFF;
    for (int32_t x = 0; x < w / 6; ++x) bmp->Row(y)[x] = 0x80000000 | (argb & 0xFFFFFF);
  }
  return bmp;
}

CLabel* Caption(CControl* parent, const char* text, CFontDesc& font) {
  auto* label = new CLabel(parent, text, &font);
  label->Color = 0xF0F0F0;
  label->SetBounds(0, 0, 10, 18);
  return label;
}

// Rows of labels and buttons in three groups with separators; page `page`.
void FillAutoPage(CWindow& window, CFontDesc& font, int32_t page) {
  auto* pages = new CAutoPage(&window);
  pages->BackgroundColor = 0xFFF8F0;
  auto button = [&](const char* caption) {
    auto* b = new CButton(nullptr, caption, &font);
    b->SetBounds(0, 0, 10, 26);
    return b;
  };
  pages->AddRow(0, {Caption(nullptr, "Name", font), button("Edit")})[0] = 60;
  pages->AddRow(0, {Caption(nullptr, "Three", font), Caption(nullptr, "shared", font),
                    Caption(nullptr, "widths", font)});
  pages->AddSeparator(1, 12, true);
  pages->AddRow(1, {button("One"), button("Two")});
  pages->AddRow(1, {Caption(nullptr, "Fixed 40 and the rest", font), button("OK")})[1] = 40;
  pages->AddSeparator(1, 8, false);
  pages->AddRow(1, {Caption(nullptr, "After a gap without a line", font)});
  pages->AddSeparator(2, 12, true);
  for (const char* text : {"Group 2, row 1", "Group 2, row 2", "Group 2, row 3", "Group 2, row 4",
                           "Group 2, row 5", "Group 2, row 6"})
    pages->AddRow(2, {Caption(nullptr, text, font), button("Go")})[1] = 50;
  pages->SetBounds(0, 20, window.GetWidth(), window.GetHeight() - 20);
  pages->SetCurrentPage(page);
}

}  // namespace

void AutoPageScene(CWindow& window, CFontDesc& font) { FillAutoPage(window, font, 1); }

void AutoPageSecondScene(CWindow& window, CFontDesc& font) { FillAutoPage(window, font, 2); }

void PanelScene(CWindow& window, CFontDesc& font) {
  auto wide = Pattern(80, 30, 0xFF3060C0);
  auto big = Pattern(120, 90, 0xFFC06030);
  struct SPlace {
    const char* name;
    CBmp32* bitmap;
    bool stretch, keepAspect, enabled;
  } places[] = {
      {"colour", nullptr, false, false, true},       {"own size", wide.get(), false, false, true},
      {"cut", big.get(), false, false, true},        {"stretched", wide.get(), true, false, true},
      {"fitted", wide.get(), true, true, true},      {"fitted tall", big.get(), true, true, true},
      {"disabled", wide.get(), false, false, false}, {"off", nullptr, false, false, false},
  };
  for (int32_t i = 0; i < 8; ++i) {
    const SPlace& p = places[i];
    int32_t x = 4 + (i % 2) * 118, y = 22 + (i / 2) * 74;
    auto* panel = new CPanel(&window);
    panel->Color = 0xD0F0D0;
    panel->DisabledColor = 0xE8E8E8;
    panel->SetBitmap(p.bitmap);
    panel->SetStretch(p.stretch, p.keepAspect);
    panel->SetEnabled(p.enabled);
    panel->SetBounds(x, y + 14, 112, 56);
    auto* label = new CLabel(&window, p.name, &font);
    label->SetBounds(x, y, 112, 14);
  }
}

void ProgressBarScene(CWindow& window, CFontDesc& font) {
  struct SBar {
    int32_t min, max, position;
  } bars[] = {{0, 100, 0}, {0, 100, 33}, {0, 100, 100}, {5, 5, 5}, {0, 400000000, 300000000}};
  for (int32_t i = 0; i < 5; ++i) {
    auto* bar = new CProgressBar(&window);
    bar->SetBounds(10, 30 + i * 40, 220, 16);
    bar->SetMax(bars[i].max);
    bar->SetMin(bars[i].min);
    bar->SetPosition(bars[i].position);
    auto* label = new CLabel(&window,
                             i == 3   ? "Max = Min"
                             : i == 4 ? "3/4 of 400,000,000"
                                      : "",
                             &font);
    label->SetBounds(10, 48 + i * 40, 220, 14);
  }
}

void ScrollBarScene(CWindow& window, CFontDesc&) {
  // Minimum, middle, maximum and an empty range, both ways.
  const int32_t positions[] = {0, 45, 90, 0};
  for (int32_t i = 0; i < 4; ++i) {
    auto* vertical = new CScrollBar(&window);
    vertical->SetBounds(10 + i * 30, 24, 20, 180);
    vertical->SetPosition(positions[i]);
    if (i == 3) vertical->SetMax(0);
    auto* horizontal = new CScrollBar(&window);
    horizontal->SetOrientation(1);
    horizontal->SetBounds(10, 214 + i * 24, 220, 20);
    horizontal->SetPageSize(40);
    horizontal->SetPosition(positions[i]);
    if (i == 3) horizontal->SetMin(90);
  }
}

namespace {

// Seven buttons with a picture and a caption: two pages on portrait and
// landscape screens, the given one shown.
std::unique_ptr<CWindow> MakeButtonMenu(int32_t page) {
  auto menu = std::make_unique<CButtonMenu>("Menu", fbCloseAndOK, nullptr);
  const char* captions[] = {"Charts", "Waypoints", "Routes", "Tracks", "GPS", "Settings", "About"};
  const uint32_t colours[] = {0xFF3060C0, 0xFFC03030, 0xFF30A030, 0xFFC09030,
                              0xFF8030C0, 0xFF606060, 0xFF30A0C0};
  for (int32_t i = 0; i < 7; ++i) {
    auto* button = new CButton(nullptr, captions[i], menu->ButtonFont);
    button->SetImage(Pattern(32, 32, colours[i]).get());
    menu->AddButton(button);
  }
  menu->Layout(ToolkitScreenOrientation());
  menu->GetPage()->SetCurrentPage(page);
  return menu;
}

}  // namespace

std::unique_ptr<CWindow> MakeButtonMenuFirstPage() { return MakeButtonMenu(1); }

std::unique_ptr<CWindow> MakeButtonMenuSecondPage() { return MakeButtonMenu(2); }
