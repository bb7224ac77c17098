// The controls that keep a copy of a given bitmap accept their own bitmap:
// the copy is made before the old one goes. Freed memory is kept poisoned
// meanwhile, so a copy from it would show.
#include "lib/widgets/Button.h"
#include "lib/widgets/Panel.h"
#include "tests/widgets/FreedMemory.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class OwnBitmapTest : public WidgetTest {};

// Every pixel of a 3 x 2 bitmap in its own colour.
void Paint3x2(CBmp32& bitmap) {
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x)
      bitmap.Row(y)[x] = 0xFF000000u | uint32_t(0x10 * (y * 3 + x + 1));
}

void Expect3x2(const CBmp32* bitmap, const char* who) {
  ASSERT_NE(bitmap, nullptr) << who;
  ASSERT_EQ(bitmap->Width(), 3) << who;
  ASSERT_EQ(bitmap->Height(), 2) << who;
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x)
      EXPECT_EQ(bitmap->Row(y)[x], 0xFF000000u | uint32_t(0x10 * (y * 3 + x + 1)))
          << who << " " << x << "," << y;
}

TEST_F(OwnBitmapTest, AButtonAndAPanelTakeTheirOwnBitmapAgain) {
  CBmp32 source(3, 2, false);
  Paint3x2(source);
  CButton button(nullptr, "", nullptr);
  CPanel panel(nullptr);
  button.SetImage(&source);
  panel.SetBitmap(&source);
  {
    CFreedMemoryWatch freed;
    button.SetImage(button.Image);
    panel.SetBitmap(panel.Bitmap);
    EXPECT_GE(freed.Freed(), 2);
    EXPECT_EQ(freed.Calls(), 0);
    Expect3x2(button.Image, "button");
    Expect3x2(panel.Bitmap, "panel");
  }
  EXPECT_NE(button.Image, &source);
}

}  // namespace
