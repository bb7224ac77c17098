// The window's message table, caption, modal loop and the input state.
#include <stdexcept>

#include "lib/foundation/app/Application.h"
#include "lib/widgets/Label.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class WindowTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    SEventLog::events.clear();
  }

  // A 30 x 30 control at (20, 40) of the window.
  static CControl* AddTarget(CWindow& window) {
    auto* target = new CControl(&window);
    target->SetBounds(20, 40, 30, 30);
    return target;
  }
};

using Events = std::vector<std::string>;

TEST_F(WindowTest, ClickOnlyWhenReleasedInsideEdgesIncluded) {
  CWindow window("", nullptr);
  auto* target = AddTarget(window);
  SEventLog::Attach(*target);
  window.Show();
  Mouse(*target, WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(g_CapturedControl, target);
  Mouse(*target, WM_LBUTTONUP, 60, 5);  // outside: no click
  Mouse(*target, WM_LBUTTONDOWN, 5, 5);
  Mouse(*target, WM_LBUTTONUP, 30, 30);  // right and bottom edge: click
  EXPECT_EQ(SEventLog::events,
            (Events{"down 5,5", "up 60,5", "down 5,5", "up 30,30", "click 30,30"}));
  EXPECT_EQ(g_CapturedControl, nullptr);
  EXPECT_EQ(g_LastClickedControl, target);
}

TEST_F(WindowTest, DisabledControlTakesTheHitAndDropsThePress) {
  CWindow window("", nullptr);
  auto* target = AddTarget(window);
  SEventLog::Attach(*target);
  target->SetEnabled(false);
  window.Show();
  Tap(*target, 5, 5);
  EXPECT_TRUE(SEventLog::events.empty());
}

TEST_F(WindowTest, DoubleClickWithAndWithoutWantsDblClick) {
  for (bool wants : {true, false}) {
    SEventLog::events.clear();
    CWindow window("", nullptr);
    auto* target = AddTarget(window);
    target->WantsDblClick = wants;
    SEventLog::Attach(*target);
    window.Show();
    Tap(*target, 5, 5);
    Mouse(*target, WM_LBUTTONDBLCLK, 6, 6);
    Mouse(*target, WM_LBUTTONUP, 6, 6);
    Events expected =
        wants ? Events{"down 5,5", "up 5,5", "click 5,5", "dbl 6,6"}
              : Events{"down 5,5", "up 5,5", "click 5,5", "down 6,6", "up 6,6", "click 6,6"};
    EXPECT_EQ(SEventLog::events, expected) << wants;
  }
}

TEST_F(WindowTest, KeyRepeatsMakeOneKeyDownAndKeyPressComesOnRelease) {
  CWindow window("", nullptr);
  auto* target = new CControl(&window);
  target->Focusable = true;
  target->SetBounds(20, 40, 30, 30);
  SEventLog::Attach(*target);
  window.Show();
  Tap(*target, 1, 1);
  EXPECT_EQ(window.FocusedControl, target);
  SEventLog::events.clear();
  for (int i = 0; i < 5; ++i) PostMessageA(window.Handle, WM_KEYDOWN, 'A', 1);
  PostMessageA(window.Handle, WM_KEYUP, 'A', 1);
  Pump();
  EXPECT_EQ(SEventLog::events, (Events{"keydown 65,0", "keypress 65,0", "keyup 65,0"}));
}

TEST_F(WindowTest, FocusMovesWithExitAndEnter) {
  static Events log;
  log.clear();
  CWindow window("", nullptr);
  CControl* a = new CControl(&window);
  CControl* b = new CControl(&window);
  a->OnExit = [](CControl*, CControl*) { log.push_back("exit a"); };
  b->OnEnter = [](CControl*, CControl* s) {
    log.push_back(s->IsFocused() ? "enter b focused" : "enter b");
  };
  window.SetFocus(a);
  window.SetFocus(b);
  EXPECT_FALSE(a->IsFocused());
  EXPECT_EQ(log, (Events{"exit a", "enter b focused"}));
}

TEST_F(WindowTest, CaptionFullScreenAndBordered) {
  CWindow window("Title", nullptr);
  EXPECT_TRUE(window.IsFullScreen());
  window.Show();
  window.RepaintNow();
  CLabel* caption = window.GetCaptionLabel();
  EXPECT_EQ(caption->GetWidth(), 240);
  EXPECT_EQ(caption->GetHeight(), 17);
  EXPECT_EQ(caption->Margin, 5);  // Layout on show
  EXPECT_EQ(Pixel(0, 0), RgbOf(0xC56A31));
  EXPECT_EQ(Pixel(120, 17), 0u);  // the underline
  EXPECT_EQ(Pixel(120, 18), 0xFFFFFFu);
  RECT text = InkBox({0, 0, 240, 17}, RgbOf(0xC56A31));
  EXPECT_GE(text.left, 5);  // the margin at the left
  EXPECT_LT(text.left, 20);
  window.SetBounds(10, 20, 100, 80);
  EXPECT_FALSE(window.IsFullScreen());
  EXPECT_EQ(caption->GetLeft(), 1);
  EXPECT_EQ(caption->GetTop(), 1);
  EXPECT_EQ(caption->GetWidth(), 98);
  EXPECT_EQ(caption->GetHeight(), 16);
  window.RepaintNow();
  EXPECT_EQ(Pixel(0, 0), 0u);  // the border
  EXPECT_EQ(Pixel(99, 79), 0u);
  EXPECT_EQ(Pixel(1, 1), RgbOf(0xC56A31));
  EXPECT_EQ(Pixel(50, 60), 0xFFFFFFu);
  window.SetBounds(0, 0, 240, 320);
  EXPECT_TRUE(window.IsFullScreen());
  EXPECT_EQ(caption->GetWidth(), 240);
}

TEST_F(WindowTest, BorderedCaptionDragsTheWindowFullScreenOneDoesNot) {
  CWindow window("Title", nullptr);
  CLabel* caption = window.GetCaptionLabel();
  Mouse(*caption, WM_LBUTTONDOWN, 10, 5);
  Mouse(*caption, WM_MOUSEMOVE, 30, 5);
  Mouse(*caption, WM_LBUTTONUP, 30, 5);
  EXPECT_EQ(window.GetLeft(), 0);
  window.SetBounds(10, 20, 100, 80);
  window.Show();
  Mouse(*caption, WM_LBUTTONDOWN, 10, 5);
  PostMessageA(window.Handle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1 + 25, 1 + 12));
  Pump();
  EXPECT_EQ(window.GetLeft(), 25);
  EXPECT_EQ(window.GetTop(), 27);
  RECT r;
  GetWindowRect(window.Handle, &r);
  EXPECT_EQ(r.left, 25);
  EXPECT_EQ(r.top, 27);
}

void EndWithYes(CControl* owner, CControl*, int32_t, int32_t) {
  static_cast<CWindow*>(owner)->ModalResult = mrYes;
}

TEST_F(WindowTest, ModalLoopEndedByHandlerWithOwnerDisabledMeanwhile) {
  CWindow owner("", nullptr);
  owner.Show();
  CWindow box("", &owner);
  auto* button = AddTarget(box);
  button->OnClick = EndWithYes;
  static bool ownerWasEnabled = true;
  CMessageScript script({[&] { ownerWasEnabled = IsWindowEnabled(owner.Handle); },
                         [=] { Mouse(*button, WM_LBUTTONDOWN, 5, 5, false); },
                         [=] { Mouse(*button, WM_LBUTTONUP, 5, 5, false); }});
  EXPECT_EQ(box.ShowModal(), mrYes);
  EXPECT_FALSE(ownerWasEnabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle));
  EXPECT_FALSE(box.IsVisible());
  EXPECT_FALSE(box.Modal);
}

TEST_F(WindowTest, QuitEndsTheLoopKeepsAnEarlierExitCodeAndRequestsClose) {
  g_Application.SetExitCode(7);  // an earlier code stays
  CWindow box("", nullptr);
  CMessageScript script({[] { PostQuitMessage(42); }});
  EXPECT_EQ(box.ShowModal(), mrCancel);
  EXPECT_TRUE(g_CloseRequested);
  EXPECT_EQ(g_Application.GetExitCode(), 7u);
}

TEST_F(WindowTest, CloseRequestEndsThisAndEveryLaterLoop) {
  CWindow box("", nullptr);
  CMessageScript script({[&] { PostMessageA(box.Handle, WM_CLOSE, 0, 0); }});
  EXPECT_EQ(box.ShowModal(), mrCancel);
  EXPECT_TRUE(IsWindow(box.Handle));  // neither destroyed nor kept visible
  CWindow later("", nullptr);
  PostMessageA(later.Handle, WM_NULL, 0, 0);
  EXPECT_EQ(later.ShowModal(), mrCancel);
}

void Throw(CControl*, CControl*, int32_t, int32_t) { throw std::runtime_error("handler failed"); }

TEST_F(WindowTest, HandlerErrorReachesTheCallerWithWindowHiddenAndOwnerBack) {
  CWindow owner("", nullptr);
  owner.Show();
  CWindow box("", &owner);
  auto* button = AddTarget(box);
  button->OnMouseDown = Throw;
  CMessageScript script({[=] { Mouse(*button, WM_LBUTTONDOWN, 5, 5, false); }});
  EXPECT_THROW(box.ShowModal(), std::runtime_error);
  EXPECT_FALSE(box.IsVisible());
  EXPECT_FALSE(box.Modal);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle));
  // Outside any modal loop the error is dropped at the window procedure.
  box.Show();
  Mouse(*button, WM_LBUTTONDOWN, 5, 5);
}

TEST_F(WindowTest, ShowModalOnVisibleWindowFailsWithoutSettingModal) {
  CWindow box("", nullptr);
  box.Show();
  try {
    box.ShowModal();
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "CWindow::ShowModal(), Window already visible.");
  }
  EXPECT_FALSE(box.Modal);
  EXPECT_TRUE(box.IsVisible());
}

TEST_F(WindowTest, DeletedCapturedControlThenButtonUpIsHarmless) {
  CWindow window("", nullptr);
  auto* key = AddTarget(window);
  window.Show();
  Mouse(*key, WM_LBUTTONDOWN, 5, 5);
  ASSERT_EQ(g_CapturedControl, key);
  Tap(*key, 5, 5);
  ASSERT_EQ(g_LastClickedControl, key);
  Mouse(*key, WM_LBUTTONDOWN, 5, 5);
  delete key;
  EXPECT_EQ(g_CapturedControl, nullptr);
  EXPECT_EQ(g_LastClickedControl, nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  PostMessageA(window.Handle, WM_LBUTTONUP, 0, MAKELPARAM(25, 45));
  Pump();
}

void DeleteSender(CControl*, CControl* sender, int32_t, int32_t) { delete sender; }

TEST_F(WindowTest, ControlDeletedByItsMouseDownHandlerTakesNoCapture) {
  CWindow window("", nullptr);
  auto* key = AddTarget(window);
  key->OnMouseDown = DeleteSender;
  window.Show();
  PostMessageA(window.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 45));
  PostMessageA(window.Handle, WM_LBUTTONUP, 0, MAKELPARAM(25, 45));
  Pump();
  EXPECT_EQ(window.GetControlCount(), 1);  // the caption label is left
  EXPECT_EQ(g_CapturedControl, nullptr);
}

TEST_F(WindowTest, DetachedFocusedControlGetsNoKeysAndNoExit) {
  CWindow window("", nullptr);
  auto* panel = new CControl(&window);
  auto* edit = new CControl(panel);
  SEventLog::Attach(*edit);
  edit->OnExit = [](CControl*, CControl*) { SEventLog::Add("exit", 0, 0); };
  window.SetFocus(edit);
  window.Show();
  panel->SetParent(nullptr);  // the focused control leaves with its parent
  EXPECT_EQ(window.FocusedControl, nullptr);
  PostMessageA(window.Handle, WM_KEYDOWN, 'B', 1);
  Pump();
  EXPECT_TRUE(SEventLog::events.empty());
  delete panel;
}

TEST_F(WindowTest, HidingByAnyPathReleasesTheCaptureInside) {
  CWindow window("", nullptr);
  auto* target = AddTarget(window);
  window.Show();
  Mouse(*target, WM_LBUTTONDOWN, 5, 5);
  ASSERT_EQ(g_CapturedControl, target);
  window.SetVisible(false);
  EXPECT_EQ(g_CapturedControl, nullptr);
}

TEST_F(WindowTest, MovesGoToTheCapturedControlWhereverTheMouseIs) {
  CWindow window("", nullptr);
  auto* a = AddTarget(window);
  a->OnMouseMove = SEventLog::Move;
  auto* b = new CControl(&window);
  b->SetBounds(100, 40, 30, 30);
  b->OnMouseMove = SEventLog::Move;
  window.Show();
  Mouse(*b, WM_MOUSEMOVE, 1, 2);
  EXPECT_EQ(SEventLog::events, (Events{"move 1,2"}));
  Mouse(*a, WM_LBUTTONDOWN, 5, 5);
  SEventLog::events.clear();  // taking the capture may report where the mouse is
  Mouse(*b, WM_MOUSEMOVE, 1, 2);
  EXPECT_EQ(SEventLog::events, (Events{"move 81,2"}));
}

TEST_F(WindowTest, AFocusedControlThatLeavesLosesItsFocusedFlag) {
  CWindow window("", nullptr);
  auto* edit = AddTarget(window);
  edit->Focusable = true;
  edit->OnEnter = [](CControl*, CControl*) { SEventLog::Add("enter", 0, 0); };
  edit->OnExit = [](CControl*, CControl*) { SEventLog::Add("exit", 0, 0); };
  window.Show();
  Tap(*edit, 5, 5);
  ASSERT_TRUE(edit->IsFocused());
  edit->SetParent(nullptr);
  edit->SetParent(&window);
  EXPECT_EQ(window.FocusedControl, nullptr);
  EXPECT_FALSE(edit->IsFocused());
  Tap(*edit, 5, 5);  // focused again: one Enter, and no Exit was owed
  EXPECT_TRUE(edit->IsFocused());
  EXPECT_EQ(window.FocusedControl, edit);
  EXPECT_EQ(SEventLog::events, (Events{"enter 0,0", "enter 0,0"}));
}

// The fixture's input helpers, for handlers.
struct SInput : WidgetTest {
  using WidgetTest::Tap;
};

// The opener's MouseDown runs a modal window in which a tap ends the loop.
void OpenNested(CControl*, CControl*, int32_t, int32_t) {
  SEventLog::Add("down", 0, 0);
  CWindow nested("", nullptr);
  auto* ok = new CControl(&nested);
  ok->SetBounds(20, 40, 30, 30);
  ok->OnClick = [](CControl* owner, CControl*, int32_t, int32_t) {
    static_cast<CWindow*>(owner)->ModalResult = mrOK;
  };
  CMessageScript script({[=] { SInput::Tap(*ok, 5, 5); }});
  nested.ShowModal();
}

TEST_F(WindowTest, APressWhoseHandlerRanAModalLoopEndsWithIt) {
  CWindow window("", nullptr);
  auto* opener = AddTarget(window);
  opener->OnMouseDown = OpenNested;
  opener->OnMouseUp = SEventLog::Up;
  opener->OnClick = SEventLog::Click;
  window.Show();
  // The release of this press went to the nested loop, with the tap there.
  Mouse(*opener, WM_LBUTTONDOWN, 5, 5);
  EXPECT_FALSE(opener->IsPressed());
  EXPECT_EQ(opener->ClickCount, 0);
  EXPECT_EQ(g_CapturedControl, nullptr);
  EXPECT_EQ(SEventLog::events, (Events{"down 0,0", "up 5,5"}));
  // The next press counts from 1 again, and is captured as usual.
  opener->OnMouseDown = SEventLog::Down;
  Mouse(*opener, WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(opener->ClickCount, 1);
  EXPECT_EQ(g_CapturedControl, opener);
  Mouse(*opener, WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(SEventLog::events, (Events{"down 0,0", "up 5,5", "down 5,5", "up 5,5", "click 5,5"}));
}

class CFailingWindow : public CWindow {
 public:
  CFailingWindow() : CWindow("", nullptr) {}
  void Layout(int32_t orientation) override {
    CWindow::Layout(orientation);
    if (FailLayout) throw std::runtime_error("layout");
  }
  bool FailLayout = false;
};

TEST_F(WindowTest, AShowThatFailsInLayoutOrOnShowLeavesTheWindowHiddenAndNotModal) {
  for (bool inLayout : {true, false}) {
    CFailingWindow window;
    window.FailLayout = inLayout;
    if (!inLayout)
      window.OnShow = MakeCallback(
          +[](void*, CWindow*) { throw std::runtime_error("show"); }, nullptr);
    EXPECT_THROW(window.ShowModal(), std::runtime_error) << inLayout;
    EXPECT_FALSE(window.Modal) << inLayout;
    EXPECT_FALSE(window.IsVisible()) << inLayout;
    EXPECT_FALSE(IsWindowVisible(window.Handle)) << inLayout;
    EXPECT_THROW(window.Show(), std::runtime_error) << inLayout;
    EXPECT_FALSE(window.IsVisible()) << inLayout;
    // Once the failure is gone the window shows as usual.
    window.FailLayout = false;
    window.OnShow = SCallback();
    window.Show();
    EXPECT_TRUE(window.IsVisible()) << inLayout;
  }
}

// A message of the library's own goes to the function set for it.
TEST_F(WindowTest, AMessageSetByAControlReachesItsFunctionWithTheWindow) {
  constexpr UINT kMessage = WM_APP + 0x123;
  static CWindow* s_seen = nullptr;
  static WPARAM s_wParam = 0;
  SetWindowMessageHandler(kMessage, [](CWindow* window, WPARAM wParam, LPARAM) {
    s_seen = window;
    s_wParam = wParam;
  });
  CWindow window("", nullptr);
  EXPECT_EQ(SendMessageA(window.Handle, kMessage, 7, 0), 0);
  EXPECT_EQ(s_seen, &window);
  EXPECT_EQ(s_wParam, 7u);
  SetWindowMessageHandler(kMessage, nullptr);
  s_seen = nullptr;
  SendMessageA(window.Handle, kMessage, 8, 0);
  EXPECT_EQ(s_seen, nullptr);
}

}  // namespace
