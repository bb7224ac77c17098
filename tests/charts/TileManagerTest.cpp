// The tile manager's thread with real windows: messages arrive through a
// hidden window's queue, pumped here.
#include "lib/charts/TCF2TileManager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "lib/charts/TCF2Chart.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/ThreadStartRefused.h"
#include "tests/charts/ChartFileTestSupport.h"
#include "tests/charts/TileTestSupport.h"

namespace {

constexpr uint32_t kTileBytes = 256 * 256 * 4;

// A hidden window whose posted messages the test collects.
class CMessageWindow {
 public:
  CMessageWindow() {
    hwnd_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  }
  ~CMessageWindow() { DestroyWindow(hwnd_); }
  TWindowHandle Handle() const { return hwnd_; }

  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, hwnd_, 0, 0, PM_REMOVE)) {
      if (msg.message == 0x2700 || msg.message == 0x2701)
        received.push_back({hwnd_, msg.message, static_cast<uint32_t>(msg.wParam),
                            static_cast<uint32_t>(msg.lParam)});
      DispatchMessageA(&msg);
    }
  }
  // Pumps until a message of that kind came, at most about five seconds.
  bool WaitFor(uint32_t message) {
    for (int i = 0; i < 500; ++i) {
      Pump();
      for (const STileMessage& m : received)
        if (m.Message == message) return true;
      Sleep(10);
    }
    return false;
  }

  std::vector<STileMessage> received;

 private:
  HWND hwnd_;
};

void WaitUntilIdle(CTCF2TileManager& manager) {
  for (int i = 0; i < 1000 && (manager.GetQueuedCount() > 0 || manager.HasWork()); ++i) Sleep(5);
}

class TileManagerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { GeodeticTablesInitialize(); }
  TileManagerTest() : manager_("tiles", SCallback{}) {}

  CTCF2TileManager manager_;
  CMessageWindow window_;
};

TEST_F(TileManagerTest, ADrawnChartIsToldWhenItsTileArrivesAndDrawsItThen) {
  const STiledChart layout;
  CChartFileOnDisk file(TiledChartFile(layout), "manager.tcf");
  uint32_t warnings = 0, error = 0;
  CTCF2Chart* chart = TCF2ChartCreate(file.Path(), warnings, error);
  ASSERT_NE(chart, nullptr);
  CMessageWindow progress;
  manager_.SetProgressWindow(progress.Handle());
  CBmp32 dest(256, 256, false);
  dest.Fill(0);
  bool placeholder = false;
  chart->Draw(manager_, dest, chart->GetCalibration(), 1.0, 1, window_.Handle(), false,
              placeholder);
  ASSERT_TRUE(window_.WaitFor(0x2700));
  ASSERT_TRUE(progress.WaitFor(0x2701));
  const std::vector<STileMessage> arrived = {{window_.Handle(), 0x2700, 0, 0}};
  EXPECT_EQ(window_.received, arrived);
  const std::vector<STileMessage> done = {{progress.Handle(), 0x2701, 1, 1}};
  EXPECT_EQ(progress.received, done);
  chart->Draw(manager_, dest, chart->GetCalibration(), 1.0, 1, window_.Handle(), false,
              placeholder);
  EXPECT_FALSE(placeholder);
  EXPECT_EQ(dest.Row(7)[9], Opaque(layout.colour(0)));
  chart->RequestTiles(manager_, 1, window_.Handle());
  EXPECT_EQ(manager_.GetCachedCount(), 1);
  chart->DeleteThis(1);
  EXPECT_EQ(manager_.GetCachedCount(), 0);
}

// Requesters on two charts ask for and withdraw overlapping tiles while the
// loader runs with room for four tiles; then a chart goes away with tiles
// queued and one being read.
TEST_F(TileManagerTest, RequestsAndCancellationsUnderLoadKeepTheBooks) {
  CChartFileOnDisk fileA(TiledChartFile(WideChart()), "loadA.tcf");
  CChartFileOnDisk fileB(TiledChartFile(WideChart()), "loadB.tcf");
  uint32_t warnings = 0, error = 0;
  CTCF2Chart* charts[2] = {TCF2ChartCreate(fileA.Path(), warnings, error),
                           TCF2ChartCreate(fileB.Path(), warnings, error)};
  ASSERT_TRUE(charts[0] && charts[1]);
  const CStr* paths[2] = {&fileA.Path(), &fileB.Path()};
  manager_.SetMemoryLimit(4 * kTileBytes);
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const int c = random() % 2;
    const uint16_t requester = static_cast<uint16_t>(1u << (random() % 3));
    const uint32_t first = random() % 110;
    std::vector<STCF2TileRequest> requests;
    const uint32_t count = round % 11 == 0 ? 0 : random() % 8;  // 0 withdraws the requester
    for (uint32_t n = first; n < first + count; ++n) requests.push_back(TileRequest(n));
    RequestAndUnlock(manager_, charts[c], *paths[c], requests, requester, window_.Handle());
    if (round % 7 == 0) manager_.FreeMemory(kTileBytes);
    window_.Pump();
    if (round % 5 == 0) Sleep(1);
  }
  std::vector<STCF2TileRequest> many;
  for (uint32_t n = 0; n < 100; ++n) many.push_back(TileRequest(n));
  RequestAndUnlock(manager_, charts[0], *paths[0], many, 8, window_.Handle());
  while (!manager_.HasWork()) Sleep(0);
  volatile uintptr_t gone = reinterpret_cast<uintptr_t>(charts[0]);  // the address alone
  charts[0]->DeleteThis(1);  // tiles queued, one probably being read
  WaitUntilIdle(manager_);
  EXPECT_EQ(manager_.GetCachedBytes(), manager_.GetCachedCount() * kTileBytes);
  EXPECT_EQ(manager_.GetLoadedBytes() % kTileBytes, 0u);
  EXPECT_LE(manager_.GetLoadedBytes(), manager_.GetLoadedCount() * kTileBytes);
  // Nothing of the chart that went away is served under its address.
  RequestAndUnlock(manager_, reinterpret_cast<const void*>(gone), *paths[0], many, 8,
                   window_.Handle());
  for (const STCF2TileRequest& r : many) ASSERT_EQ(r.Bitmap, nullptr);
  charts[1]->DeleteThis(1);
}

TEST(TileManagerLifetime, AManagerWithAFullQueueIsDestroyedPromptly) {
  CChartFileOnDisk file(TiledChartFile(WideChart()), "full.tcf");
  auto manager = std::make_unique<CTCF2TileManager>("full", SCallback{});
  std::vector<STCF2TileRequest> all;
  for (uint32_t n = 0; n < 120; ++n) all.push_back(TileRequest(n));
  int chart = 0;
  RequestAndUnlock(*manager, &chart, file.Path(), all, 1, nullptr);
  const DWORD start = GetTickCount();
  manager.reset();
  EXPECT_LT(GetTickCount() - start, 5000u);  // a hang check, not a speed measure
}

// A manager that would never load is not made: with no thread to be had the
// constructor fails as for want of memory.
TEST(TileManagerLifetime, NoManagerIsMadeWhenItsThreadCannotStart) {
  std::unique_ptr<CTCF2TileManager> manager;
  {
    CThreadStartRefused refused;
    ASSERT_TRUE(refused.IsActive());
    EXPECT_THROW(manager = std::make_unique<CTCF2TileManager>("refused", SCallback{}),
                 std::bad_alloc);
  }
  EXPECT_EQ(manager, nullptr);
}

}  // namespace
