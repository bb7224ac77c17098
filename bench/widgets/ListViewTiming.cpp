// Times the list view under Wine (it needs GDI, so it is no native benchmark):
// 10,000 items filled inside BeginUpdate/EndUpdate with sorting on, then every
// page stepped through and painted; and items added one by one (AddItem, then
// SetText) to a sorted list outside an update, at two sizes, so that the ratio
// shows how the cost grows. listview_timing [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/widgets/ListView.h"
#include "lib/widgets/Window.h"

namespace {

double NowMs() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * double(count.QuadPart) / double(frequency.QuadPart);
}

// Texts in no particular order: "Item" and a scrambled number.
CStr ItemText(uint32_t i) {
  char text[32];
  wsprintfA(text, "Item %08lu", static_cast<unsigned long>((i * 2654435761u) % 100000000u));
  return CStr(text);
}

// The best of the rounds, in milliseconds.
double Best(int32_t rounds, const std::function<double()>& run) {
  double best = 1e300;
  for (int32_t r = 0; r < rounds; ++r) best = std::min(best, run());
  return best;
}

struct SFixture {
  CWindow window{"timing", nullptr};
  CFontDesc font{"Arial", 9, 0};

  CListView* MakeList() {
    auto* list = new CListView(&window, lvmText, 20, 16, lsmTouch, &font);
    list->SetBounds(0, 20, 240, 280);
    list->SetSorted(true);
    return list;
  }
};

// Filling inside an update (one sort at the end), then every page painted.
void TimeFillAndPages(SFixture& f, int32_t rounds) {
  double pagesMs = 0;
  int32_t pages = 0;
  double fillMs = Best(rounds, [&] {
    CListView* list = f.MakeList();
    double start = NowMs();
    list->BeginUpdate();
    for (uint32_t i = 0; i < 10000; ++i) list->AddItem()->SetText(ItemText(i));
    list->EndUpdate();
    double filled = NowMs();
    pages = list->GetPageCount();
    for (int32_t p = 1; p <= pages; ++p) {
      list->SetCurrentPage(p);
      list->RepaintNow();
    }
    pagesMs = NowMs() - filled;
    delete list;
    return filled - start;
  });
  std::printf("fill 10000 sorted items in one update: %.2f ms\n", fillMs);
  std::printf("step and paint %d pages: %.2f ms (%.3f ms a page)\n", pages, pagesMs,
              pagesMs / pages);
}

double OneByOne(SFixture& f, uint32_t count) {
  CListView* list = f.MakeList();
  double start = NowMs();
  for (uint32_t i = 0; i < count; ++i) list->AddItem()->SetText(ItemText(i));
  double ms = NowMs() - start;
  delete list;
  return ms;
}

void TimeOneByOne(SFixture& f, int32_t rounds) {
  double small = Best(rounds, [&] { return OneByOne(f, 1000); });
  double large = Best(rounds, [&] { return OneByOne(f, 4000); });
  std::printf("add 1000 items one by one to a sorted list: %.2f ms (%.1f us an item)\n", small,
              1000.0 * small / 1000);
  std::printf("add 4000 items one by one: %.2f ms, %.1f x the 1000 (16 x would be quadratic)\n",
              large, large / small);
}

}  // namespace

int main(int argc, char** argv) {
  int32_t rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  CScreenInfo screen(240, 320, 96);
  g_ScreenInfo = &screen;
  {
    SFixture fixture;
    fixture.window.Show();
    TimeFillAndPages(fixture, rounds);
    TimeOneByOne(fixture, rounds);
  }
  g_ScreenInfo = nullptr;
  return 0;
}
