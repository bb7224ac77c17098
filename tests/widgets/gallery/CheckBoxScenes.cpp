// Gallery scene of check boxes: the three states, disabled, transparent,
// pressed with a frame, wrapped and without bitmaps.
#include <memory>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/CheckBox.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Window.h"

namespace {

// A 13 x 13 box: a frame, and a tick or a square inside for the other states.
std::unique_ptr<CBmp32> BoxBitmap(int32_t state) {
  auto bmp = std::make_unique<CBmp32>(13, 13, false);
  bmp->Fill(0xFFFFFFFF);
  for (int32_t i = 0; i < 13; ++i) {
    bmp->Row(0)[i] = bmp->Row(12)[i] = 0xFF000000;
    bmp->Row(i)[0] = bmp->Row(i)[12] = 0xFF000000;
  }
  for (int32_t i = 3; i <= 9; ++i)
    for (int32_t j = 3; j <= 9; ++j) {
      bool tick = j == (i < 6 ? i + 2 : 13 - i) || j == (i < 6 ? i + 3 : 14 - i);
      if ((state == 1 && tick) || state == 2) bmp->Row(j)[i] = 0xFF202020;
    }
  return bmp;
}

// The bitmaps live as long as the gallery: check boxes never free them.
CBmp32* SharedBox(int32_t state) {
  static std::unique_ptr<CBmp32> boxes[3] = {BoxBitmap(0), BoxBitmap(1), BoxBitmap(2)};
  return boxes[state].get();
}

CCheckBox* AddCheckBox(CWindow& window, CFontDesc& font, const char* caption, int32_t row) {
  auto* box = new CCheckBox(&window, caption, &font, SharedBox(0), SharedBox(1), SharedBox(2));
  box->SetBounds(8, 24 + row * 28, 224, 24);
  return box;
}

}  // namespace

void CheckBoxScene(CWindow& window, CFontDesc& font) {
  AddCheckBox(window, font, "Unchecked", 0);
  AddCheckBox(window, font, "Checked", 1)->State = 1;
  AddCheckBox(window, font, "Mixed", 2)->State = 2;
  AddCheckBox(window, font, "Disabled and checked", 3)->State = 1;
  window.GetControl(window.GetControlCount() - 1)->SetEnabled(false);
  auto* under = new CLabel(&window, "", &font);
  under->Color = 0x80FF80;
  under->SetBounds(8, 136, 224, 24);
  AddCheckBox(window, font, "Transparent on green", 4)->SetTransparent(true);
  CCheckBox* pressed = AddCheckBox(window, font, "Pressed with a frame", 5);
  pressed->FrameWhenDown = true;
  pressed->DownColor = 0xFDC8B7;
  pressed->MouseDown(100, 5);
  CCheckBox* wrapped =
      AddCheckBox(window, font, "A long caption that wraps over two lines beside the box", 6);
  wrapped->WordWrap = true;
  wrapped->SetBounds(8, 192, 160, 40);
  CCheckBox* plain = new CCheckBox(&window, "No bitmaps: caption at the edge", &font);
  plain->SetBounds(8, 240, 224, 24);
  plain->Color = 0xE0E0E0;
}
