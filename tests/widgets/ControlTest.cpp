// Hit test, paint order and repaint requests of the control tree.
#include <stdexcept>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Label.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class ControlTest : public WidgetTest {};

TEST_F(ControlTest, HitTestTable) {
  CControl root(nullptr);
  root.SetBounds(0, 0, 100, 100);
  auto* a = new CControl(&root);
  a->SetBounds(10, 10, 20, 20);
  auto* b = new CControl(&root);
  b->SetBounds(20, 20, 20, 20);
  auto* inner = new CControl(a);
  inner->SetBounds(0, 0, 5, 5);
  struct SCase {
    const char* name;
    int32_t x, y;
    std::function<void()> setup;
    CControl* expected;
  };
  const SCase cases[] = {
      {"left-top edge", 0, 0, [] {}, &root},
      {"right-bottom edge", 100, 100, [] {}, &root},
      {"minus one", -1, 5, [] {}, nullptr},
      {"past the right edge", 101, 5, [] {}, nullptr},
      {"child", 18, 12, [] {}, a},
      {"grandchild on its edge", 15, 15, [] {}, inner},
      {"overlap: later sibling first", 25, 25, [] {}, b},
      {"hidden later sibling", 25, 25, [=] { b->Visible = false; }, a},
      {"not hittable hides its children", 15, 15, [=] { a->SetHittable(false); }, &root},
      {"children not hittable", 15, 15, [=] { a->ChildrenHittable = false; }, a},
      {"disabled still hit", 15, 15, [=] { inner->Enabled = false; }, inner},
  };
  for (const SCase& c : cases) {
    a->Hittable = a->ChildrenHittable = b->Visible = inner->Enabled = true;
    c.setup();
    CControl* found = nullptr;
    bool hit = root.ControlAt(c.x, c.y, found);
    EXPECT_EQ(hit, c.expected != nullptr) << c.name;
    EXPECT_EQ(found, c.expected) << c.name;
  }
}

TEST_F(ControlTest, LaterOpaqueSiblingPaintsOverEarlierTransparentOneLetsThemShow) {
  CWindow window("", nullptr);
  CFontDesc font("Arial", 9, 0);
  auto* first = new CLabel(&window, "", &font);
  first->Color = 0x0000FF;
  first->SetBounds(10, 30, 40, 40);
  auto* second = new CLabel(&window, "", &font);
  second->Color = 0x00FF00;
  second->SetBounds(30, 50, 40, 40);
  auto* glass = new CLabel(&window, "", &font);
  glass->SetTransparent(true);
  glass->Color = 0xFF0000;
  glass->SetBounds(0, 20, 100, 100);
  window.Show();
  window.RepaintNow();
  EXPECT_EQ(Pixel(15, 35), 0xFF0000u);  // first alone: red
  EXPECT_EQ(Pixel(40, 60), 0x00FF00u);  // overlap: the later one, green
  EXPECT_EQ(Pixel(65, 85), 0x00FF00u);
  EXPECT_EQ(Pixel(5, 100), 0xFFFFFFu);  // window background under the glass
}

TEST_F(ControlTest, BoundsAndVisibilityInvalidateOldAndNewArea) {
  CWindow window("", nullptr);
  auto* child = new CControl(&window);
  child->SetBounds(10, 30, 20, 20);
  window.Show();
  Pump();
  ValidateRect(window.Handle, nullptr);
  RECT update;
  child->SetBounds(10, 30, 20, 20);
  EXPECT_FALSE(GetUpdateRect(window.Handle, &update, FALSE));
  child->SetBounds(50, 60, 10, 10);
  ASSERT_TRUE(GetUpdateRect(window.Handle, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.top, 30);
  EXPECT_EQ(update.right, 60);
  EXPECT_EQ(update.bottom, 70);
  ValidateRect(window.Handle, nullptr);
  child->SetVisible(false);
  ASSERT_TRUE(GetUpdateRect(window.Handle, &update, FALSE));
  EXPECT_EQ(update.left, 50);
  EXPECT_EQ(update.bottom, 70);
  CControl orphan(nullptr);
  orphan.SetBounds(1, 2, 3, 4);  // no window: nothing to invalidate, no failure
  orphan.SetVisible(false);
}

TEST_F(ControlTest, TreeKeepsParentAndListInStepAndChildrenDieLastToFirst) {
  static std::vector<int> order;
  struct CTagged : CControl {
    CTagged(CControl* parent, int tag) : CControl(parent), tag_(tag) {}
    ~CTagged() override { order.push_back(tag_); }
    int tag_;
  };
  order.clear();
  auto* root = new CControl(nullptr);
  new CTagged(root, 1);
  auto* two = new CTagged(root, 2);
  new CTagged(root, 3);
  two->SetParent(nullptr);
  EXPECT_EQ(root->GetControlCount(), 2);
  two->Place(root, 1, 2, 3, 4);
  EXPECT_EQ(two->GetParent(), root);
  EXPECT_EQ(root->GetControl(2), two);
  delete root;
  EXPECT_EQ(order, (std::vector<int>{2, 3, 1}));
  CControl parent(nullptr);
  CControl child(&parent);
  parent.RemoveAllControls();
  EXPECT_EQ(child.GetParent(), nullptr);
  EXPECT_EQ(parent.GetControlCount(), 0);
}

TEST_F(ControlTest, OriginsAndClickCount) {
  CWindow window("", nullptr);
  window.SetBounds(5, 7, 100, 100);
  auto* panel = new CControl(&window);
  panel->SetBounds(10, 20, 50, 50);
  auto* inner = new CControl(panel);
  inner->SetBounds(3, 4, 10, 10);
  EXPECT_EQ(inner->GetWindowOrigin().x, 13);
  EXPECT_EQ(inner->GetWindowOrigin().y, 24);
  EXPECT_EQ(inner->GetScreenOrigin().x, 18);
  EXPECT_EQ(inner->GetScreenOrigin().y, 31);
  EXPECT_EQ(inner->WindowToLocal({13, 24}).x, 0);
  inner->MouseDown(2, 3);
  inner->MouseUp(4, 4);
  EXPECT_EQ(inner->ClickCount, 0);
  EXPECT_FALSE(inner->IsPressed());
  EXPECT_EQ(inner->DownPoint.x, 2);
  EXPECT_EQ(inner->DownPoint.y, 3);
}

// The regions alive in this process. Wine hands a GDI object to a handle that
// carries only its table index, so every slot of the table can be asked.
int32_t LiveRegions() {
  int32_t regions = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) == OBJ_REGION) ++regions;
  return regions;
}

TEST_F(ControlTest, APaintThatThrowsLeavesNoRegionBehind) {
  CWindow window("", nullptr);
  auto* panel = new CControl(&window);
  panel->SetBounds(10, 30, 80, 80);
  auto* failing = new CControl(panel);
  failing->SetBounds(5, 5, 20, 20);
  failing->OnPaint = [](CControl*, CControl*, CBmp*) { throw std::runtime_error("paint"); };
  window.Show();
  Pump();
  HRGN probe = CreateRectRgn(0, 0, 1, 1);
  const int32_t before = LiveRegions();
  ASSERT_GE(before, 1);  // the probe: the count sees regions
  constexpr int32_t kPaints = 20;
  for (int32_t i = 0; i < kPaints; ++i) failing->RepaintNow();  // the window drops the error
  // Two regions a level of the tree for every paint, were they leaked.
  EXPECT_LT(LiveRegions() - before, kPaints);
  DeleteObject(probe);
}

}  // namespace
