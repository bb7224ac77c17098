// A handler may delete the control that raised it, or the whole window: the
// control and the window's dispatch touch nothing of theirs afterwards. Freed
// memory is kept poisoned meanwhile, so that any later use shows.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib/charts/TCF2TileStore.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/ChartViewer.h"
#include "lib/widgets/CheckBox.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/ListView.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/ScrollBar.h"
#include "tests/widgets/FreedMemory.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

// What the handlers delete, and whether they did.
CControl* g_Doomed = nullptr;
bool g_Deleted = false;

void DeleteDoomed() {
  if (!g_Doomed) return;
  CControl* doomed = g_Doomed;
  g_Doomed = nullptr;
  delete doomed;
  g_Deleted = true;
}

void DeleteOnPoint(CControl*, CControl*, int32_t, int32_t) { DeleteDoomed(); }
void DeleteOnNotify(CControl*, CControl*) { DeleteDoomed(); }
void DeleteOnKey(CControl*, CControl*, uint16_t) { DeleteDoomed(); }
void DeleteOnCheck(CControl*, CControl*, int32_t, int32_t, uint8_t) { DeleteDoomed(); }
void DeleteOnItem(CControl*, CControl*, CListItem*) { DeleteDoomed(); }
void DeleteOnItemClick(CControl*, CControl*, CListItem*, bool) { DeleteDoomed(); }
void DeleteOnPage(CControl*, CControl*, int32_t) { DeleteDoomed(); }
void DeleteOnCharts(CControl*, CControl*, TChartVisibilityList*) { DeleteDoomed(); }
void KeepZoom(CControl*, CControl*, TChartVisibilityList*, CGeodeticCalibration*, const SPointD&,
              double&) {}

class HandlerDeletionTest : public WidgetTest {
 protected:
  static void SetUpTestSuite() { GeodeticTablesInitialize(); }

  void TearDown() override {
    g_Doomed = nullptr;
    WidgetTest::TearDown();
  }

  CFontDesc font_{"Arial", 9, 0};
};

struct SCase {
  const char* name;
  // Builds the control in the window, sets the deleting handler and answers
  // the control that the input goes to.
  std::function<CControl*(CWindow& window, CFontDesc* font)> build;
  std::function<void(CControl& target)> input;
};

struct SMouse {
  UINT message;
  int32_t x, y;
};

// Posts the messages at points local to the control, all before the first is
// handled (the control may be gone after it), then pumps.
void Post(CControl& control, std::initializer_list<SMouse> messages) {
  const POINT origin = control.GetWindowOrigin();
  const HWND handle = control.GetHandle();
  for (const SMouse& m : messages)
    PostMessageA(handle, m.message, m.message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(origin.x + m.x, origin.y + m.y));
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Press(CControl& c) { Post(c, {{WM_LBUTTONDOWN, 6, 6}}); }
void Release(CControl& c) { Post(c, {{WM_LBUTTONDOWN, 6, 6}, {WM_LBUTTONUP, 6, 6}}); }
void Slide(CControl& c) { Post(c, {{WM_LBUTTONDOWN, 6, 6}, {WM_MOUSEMOVE, 8, 6}}); }

template <class T>
T* Placed(T* control) {
  control->SetBounds(10, 30, 120, 90);
  return control;
}

CListView* List(CWindow& window, CFontDesc* font, int32_t viewMode, int32_t selectMode,
                std::initializer_list<const char*> texts = {"one", "two", "three"}) {
  auto* list = Placed(new CListView(&window, viewMode, 20, 16, selectMode, font));
  for (const char* text : texts) list->AddItem()->SetText(text);
  return list;
}

// The list with its first row focused, so that deleting or clearing it
// raises OnFocusChange.
CListView* FocusedList(CWindow& window, CFontDesc* font, TNotifyHandler onFocusChange) {
  CListView* list = List(window, font, lvmText, lsmNone);
  list->SetFocusedItem(list->GetItem(0));
  list->OnFocusChange = onFocusChange;
  return list;
}

CTCF2TileStore g_TileStore;

// A chart viewer without charts on a view of the RD grid, one metre a pixel.
CTCF2ChartViewer* Viewer(CWindow& window) {
  auto* viewer = Placed(new CTCF2ChartViewer(&window, &g_TileStore));
  SGeodeticRef ref;
  GeodeticRefInitRD(ref);
  const SPointD p1{0, 0}, p2{100, 100}, m1{155100, 462900}, m2{155200, 462800};
  CGeodeticCalibration view;
  view.Calibrate2(&p1, &p2, &m1, &m2, 120, 90, &ref);
  viewer->SetView(&view);
  return viewer;
}

template <class T>
T& As(CControl& control) {
  return static_cast<T&>(control);
}

// The window, with everything in it, goes in a handler of each kind.
const SCase kWindowCases[] = {
    {"button down",
     [](CWindow& w, CFontDesc* f) {
       auto* b = Placed(new CButton(&w, "B", "C", f));
       b->OnMouseDown = DeleteOnPoint;
       return b;
     },
     Press},
    {"button up",
     [](CWindow& w, CFontDesc* f) {
       auto* b = Placed(new CButton(&w, "B", "C", f));
       b->OnMouseUp = DeleteOnPoint;
       return b;
     },
     Release},
    {"button click",
     [](CWindow& w, CFontDesc* f) {
       auto* b = Placed(new CButton(&w, "B", "C", f));
       b->OnClick = DeleteOnPoint;
       return b;
     },
     Release},
    {"check box down",
     [](CWindow& w, CFontDesc* f) {
       auto* c = Placed(new CCheckBox(&w, "C", f));
       c->OnMouseDown = DeleteOnPoint;
       return c;
     },
     Press},
    {"check box up",
     [](CWindow& w, CFontDesc* f) {
       auto* c = Placed(new CCheckBox(&w, "C", f));
       c->OnMouseUp = DeleteOnPoint;
       return c;
     },
     Release},
    {"check box check",
     [](CWindow& w, CFontDesc* f) {
       auto* c = Placed(new CCheckBox(&w, "C", f));
       c->OnCheck = DeleteOnCheck;
       return c;
     },
     Release},
    {"check box click",
     [](CWindow& w, CFontDesc* f) {
       auto* c = Placed(new CCheckBox(&w, "C", f));
       c->OnClick = DeleteOnPoint;
       return c;
     },
     Release},
    {"edit enter",
     [](CWindow& w, CFontDesc* f) {
       auto* e = Placed(new CEdit(&w, "text", f));
       e->OnEnter = DeleteOnNotify;
       return e;
     },
     Press},
    {"edit down",
     [](CWindow& w, CFontDesc* f) {
       auto* e = Placed(new CEdit(&w, "text", f));
       e->OnMouseDown = DeleteOnPoint;
       return e;
     },
     Press},
    {"edit move",
     [](CWindow& w, CFontDesc* f) {
       auto* e = Placed(new CEdit(&w, "text", f));
       e->OnMouseMove = DeleteOnPoint;
       return e;
     },
     Slide},
    {"edit double click",
     [](CWindow& w, CFontDesc* f) {
       auto* e = Placed(new CEdit(&w, "text", f));
       e->OnDblClick = DeleteOnPoint;
       return e;
     },
     [](CControl& e) {
       Post(e, {{WM_LBUTTONDOWN, 6, 6}, {WM_LBUTTONUP, 6, 6}, {WM_LBUTTONDBLCLK, 6, 6}});
     }},
    {"key press",
     [](CWindow& w, CFontDesc* f) {
       auto* e = Placed(new CEdit(&w, "text", f));
       w.SetFocus(e);
       e->OnKeyPress = DeleteOnKey;
       return e;
     },
     [](CControl& e) {
       PostMessageA(e.GetHandle(), WM_KEYUP, 'A', 0);
       Post(e, {});
     }},
    {"list focus change",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmText, lsmTouch);
       list->OnFocusChange = DeleteOnNotify;
       return list;
     },
     Press},
    {"list touch selection",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmText, lsmTouch);
       list->OnSelectionChange = DeleteOnNotify;
       return list;
     },
     Press},
    {"list range selection",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmText, lsmRange);
       list->OnSelectionChange = DeleteOnNotify;
       return list;
     },
     Press},
    {"list slide over a row",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmText, lsmTouch);
       list->OnSelectionChange = [](CControl*, CControl* sender) {
         // Not on the press: on the slide to the next row.
         if (static_cast<CListView*>(sender)->GetFocusedItem()->GetText() == "two") DeleteDoomed();
       };
       return list;
     },
     [](CControl& list) {
       Post(list, {{WM_LBUTTONDOWN, 6, 6}, {WM_MOUSEMOVE, 6, 26}});
     }},
    {"list item click",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmText, lsmNone);
       list->OnItemClick = DeleteOnItemClick;
       return list;
     },
     Release},
    {"list mark",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmCheck, lsmNone);
       list->OnCheckChange = DeleteOnItem;
       return list;
     },
     [](CControl& list) {
       Post(list, {{WM_LBUTTONDOWN, 1, 6}, {WM_LBUTTONUP, 1, 6}});
     }},
    // Operations that raise events and go on afterwards.
    {"page change",
     [](CWindow& w, CFontDesc*) {
       auto* page = Placed(new CPage(&w, nullptr));
       page->OnPageChange = DeleteOnNotify;
       return page;
     },
     [](CControl& page) { As<CPage>(page).SetCurrentPage(1); }},
    {"chart viewer turned",
     [](CWindow& w, CFontDesc*) {
       CTCF2ChartViewer* viewer = Viewer(w);
       viewer->OnViewChange = DeleteOnNotify;
       return viewer;
     },
     [](CControl& viewer) { As<CTCF2ChartViewer>(viewer).SetRotation(0.5); }},
    {"page filled", [](CWindow& w, CFontDesc*) { return Placed(new CPage(&w, DeleteOnPage)); },
     [](CControl& page) { As<CPage>(page).SetCurrentPage(1); }},
    {"list row deleted", [](CWindow& w, CFontDesc* f) { return FocusedList(w, f, DeleteOnNotify); },
     [](CControl& list) { As<CListView>(list).Delete(0); }},
    {"list cleared", [](CWindow& w, CFontDesc* f) { return FocusedList(w, f, DeleteOnNotify); },
     [](CControl& list) { As<CListView>(list).Clear(); }},
    {"list checked",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmCheck, lsmNone);
       list->OnCheckChange = DeleteOnItem;
       return list;
     },
     [](CControl& list) { As<CListView>(list).CheckAll(); }},
    {"list scrolled back",
     [](CWindow& w, CFontDesc* f) {
       auto* list = List(w, f, lvmText, lsmNone);
       CScrollBar* bar = list->GetScrollBar();
       bar->SetMax(100);
       bar->SetPosition(50);
       bar->OnChange = DeleteOnNotify;
       return list;
     },
     [](CControl& list) { As<CListView>(list).UpdatePage(); }},
    {"scroll bar range",
     [](CWindow& w, CFontDesc*) {
       auto* bar = Placed(new CScrollBar(&w));
       bar->OnChange = DeleteOnNotify;
       return bar;
     },
     [](CControl& bar) { As<CScrollBar>(bar).SetRange(5, 0, 10); }},
    {"chart viewer panned",
     [](CWindow& w, CFontDesc*) {
       CTCF2ChartViewer* viewer = Viewer(w);
       viewer->OnVisibleChartsChange = DeleteOnCharts;
       return viewer;
     },
     [](CControl& viewer) { As<CTCF2ChartViewer>(viewer).Pan(5, 0); }},
    {"chart viewer zoom query",
     [](CWindow& w, CFontDesc*) {
       CTCF2ChartViewer* viewer = Viewer(w);
       viewer->OnVisibleChartsChange = DeleteOnCharts;
       viewer->OnZoomQuery = KeepZoom;
       return viewer;
     },
     [](CControl& viewer) {
       As<CTCF2ChartViewer>(viewer).ZoomAt(2, {50, 50}, false);
     }},
    {"chart viewer zoomed",
     [](CWindow& w, CFontDesc*) {
       CTCF2ChartViewer* viewer = Viewer(w);
       viewer->OnViewChange = DeleteOnNotify;
       return viewer;
     },
     [](CControl& viewer) {
       As<CTCF2ChartViewer>(viewer).ZoomAt(2, {50, 50}, false);
     }},
};

TEST_F(HandlerDeletionTest, AWindowDeletedByAHandlerIsNotTouchedAfterwards) {
  for (const SCase& c : kWindowCases) {
    auto* window = new CWindow("", nullptr);
    CControl* target = c.build(*window, &font_);
    window->Show();
    Pump();
    g_Doomed = window;
    g_Deleted = false;
    {
      CFreedMemoryWatch freed;
      c.input(*target);
      ASSERT_TRUE(g_Deleted) << c.name;
      EXPECT_GT(freed.Freed(), 0) << c.name;
      EXPECT_EQ(freed.Calls(), 0) << c.name << ": a virtual call on a deleted control";
      EXPECT_EQ(freed.Writes(), 0) << c.name << ": a write into a deleted control";
    }
    EXPECT_EQ(g_CapturedControl, nullptr) << c.name;
    EXPECT_EQ(g_LastClickedControl, nullptr) << c.name;
  }
}

// The texts of the list's rows in order.
std::vector<std::string> Texts(const CListView& list) {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < list.GetCount(); ++i) texts.push_back(list.GetItem(i)->GetText().c_str());
  return texts;
}

// Only the first row goes, through the list view; the list view goes on.
CListView* g_RowList = nullptr;
std::vector<std::string> g_Clicked;

void DeleteFirstRow() {
  if (g_Deleted) return;
  g_Deleted = true;
  g_RowList->Delete(0);
}

TEST_F(HandlerDeletionTest, ARowDeletedByTheListsHandlersIsNotTouchedAfterwards) {
  struct SRowCase {
    const char* name;
    int32_t viewMode, x;
    bool onCheckChange;
  } cases[] = {
      {"check change", lvmCheck, 1, true},
      {"focus change", lvmText, 30, false},
  };
  for (const SRowCase& c : cases) {
    CWindow window("", nullptr);
    CListView* list = List(window, &font_, c.viewMode, lsmNone);
    if (c.onCheckChange)
      list->OnCheckChange = [](CControl*, CControl*, CListItem*) { DeleteFirstRow(); };
    else
      list->OnFocusChange = [](CControl*, CControl*) { DeleteFirstRow(); };
    list->OnItemClick = [](CControl*, CControl*, CListItem* item, bool) {
      g_Clicked.push_back(item->GetText().c_str());
    };
    window.Show();
    Pump();
    g_RowList = list;
    g_Clicked.clear();
    g_Deleted = false;
    {
      CFreedMemoryWatch freed;
      Tap(*list, c.x, 6);
      ASSERT_TRUE(g_Deleted) << c.name;
      EXPECT_EQ(freed.Calls(), 0) << c.name;
      EXPECT_EQ(freed.Writes(), 0) << c.name;
    }
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"two", "three"})) << c.name;
    EXPECT_TRUE(g_Clicked.empty()) << c.name << ": the click of a row that is gone";
    EXPECT_FALSE(list->IsPressed()) << c.name;
  }
}

// Handlers that edit the toolkit, not delete it, while an operation runs: the
// operation goes on with what is there after them.
CControl* g_Detached = nullptr;
int32_t g_Entered = 0;

struct SEditCase {
  const char* name;
  std::function<void(CWindow& window, CFontDesc* font)> run;
};

void DeleteFirstRowOnFocus(CControl*, CControl*) { DeleteFirstRow(); }

const SEditCase kEditCases[] = {
    {"the focused row deleted, and the first row by its focus handler",
     [](CWindow& w, CFontDesc* f) {
       g_RowList = FocusedList(w, f, DeleteFirstRowOnFocus);
       g_RowList->Delete(0);
       // The handler deleted the row being deleted: nothing more goes.
       EXPECT_EQ(Texts(*g_RowList), (std::vector<std::string>{"two", "three"}));
     }},
    {"the only row deleted, and by its focus handler",
     [](CWindow& w, CFontDesc* f) {
       g_RowList = List(w, f, lvmText, lsmNone, {"one"});
       g_RowList->SetFocusedItem(g_RowList->GetItem(0));
       g_RowList->OnFocusChange = DeleteFirstRowOnFocus;
       g_RowList->Delete(0);
       EXPECT_EQ(g_RowList->GetCount(), 0);
     }},
    {"the list cleared, and its first row deleted by the focus handler",
     [](CWindow& w, CFontDesc* f) {
       g_RowList = FocusedList(w, f, DeleteFirstRowOnFocus);
       g_RowList->Clear();
       EXPECT_EQ(g_RowList->GetCount(), 0);
       EXPECT_EQ(g_RowList->GetFocusedItem(), nullptr);
     }},
    {"the focus moved to a control that the exit handler takes out of the window",
     [](CWindow& w, CFontDesc* f) {
       auto* from = Placed(new CEdit(&w, "from", f));
       auto* to = new CEdit(&w, "to", f);
       w.SetFocus(from);
       g_Detached = to;
       g_Entered = 0;
       from->OnExit = [](CControl*, CControl*) { g_Detached->SetParent(nullptr); };
       to->OnEnter = [](CControl*, CControl*) { ++g_Entered; };
       w.SetFocus(to);
       EXPECT_EQ(w.FocusedControl, nullptr);
       EXPECT_FALSE(to->IsFocused());
       EXPECT_EQ(g_Entered, 0);
       EXPECT_FALSE(from->IsFocused());
       delete to;
     }},
};

TEST_F(HandlerDeletionTest, AnOperationGoesOnWithWhatTheHandlersLeft) {
  for (const SEditCase& c : kEditCases) {
    SCOPED_TRACE(c.name);
    CWindow window("", nullptr);
    window.Show();
    Pump();
    g_Deleted = false;
    CFreedMemoryWatch freed;
    c.run(window, &font_);
    EXPECT_EQ(freed.Calls(), 0);
    EXPECT_EQ(freed.Writes(), 0);
  }
}

}  // namespace
