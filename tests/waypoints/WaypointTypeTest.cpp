// Waypoint type icons: copies, checks, the no-change test, the composition
// with the overlay and the night screen.

#include "tests/waypoints/WaypointFixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
// An opaque blue overlay pixel as mode 4 draws it between equal sizes:
// 255 x 255 >> 8 = 254 in the blue channel.
constexpr uint32_t kOverlaid = 0xFF0000FEu;

uint32_t Pixel(CBmp32* bitmap, int32_t x, int32_t y) { return bitmap->Row(y)[x]; }

// The night screen exists before the manager, as a host sets it up; every
// test leaves it in day mode at brightness 0.5 (factor 128).
class TypeTest : public WaypointTest {
 protected:
  void SetUp() override {
    screen = InitializeNightScreen();
    ASSERT_NE(screen, nullptr);
    screen->SetBrightness(0.5f);
    WaypointTest::SetUp();
  }
  void TearDown() override {
    screen->SetNight(0);
    WaypointTest::TearDown();
  }

  CWaypointType* AddType(CBmp32* icon, CBmp32* overlay, bool shown, float x, float y) {
    return db->AddType(icon, overlay, shown, x, y, 10, 0, 0xFF808080u, 8, 0, 0xFF204060u);
  }

  CNightScreen* screen = nullptr;
};

TEST_F(TypeTest, IconsAreCopiesAndNullGivesClearedOnes) {
  BmpPtr icon = Filled(5, 4, kRed);
  CWaypointType* type = AddType(icon.get(), nullptr, false, 2, 2);
  icon->Fill(kBlue);
  ASSERT_NE(type->GetPlainIcon(), icon.get());
  EXPECT_EQ(type->GetPlainIcon()->GetWidth(), 5);
  EXPECT_EQ(Pixel(type->GetPlainIcon(), 4, 3), kRed);
  EXPECT_EQ(type->GetIcon(), type->GetPlainIcon());
  EXPECT_EQ(type->GetOverlay()->GetWidth(), 8);
  EXPECT_EQ(Pixel(type->GetOverlay(), 7, 7), 0u);
  CWaypointType* builtIn = manager->GetDefaultType();
  EXPECT_EQ(builtIn->GetPlainIcon()->GetWidth(), 32);
  EXPECT_EQ(Pixel(builtIn->GetPlainIcon(), 31, 31), 0u);
}

TEST_F(TypeTest, SetIconChecksInOrderAndChangesNothingOnFailure) {
  BmpPtr icon = Filled(5, 4, kRed);
  CWaypointType* type = AddType(icon.get(), nullptr, false, 2, 2);
  BmpPtr wide = Filled(65, 4, kBlue);
  BmpPtr overlay17 = Filled(17, 3, kBlue);
  BmpPtr small = Filled(3, 3, kBlue);
  struct Case {
    CBmp32* icon;
    CBmp32* overlay;
    float x;
    uint32_t error;
  } cases[] = {
      {nullptr, small.get(), 1, 0x80014u},         {wide.get(), small.get(), 1, 0x80015u},
      {small.get(), overlay17.get(), 1, 0x80015u}, {small.get(), nullptr, 1, 0x80014u},
      {small.get(), small.get(), 2.51f, 0x80016u},
  };
  for (const Case& c : cases) {
    type->SetIcon(c.icon, c.overlay, 0, c.x, 1, &error);
    EXPECT_EQ(error, c.error) << c.x;
    EXPECT_EQ(Pixel(type->GetPlainIcon(), 0, 0), kRed);
  }
  type->SetIcon(small.get(), small.get(), 0, 2.5f, 1, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(type->GetPlainIcon()->GetWidth(), 3);
  EXPECT_EQ(Pixel(type->GetPlainIcon(), 0, 0), kBlue);
  manager->GetDefaultType()->SetIcon(small.get(), small.get(), 0, 1, 1, &error);
  EXPECT_EQ(error, 0x80000u);
}

TEST_F(TypeTest, SameIconTouchesNothingAndOnePixelCounts) {
  BmpPtr icon = Filled(5, 4, kRed);
  BmpPtr overlay = Filled(3, 3, kBlue);
  CWaypointType* type = AddType(icon.get(), overlay.get(), false, 2, 2);
  db->SetModified(false);
  type->SetIcon(icon.get(), overlay.get(), 0, 2, 2, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(db->IsModified());
  overlay->Row(2)[2] = kRed;
  type->SetIcon(icon.get(), overlay.get(), 0, 2, 2, &error);
  EXPECT_TRUE(db->IsModified());
  EXPECT_EQ(Pixel(type->GetOverlay(), 2, 2), kRed);
}

// A 3 x 3 overlay centred on origin (0, 0) reaches 1.5 pixels over the left
// and top edges of a 3 x 3 icon: both move by one pixel, the display icon is
// 4 x 4 with the overlay at pixels 0..2 and the icon at 1..3, and the
// position lies on display pixel (1, 1).
TEST_F(TypeTest, OverlayOverTheEdgesMovesTheIcon) {
  BmpPtr icon = Filled(3, 3, kRed);
  BmpPtr overlay = Filled(3, 3, kBlue);
  CWaypointType* type = AddType(icon.get(), overlay.get(), true, 0, 0);
  CBmp32* shown = type->GetIcon();
  ASSERT_NE(shown, type->GetPlainIcon());
  ASSERT_EQ(shown->GetWidth(), 4);
  ASSERT_EQ(shown->GetHeight(), 4);
  const uint32_t expected[4][4] = {{kOverlaid, kOverlaid, kOverlaid, 0},
                                   {kOverlaid, kOverlaid, kOverlaid, kRed},
                                   {kOverlaid, kOverlaid, kOverlaid, kRed},
                                   {0, kRed, kRed, kRed}};
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(Pixel(shown, x, y), expected[y][x]) << x << "," << y;
  EXPECT_EQ(type->GetDisplayOriginX(), 1.0f);
  EXPECT_EQ(type->GetDisplayOriginY(), 1.0f);
  EXPECT_EQ(type->GetIconOriginX(), 0.0f);
}

// An overlay whose left edge lies at 0 fits: nothing moves and the icon's
// first column stays.
TEST_F(TypeTest, OverlayThatFitsMovesNothing) {
  BmpPtr icon = Filled(8, 8, kRed);
  BmpPtr overlay = Filled(3, 3, kBlue);
  CWaypointType* type = AddType(icon.get(), overlay.get(), true, 1.5f, 1.5f);
  CBmp32* shown = type->GetIcon();
  ASSERT_EQ(shown->GetWidth(), 8);
  ASSERT_EQ(shown->GetHeight(), 8);
  EXPECT_EQ(type->GetDisplayOriginX(), 1.5f);
  EXPECT_EQ(Pixel(shown, 7, 0), kRed);
  EXPECT_EQ(Pixel(shown, 5, 5), kRed);
  EXPECT_EQ(Pixel(shown, 1, 1), kOverlaid);
  type->SetIcon(icon.get(), overlay.get(), 0, 1.5f, 1.5f, &error);
  EXPECT_EQ(type->GetIcon(), type->GetPlainIcon());
}

TEST_F(TypeTest, NightDimsColoursAndIconsAndDayRestoresThem) {
  BmpPtr icon = Filled(2, 2, 0xFF808080u);
  CWaypointType* type = AddType(icon.get(), nullptr, false, 0, 0);
  screen->SetNight(1);
  EXPECT_EQ(type->GetColor(), 0xFF404040u);
  EXPECT_EQ(type->GetDayColor(), 0xFF808080u);
  EXPECT_EQ(type->GetCommentColor(), 0xFF102030u);
  EXPECT_EQ(Pixel(type->GetIcon(), 1, 1), 0xFF404040u);
  EXPECT_EQ(Pixel(type->GetPlainIcon(), 1, 1), 0xFF808080u);
  type->SetColor(0xFF8040C0u, &error);
  EXPECT_EQ(type->GetColor(), 0xFF402060u);
  EXPECT_EQ(type->GetDayColor(), 0xFF8040C0u);
  CWaypointType* copy = AddType(nullptr, nullptr, false, 0, 0);
  copy->Assign(type, &error);
  EXPECT_EQ(copy->GetColor(), 0xFF402060u);
  screen->SetNight(0);
  EXPECT_EQ(type->GetColor(), 0xFF8040C0u);
  EXPECT_EQ(copy->GetColor(), 0xFF8040C0u);
  EXPECT_EQ(copy->GetCommentColor(), 0xFF204060u);
  EXPECT_EQ(type->GetIcon(), type->GetPlainIcon());
}

// A type that goes gives its variables back: the night screen writes no
// freed memory when the mode changes afterwards.
TEST_F(TypeTest, DeletedTypeLeavesTheNightScreen) {
  CWaypointType* type = AddType(nullptr, nullptr, false, 0, 0);
  type->Delete(&error);
  EXPECT_EQ(error, 0u);
  screen->SetNight(1);
  EXPECT_EQ(manager->GetDefaultType()->GetColor(), 0xFF000000u);
}

}  // namespace
