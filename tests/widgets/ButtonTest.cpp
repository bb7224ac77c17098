// Button painting read from the back buffer, its repaint rules and loaders.
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Label.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class ButtonTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    window_ = std::make_unique<CWindow>("", nullptr);
    button_ = new CButton(window_.get(), "", &font_);
    button_->SetBounds(20, 40, 60, 50);
    window_->Show();
  }

  // A bitmap of one colour, given to the button by copy.
  static void GiveImage(CButton& button, int32_t w, int32_t h, uint32_t argb) {
    CBmp32 bmp(w, h, false);
    bmp.Fill(argb);
    button.SetImage(&bmp);
  }

  bool RepaintRequested(const std::function<void()>& action) {
    Pump();
    ValidateRect(window_->Handle, nullptr);
    action();
    RECT r;
    return GetUpdateRect(window_->Handle, &r, FALSE);
  }

  CFontDesc font_{"Arial", 9, 0};
  std::unique_ptr<CWindow> window_;
  CButton* button_ = nullptr;
};

constexpr uint32_t kRedOverFace = 0xFE0000;  // opaque red blended with >> 8
constexpr uint32_t kFace = 0xEBEBEB;

TEST_F(ButtonTest, BitmapPlacePerLayoutWithAndWithoutCaption) {
  GiveImage(*button_, 10, 8, 0xFFFF0000);
  struct SCase {
    const char* caption;
    int32_t layout;
    int32_t x, y;  // expected window corner of the bitmap
  } cases[] = {
      {"", 0, 20 + 25, 40 + 21},  // centred both ways whatever the layout
      {"", 1, 20 + 25, 40 + 21},
      {"Go", 0, 20 + 25, 40 + 2},  // top, centred, Spacing down
      {"Go", 1, 20 + 2, 40 + 21},  // left, Spacing in, centred vertically
  };
  for (const SCase& c : cases) {
    button_->SetCaption(c.caption);
    button_->SetLayout(c.layout);
    button_->RepaintNow();
    EXPECT_EQ(Pixel(c.x, c.y), kRedOverFace) << c.caption << c.layout;
    EXPECT_EQ(Pixel(c.x + 9, c.y + 7), kRedOverFace) << c.caption << c.layout;
    EXPECT_EQ(Pixel(c.x - 1, c.y), kFace) << c.caption << c.layout;
    EXPECT_EQ(Pixel(c.x + 10, c.y + 7), kFace) << c.caption << c.layout;
  }
}

TEST_F(ButtonTest, OverlaySitsOnTheBitmapsRightAndBottomEdges) {
  GiveImage(*button_, 10, 8, 0xFFFF0000);
  button_->OverlayImage = new CBmp32(4, 4, false);
  button_->OverlayImage->Fill(0xFF0000FF);
  button_->RepaintNow();
  // Bitmap at (45, 61); overlay from x = 45 + 10 - 2, y = 61 + 8 - 4.
  EXPECT_EQ(Pixel(53, 65), 0x0000FEu);
  EXPECT_EQ(Pixel(56, 68), 0x0000FEu);
  EXPECT_EQ(Pixel(52, 65), kRedOverFace);
  EXPECT_EQ(Pixel(57, 68), kFace);
}

TEST_F(ButtonTest, DisabledDrawsTheBitmapGreyAndTheCaptionSilver) {
  GiveImage(*button_, 10, 8, 0xFFFF0000);
  button_->SetEnabled(false);
  button_->RepaintNow();
  uint32_t p = Pixel(45, 61);
  EXPECT_NE(p, kRedOverFace);
  EXPECT_EQ(p >> 16 & 0xFF, p & 0xFF);  // a grey
  EXPECT_EQ(Pixel(20, 40), 0xC0C0C0u);  // disabled frame
  button_->SetImage(nullptr);
  button_->SetCaption("WWW");
  button_->RepaintNow();
  RECT ink = InkBox({21, 41, 79, 89}, kFace);
  EXPECT_GT(ink.right, ink.left);
  int black = 0;
  for (int32_t y = ink.top; y < ink.bottom; ++y)
    for (int32_t x = ink.left; x < ink.right; ++x) black += Pixel(x, y) == 0;
  EXPECT_EQ(black, 0);
}

TEST_F(ButtonTest, TransparentButtonFramesRoundOnlyWhenPressedOpaqueAlwaysSquare) {
  button_->SetCornerRadius(16);
  button_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), 0u);  // opaque: square corner, whatever the radius
  button_->SetTransparent(true);
  button_->RepaintNow();
  EXPECT_EQ(Pixel(50, 41), 0xFFFFFFu);  // up: nothing but the window beneath
  button_->MouseDown(5, 5);
  button_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), 0xFFFFFFu);  // round corner leaves the corner pixel
  EXPECT_EQ(Pixel(50, 40), 0u);         // top edge of the frame
  EXPECT_EQ(Pixel(50, 60), RgbOf(0xFDC8B7));
}

TEST_F(ButtonTest, WhichPointerEventsRepaint) {
  EXPECT_TRUE(RepaintRequested([&] { button_->MouseDown(1, 1); }));
  EXPECT_TRUE(RepaintRequested([&] { button_->MouseUp(1, 1); }));
  EXPECT_FALSE(RepaintRequested([&] { button_->Click(1, 1); }));  // nothing for state 2
  EXPECT_EQ(button_->State, 2);
  button_->SetTransparent(true);
  button_->FrameWhenDown = false;
  EXPECT_FALSE(RepaintRequested([&] { button_->MouseDown(1, 1); }));
  EXPECT_TRUE(button_->IsPressed());
  button_->Caption2 = "two";
  EXPECT_TRUE(RepaintRequested([&] { button_->Click(1, 1); }));
  EXPECT_EQ(button_->State, 1);
}

TEST_F(ButtonTest, StateTwoFallsBackToStateOneImagesAndCaption) {
  GiveImage(*button_, 10, 8, 0xFFFF0000);
  button_->SetState(2);
  button_->RepaintNow();
  EXPECT_EQ(Pixel(45, 61), kRedOverFace);
}

TEST_F(ButtonTest, FailedLoadEmptiesTheRole) {
  GiveImage(*button_, 10, 8, 0xFFFF0000);
  ASSERT_NE(button_->Image, nullptr);
  SetImageFolder(CStr("Z:\\nonexistent\\"));
  EXPECT_FALSE(button_->LoadImage(ImagePath("missing.bmp")));
  EXPECT_EQ(button_->Image, nullptr);
  EXPECT_FALSE(button_->LoadOverlayImage(ImagePath("missing.bmp")));
  EXPECT_EQ(button_->OverlayImage, nullptr);
}

TEST_F(ButtonTest, BitmapFromTheImageFolderAndAFailedLoadAfterIt) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "tdlib_widgets_gui\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteBmp(folder + "red.bmp", 10, 8, 0xFFFF0000);
  SetImageFolder(CStr(folder.c_str()));
  ASSERT_TRUE(button_->LoadImage(ImagePath("red.bmp")));
  ASSERT_NE(button_->Image, nullptr);
  EXPECT_EQ(button_->Image->Width(), 10);
  button_->RepaintNow();
  EXPECT_EQ(Pixel(45, 61), kRedOverFace);
  EXPECT_FALSE(button_->LoadImage(ImagePath("missing.bmp")));
  EXPECT_EQ(button_->Image, nullptr);
}

TEST_F(ButtonTest, BitmapLargerThanTheButtonStaysInsideIt) {
  CFontDesc font("Arial", 9, 0);
  auto* neighbour = new CLabel(window_.get(), "", &font);
  neighbour->Color = 0x00FF00;
  neighbour->SetBounds(100, 40, 20, 20);
  auto* small = new CButton(window_.get(), "", &font);
  small->SetBounds(120, 40, 20, 20);
  GiveImage(*small, 100, 100, 0xFFFF0000);
  window_->RepaintNow();
  EXPECT_EQ(Pixel(119, 50), 0x00FF00u);  // the neighbour keeps its pixels
  EXPECT_EQ(Pixel(130, 50), kRedOverFace);
  EXPECT_EQ(Pixel(130, 61), 0xFFFFFFu);  // below the button: the window
}

}  // namespace
