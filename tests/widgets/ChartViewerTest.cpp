// The chart viewer: its requester bits, the view operations on a view of the
// RD grid without charts, and drawing small charts of one colour a tile
// through a tile store that the tests load by hand.
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TileNotifier.h"
#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/PixTransform.h"
#include "lib/widgets/ChartViewer.h"
#include "tests/charts/ChartFileTestSupport.h"
#include "tests/charts/TiledChartBuilder.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kLeft = 10, kTop = 30, kSide = 200;
constexpr uint32_t kBackground = 0x808080;

struct SChartFree {
  void operator()(CTCF2Chart* chart) const { chart->DeleteThis(1); }
};
using TChart = std::unique_ptr<CTCF2Chart, SChartFree>;

// A chart of width x height pixels of `metres` a pixel, pixel (0, 0) at RD
// (155000, 463000); tile n has the colour colour(n).
struct SChartSpec {
  uint32_t width, height;
  double metres;
  std::function<uint32_t(uint32_t)> colour;
};

uint32_t FirstColours(uint32_t n) { return 0x101010 * (n + 1); }
uint32_t SecondColours(uint32_t n) { return 0x400000 + 0x10 * n; }

// The events the viewers raise.
struct SViewerLog {
  static inline int visibleChanges = 0, viewChanges = 0, zooms = 0;
  static inline double queryFactor = 0;  // the factor a zoom query sets; 0: unchanged
  static inline double askedFactor = 0;
  static void VisibleChanged(CControl*, CControl*, TChartVisibilityList*) { ++visibleChanges; }
  static void ViewChanged(CControl*, CControl*) { ++viewChanges; }
  static void Zoomed(CControl*, CControl*) { ++zooms; }
  static void Query(CControl*, CControl*, TChartVisibilityList*, CGeodeticCalibration*,
                    const SPointD&, double& factor) {
    askedFactor = factor;
    if (queryFactor != 0) factor = queryFactor;
  }
  // Whether the viewer's pointer entries were cleared when the event came.
  static inline bool cursorEntriesCleared = true;
  static inline int candidateCharts = -1;
  static void CheckCursorEntries(CControl*, CControl* sender, TChartVisibilityList*) {
    const auto* viewer = static_cast<CTCF2ChartViewer*>(sender);
    cursorEntriesCleared = cursorEntriesCleared && viewer->ChartsAtCursor.GetCount() == 0 &&
                           viewer->TopChartAtCursor == nullptr &&
                           viewer->FinestChartAtCursor == nullptr;
  }
  static void CountCandidateCharts(CControl*, CControl*, TChartVisibilityList* entries,
                                   CGeodeticCalibration*, const SPointD&, double&) {
    candidateCharts = entries->GetCount();
  }
  static void Reset() {
    cursorEntriesCleared = true;
    candidateCharts = -1;
    visibleChanges = viewChanges = zooms = 0;
    queryFactor = askedFactor = 0;
  }
};

// The narrower chart image first.
int32_t NarrowerFirst(CControl*, SChartVisibility* a, SChartVisibility* b) {
  return a->Chart->GetWidth() - b->Chart->GetWidth();
}

class ChartViewerTest : public WidgetTest {
 protected:
  static void SetUpTestSuite() { GeodeticTablesInitialize(); }

  void SetUp() override {
    WidgetTest::SetUp();
    SViewerLog::Reset();
    window_ = std::make_unique<CWindow>("", nullptr);
    viewer_ = new CTCF2ChartViewer(window_.get(), &store_);
    viewer_->SetBounds(kLeft, kTop, kSide, kSide);
    window_->Show();
    Pump();
  }

  // Frees whatever viewer a test left: the requester bits are process-wide.
  void TearDown() override {
    window_.reset();
    for (int32_t bit = 0; bit < CTCF2ChartViewer::kMaxViewers; ++bit) delete LiveChartViewer(bit);
    WidgetTest::TearDown();
  }

  CTCF2Chart* Open(const SChartSpec& spec) {
    STiledChart layout;
    layout.width = spec.width;
    layout.height = spec.height;
    layout.levels = 3;
    layout.colour = spec.colour;
    layout.tag.pixelStep = 100;
    layout.tag.mapStep = 100 * spec.metres;
    const std::string name = "viewer" + std::to_string(files_.size()) + ".tcf";
    files_.push_back(std::make_unique<CChartFileOnDisk>(TiledChartFile(layout), name.c_str()));
    uint32_t warnings = 0, error = 0;
    charts_.emplace_back(TCF2ChartCreate(files_.back()->Path(), warnings, error));
    EXPECT_EQ(error, 0u);
    return charts_.back().get();
  }

  // A view of the viewer's size with `metres` a pixel, north up, whose
  // top-left pixel lies at the RD point (x0, y0).
  void GiveView(double x0 = 155100, double y0 = 462900, double metres = 1) {
    SGeodeticRef ref;
    GeodeticRefInitRD(ref);
    const SPointD p1{0, 0}, p2{100, 100}, m1{x0, y0}, m2{x0 + 100 * metres, y0 - 100 * metres};
    CGeodeticCalibration view;
    ASSERT_LE(view.Calibrate2(&p1, &p2, &m1, &m2, kSide, kSide, &ref), 1u);
    viewer_->SetView(&view);
  }

  SGeo2D GeoAt(double x, double y) {
    SGeo2D geo;
    const SPointD p{x, y};
    viewer_->View->PixToGeoWGS84(&geo, &p);
    return geo;
  }

  SPointD ProjAt(double x, double y) {
    SPointD proj;
    const SPointD p{x, y};
    viewer_->View->PixToProj(&proj, &p);
    return proj;
  }

  SPointD PixOfProj(const SPointD& proj) {
    SPointD p;
    viewer_->View->ProjToPix(&p, &proj);
    return p;
  }

  // The projected length of a one-pixel step down at the centre.
  double ProjStep() {
    const SPointD a = ProjAt(99.5, 99.5), b = ProjAt(99.5, 100.5);
    return std::hypot(b.x - a.x, b.y - a.y);
  }

  SPointD PixOf(const SGeo2D& geo) {
    SPointD p;
    viewer_->View->GeoWGS84ToPix(&p, &geo);
    return p;
  }

  static uint32_t ViewerPixel(int32_t x, int32_t y) { return Pixel(kLeft + x, kTop + y); }

  // The colour the chart shows at a view pixel, by the chart's own
  // calibration: the tile of that chart pixel at the level; 0 when the pixel
  // lies within two pixels of a tile edge or off the chart.
  uint32_t ExpectedColour(CTCF2Chart& chart, const SChartSpec& spec, int32_t level, int32_t x,
                          int32_t y) {
    SPointD c;
    PixTransform(c, chart.GetCalibration(), SPointD{double(x), double(y)}, *viewer_->View);
    const double side = 256.0 * (1 << level);
    const double tx = (c.x + 0.5) / side, ty = (c.y + 0.5) / side;
    const double margin = 3.0 / 256;  // three pixels of the level
    if (tx < 0 || ty < 0 || c.x > spec.width - 0.5 || c.y > spec.height - 0.5) return 0;
    if (tx - std::floor(tx) < margin || std::ceil(tx) - tx < margin ||
        ty - std::floor(ty) < margin || std::ceil(ty) - ty < margin)
      return 0;
    const std::vector<STiledLevel> levels = TiledLevels(spec.width, spec.height, 3);
    const STiledLevel& l = levels[level];
    return spec.colour(l.first + uint32_t(ty) * l.across + uint32_t(tx));
  }

  // Every 7th view pixel that lies well inside a tile shows its tile's colour.
  void ExpectTiles(CTCF2Chart& chart, const SChartSpec& spec, int32_t level) {
    int checked = 0;
    for (int32_t y = 3; y < kSide; y += 7)
      for (int32_t x = 3; x < kSide; x += 7) {
        const uint32_t expected = ExpectedColour(chart, spec, level, x, y);
        if (expected == 0) continue;
        ++checked;
        ASSERT_EQ(ViewerPixel(x, y), expected) << x << "," << y;
      }
    EXPECT_GT(checked, 100);
  }

  void LoadAllTiles() {
    while (store_.LoadNext()) {
    }
  }

  CTCF2TileStore store_;
  std::vector<std::unique_ptr<CChartFileOnDisk>> files_;
  std::vector<TChart> charts_;
  std::unique_ptr<CWindow> window_;
  CTCF2ChartViewer* viewer_ = nullptr;
};

const SChartSpec kFirst{512, 512, 1, FirstColours};
const SChartSpec kCoarse{256, 256, 2, SecondColours};

// Requester bits ---------------------------------------------------------------

TEST_F(ChartViewerTest, SixteenViewersTakeTheBitsInOrderAndAFreedBitIsTakenAgain) {
  std::vector<CTCF2ChartViewer*> viewers{viewer_};
  EXPECT_EQ(viewer_->InstanceBit, 1);
  for (int i = 1; i < 16; ++i) {
    viewers.push_back(new CTCF2ChartViewer(window_.get(), &store_));
    EXPECT_EQ(viewers.back()->InstanceBit, 1 << i);
  }
  EXPECT_THROW(new CTCF2ChartViewer(window_.get(), &store_), CChartViewerError);
  EXPECT_EQ(window_->GetControlCount(), 1 + 16);  // the caption and the viewers
  delete viewers[5];
  auto* again = new CTCF2ChartViewer(nullptr, &store_);
  EXPECT_EQ(again->InstanceBit, 1 << 5);
  EXPECT_EQ(LiveChartViewer(5), again);
  delete again;
  EXPECT_EQ(LiveChartViewer(5), nullptr);
}

// The view without charts --------------------------------------------------

TEST_F(ChartViewerTest, WithoutAViewEverythingReadsZeroAndOnlyTheBackgroundIsDrawn) {
  EXPECT_EQ(viewer_->CentrePix.x, 99.5);
  EXPECT_EQ(viewer_->CentrePix.y, 99.5);
  viewer_->ZoomAt(2, SPointD{10, 10}, false);
  viewer_->SetRotation(1);
  viewer_->ShiftView(5, 5);
  Mouse(*viewer_, WM_MOUSEMOVE, 50, 60);
  EXPECT_EQ(viewer_->CursorPix.x, 50);
  EXPECT_EQ(viewer_->CursorPix.y, 60);
  EXPECT_EQ(viewer_->View, nullptr);
  EXPECT_EQ(viewer_->Rotation, 0);
  EXPECT_EQ(viewer_->PixelSize, 0);
  EXPECT_EQ(viewer_->ViewRadius, 0);
  EXPECT_EQ(viewer_->CursorGeo.lat, 0);
  EXPECT_EQ(viewer_->CursorProj.x, 0);
  EXPECT_EQ(SViewerLog::zooms, 0);
  viewer_->RepaintNow();
  EXPECT_EQ(ViewerPixel(0, 0), kBackground);
  EXPECT_EQ(ViewerPixel(kSide - 1, kSide - 1), kBackground);
  EXPECT_EQ(Pixel(kLeft - 1, kTop), 0xFFFFFFu);  // the window around it
}

TEST_F(ChartViewerTest, SetViewDescribesTheViewAndRaisesTheChange) {
  viewer_->OnViewChange = SViewerLog::ViewChanged;
  GiveView();
  ASSERT_NE(viewer_->View, nullptr);
  EXPECT_EQ(SViewerLog::viewChanges, 1);
  EXPECT_NEAR(viewer_->PixelSize, 1.0, 0.005);  // RD scale near Amersfoort
  const SGeo2D centre = GeoAt(99.5, 99.5);
  EXPECT_DOUBLE_EQ(viewer_->ViewCentre.lat, centre.lat);
  EXPECT_DOUBLE_EQ(viewer_->ViewCentre.lon, centre.lon);
  // Half the diagonal of 200 m x 200 m.
  EXPECT_NEAR(viewer_->ViewRadius, 100 * std::sqrt(2.0), 1.0);
  viewer_->SetView(nullptr);
  EXPECT_EQ(viewer_->View, nullptr);
  EXPECT_EQ(viewer_->PixelSize, 0);
  EXPECT_EQ(SViewerLog::viewChanges, 2);
}

TEST_F(ChartViewerTest, ZoomAtTwoKeepsThePositionUnderThePointAndHalvesThePixelSize) {
  viewer_->OnZoom = SViewerLog::Zoomed;
  GiveView();
  const double before = viewer_->PixelSize;
  const struct {
    double x, y;
    bool keepCentre;
  } cases[] = {{30, 40, false}, {180, 5, false}, {50, 50, true}};
  for (const auto& c : cases) {
    GiveView();
    const SPointD fixed = ProjAt(c.keepCentre ? 99.5 : c.x, c.keepCentre ? 99.5 : c.y);
    viewer_->ZoomAt(2, SPointD{c.x, c.y}, c.keepCentre);
    const SPointD p = PixOfProj(fixed);
    EXPECT_NEAR(p.x, c.keepCentre ? 99.5 : c.x, 1e-6);
    EXPECT_NEAR(p.y, c.keepCentre ? 99.5 : c.y, 1e-6);
    EXPECT_NEAR(viewer_->PixelSize, before / 2, 1e-6);
  }
  EXPECT_EQ(SViewerLog::zooms, 3);
}

TEST_F(ChartViewerTest, ZoomByOneOnlyReportsAndAFactorNotAboveZeroDoesNothing) {
  viewer_->OnZoom = SViewerLog::Zoomed;
  viewer_->OnViewChange = SViewerLog::ViewChanged;
  GiveView();
  viewer_->ZoomAt(1.0, SPointD{20, 20}, false);
  EXPECT_EQ(SViewerLog::zooms, 1);
  EXPECT_EQ(SViewerLog::viewChanges, 1);
  for (double factor : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()})
    viewer_->ZoomAt(factor, SPointD{20, 20}, false);
  EXPECT_EQ(SViewerLog::zooms, 1);
  EXPECT_EQ(SViewerLog::viewChanges, 1);
}

TEST_F(ChartViewerTest, AZoomQueryMayChangeOrCancelTheFactor) {
  viewer_->OnZoom = SViewerLog::Zoomed;
  viewer_->OnZoomQuery = SViewerLog::Query;
  const struct {
    double set;       // what the query makes of the factor 2
    double expected;  // the pixel size afterwards, relative
    int zooms;
  } cases[] = {{0, 0.5, 1},
               {4, 0.25, 1},
               {1, 1, 1},
               {-1, 1, 0},
               {std::numeric_limits<double>::quiet_NaN(), 1, 0}};
  for (const auto& c : cases) {
    GiveView();
    SViewerLog::zooms = 0;
    SViewerLog::queryFactor = c.set;
    const double before = viewer_->PixelSize;
    viewer_->ZoomAt(2, SPointD{60, 70}, false);
    EXPECT_EQ(SViewerLog::askedFactor, 2);
    EXPECT_NEAR(viewer_->PixelSize, before * c.expected, 1e-6) << c.set;
    EXPECT_EQ(SViewerLog::zooms, c.zooms) << c.set;
  }
}

TEST_F(ChartViewerTest, SetRotationTurnsAboutTheCentreAndTheSameAngleDoesNothing) {
  viewer_->OnViewChange = SViewerLog::ViewChanged;
  GiveView();
  const SGeo2D centre = viewer_->ViewCentre;
  const double size = viewer_->PixelSize;
  const SPointD centrePix{99.5, 99.5};
  const double north = viewer_->View->GetNorthAngle(&centrePix);
  const double step = ProjStep();
  viewer_->SetRotation(kPi / 6);
  EXPECT_EQ(viewer_->Rotation, kPi / 6);
  EXPECT_EQ(SViewerLog::viewChanges, 2);
  EXPECT_NEAR(viewer_->ViewCentre.lat, centre.lat, 1e-10);
  EXPECT_NEAR(viewer_->ViewCentre.lon, centre.lon, 1e-10);
  EXPECT_NEAR(ProjStep(), step, 1e-9);
  EXPECT_NEAR(viewer_->PixelSize, size, 0.002);  // ground distances on the sphere
  // North turns by the angle: what lay straight up now lies turned.
  EXPECT_NEAR(std::fabs(viewer_->View->GetNorthAngle(&centrePix) - north), kPi / 6, 1e-6);
  EXPECT_NEAR(viewer_->View->GetRotation(), kPi / 6, 1e-6);
  viewer_->SetRotation(kPi / 6);
  EXPECT_EQ(SViewerLog::viewChanges, 2);
}

TEST_F(ChartViewerTest, CentreOnAndShiftViewMoveWithoutScaleOrTurn) {
  GiveView();
  const double size = viewer_->PixelSize;
  const SGeo2D target = GeoAt(20, 170);
  viewer_->CentreOn(target);
  const SPointD p = PixOf(target);
  // Positions go through the datum shift and back: millimetres.
  EXPECT_NEAR(p.x, 99.5, 0.01);
  EXPECT_NEAR(p.y, 99.5, 0.01);
  EXPECT_NEAR(viewer_->PixelSize, size, 1e-6);
  const SPointD shown = ProjAt(40 + 13, 50 - 7);
  viewer_->ShiftView(13, -7);
  const SPointD q = PixOfProj(shown);
  EXPECT_NEAR(q.x, 40, 1e-6);
  EXPECT_NEAR(q.y, 50, 1e-6);
}

TEST_F(ChartViewerTest, SetBoundsKeepsTheCentrePixelSizeAndTurnAndShowsMore) {
  GiveView();
  viewer_->SetRotation(0.4);
  const SGeo2D centre = viewer_->ViewCentre;
  const double size = viewer_->PixelSize;
  const SPointD corner = ProjAt(0, 0);
  viewer_->SetBounds(kLeft, kTop, 300, 120);
  EXPECT_EQ(viewer_->CentrePix.x, 149.5);
  EXPECT_EQ(viewer_->CentrePix.y, 59.5);
  EXPECT_EQ(viewer_->BackBuffer.Width(), 300);
  EXPECT_EQ(viewer_->BackBuffer.Height(), 120);
  EXPECT_NEAR(viewer_->ViewCentre.lat, centre.lat, 1e-10);
  EXPECT_NEAR(viewer_->ViewCentre.lon, centre.lon, 1e-10);
  EXPECT_NEAR(viewer_->PixelSize, size, 1e-6);
  EXPECT_NEAR(viewer_->View->GetRotation(), 0.4, 1e-6);
  // The old top-left pixel keeps its offset from the centre.
  const SPointD p = PixOfProj(corner);
  EXPECT_NEAR(p.x, 0 + 50, 1e-6);
  EXPECT_NEAR(p.y, 0 - 40, 1e-6);
}

TEST_F(ChartViewerTest, PointerEventsStoreTheCursorPositions) {
  GiveView();
  Mouse(*viewer_, WM_MOUSEMOVE, 25, 75);
  EXPECT_TRUE(viewer_->PointerMoved);
  EXPECT_NEAR(viewer_->CursorProj.x, 155100 + 25, 1e-6);
  EXPECT_NEAR(viewer_->CursorProj.y, 462900 - 75, 1e-6);
  const SGeo2D geo = GeoAt(25, 75);
  EXPECT_DOUBLE_EQ(viewer_->CursorGeo.lat, geo.lat);
  EXPECT_DOUBLE_EQ(viewer_->CursorGeo.lon, geo.lon);
  viewer_->MouseDown(30, 35);
  EXPECT_FALSE(viewer_->PointerMoved);
  EXPECT_EQ(viewer_->CursorPix.x, 30);
  EXPECT_NEAR(viewer_->CursorProj.y, 462900 - 35, 1e-6);
  viewer_->MouseUp(31, 36);
  EXPECT_EQ(viewer_->CursorPix.y, 36);
  viewer_->ContextPopup(5, 6);
  EXPECT_NEAR(viewer_->CursorProj.x, 155105, 1e-6);
  SViewerLog::zooms = 0;
  viewer_->OnZoom = SViewerLog::Zoomed;
  const SPointD under = viewer_->CursorProj;
  viewer_->ZoomAtCursor(3);
  EXPECT_EQ(SViewerLog::zooms, 1);
  const SPointD p = PixOfProj(under);
  EXPECT_NEAR(p.x, 5, 1e-6);
  EXPECT_NEAR(p.y, 6, 1e-6);
}

// With charts -------------------------------------------------------------------

TEST_F(ChartViewerTest, PlaceholdersFirstThenThePictureOnceTheTilesArrive) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  ASSERT_EQ(viewer_->VisibleCharts.GetCount(), 1);
  EXPECT_NEAR(viewer_->VisibleCharts[0]->Zoom, 1.0, 0.002);
  viewer_->RepaintNow();  // the tiles are asked for
  EXPECT_EQ(store_.GetQueuedCount(), 4);
  EXPECT_EQ(ViewerPixel(100, 100), kBackground);
  viewer_->InvalidateView();
  viewer_->RepaintNow();  // still loading: the placeholder stands in
  EXPECT_TRUE(viewer_->TilesMissing);
  const uint32_t p = ViewerPixel(40, 40);
  EXPECT_TRUE(p == 0xFFFFFF || p == 0) << std::hex << p;
  LoadAllTiles();
  Pump();  // the tile message, then the paint
  EXPECT_FALSE(viewer_->TilesMissing);
  ExpectTiles(*chart, kFirst, 0);
}

TEST_F(ChartViewerTest, TilesAskedForAtTheFirstRenderShowWhenTheyArrive) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  viewer_->RepaintNow();
  EXPECT_EQ(ViewerPixel(100, 100), kBackground);
  LoadAllTiles();
  Pump();
  ExpectTiles(*chart, kFirst, 0);
}

TEST_F(ChartViewerTest, TheLevelFollowsTheZoomAndATurnedViewShowsTheTurnedTiles) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  const struct {
    double zoom, angle;
    int32_t level;
  } cases[] = {{1, 0, 0}, {0.5, 0, 1}, {0.25, 0, 2}, {1, kPi / 6, 0}, {0.5, -1.0, 1}};
  for (const auto& c : cases) {
    viewer_->FitChart(chart);
    viewer_->ZoomAt(c.zoom, viewer_->CentrePix, true);
    viewer_->SetRotation(c.angle);
    for (int pass = 0; pass < 2; ++pass) {
      viewer_->InvalidateView();
      viewer_->RepaintNow();
      LoadAllTiles();
    }
    Pump();
    viewer_->InvalidateView();
    viewer_->RepaintNow();
    SCOPED_TRACE(c.level);
    ExpectTiles(*chart, kFirst, c.level);
  }
}

TEST_F(ChartViewerTest, AChartIsAddedOnceAndRemovingItWithdrawsItsTiles) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->AddChart(chart);
  EXPECT_EQ(viewer_->Charts.GetCount(), 1);
  viewer_->FitChart(chart);
  viewer_->RepaintNow();
  EXPECT_EQ(store_.GetQueuedCount(), 4);
  EXPECT_EQ(chart->GetPending(), viewer_->InstanceBit);
  viewer_->RemoveChart(chart);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
  EXPECT_EQ(chart->GetPending(), 0);
  EXPECT_EQ(viewer_->Charts.GetCount(), 0);
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 0);
  viewer_->RemoveChart(chart);  // not there: nothing
}

TEST_F(ChartViewerTest, RemoveAllChartsWithdrawsTheTilesOfEveryChart) {
  CTCF2Chart* fine = Open(kFirst);
  CTCF2Chart* coarse = Open(kCoarse);
  GiveView(155050, 462950);
  viewer_->AddChart(fine);
  viewer_->AddChart(coarse);
  viewer_->RepaintNow();
  EXPECT_EQ(store_.GetQueuedCount(), 2);  // the first tile of each
  viewer_->RemoveAllCharts();
  EXPECT_EQ(store_.GetQueuedCount(), 0);
  EXPECT_EQ(viewer_->Charts.GetCount(), 0);
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 0);
  viewer_->RepaintNow();
  EXPECT_EQ(ViewerPixel(100, 100), kBackground);
}

TEST_F(ChartViewerTest, ADetachedViewerIsNotToldOfArrivingTiles) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  viewer_->RepaintNow();
  viewer_->DetachFromTileManager();
  LoadAllTiles();
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, window_->Handle, 0x2700, 0x2700, PM_NOREMOVE));
  EXPECT_EQ(store_.GetLoadedCount(), 4);
}

TEST_F(ChartViewerTest, AChartThatLeavesTheViewLeavesTheListAndItsTilesAreWithdrawn) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  viewer_->RepaintNow();
  EXPECT_EQ(store_.GetQueuedCount(), 4);
  viewer_->ShiftView(5000, 0);
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 0);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
}

TEST_F(ChartViewerTest, TheVisibleChartsEventSeesNoPointerEntriesIntoTheOldList) {
  viewer_->AddChart(Open(kFirst));
  GiveView(155050, 462950);
  Mouse(*viewer_, WM_MOUSEMOVE, 20, 20);
  ASSERT_NE(viewer_->FinestChartAtCursor, nullptr);
  viewer_->OnVisibleChartsChange = SViewerLog::CheckCursorEntries;
  viewer_->Refresh();
  viewer_->ShiftView(3, 3);
  EXPECT_TRUE(SViewerLog::cursorEntriesCleared);
  EXPECT_NE(viewer_->FinestChartAtCursor, nullptr);
}

TEST_F(ChartViewerTest, AZoomQueryListsTheChartsOfTheCandidateView) {
  viewer_->AddChart(Open(kFirst));  // RD 155000 .. 155512 east
  GiveView(155700, 462900);         // 200 m further east: the chart is not in view
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 0);
  viewer_->OnZoomQuery = SViewerLog::CountCandidateCharts;
  viewer_->ZoomAt(0.1, viewer_->CentrePix, true);  // 2 km across
  EXPECT_EQ(SViewerLog::candidateCharts, 1);
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 1);
}

TEST_F(ChartViewerTest, AnUpdateRebuildsTheVisibleChartsOnceAtItsEnd) {
  viewer_->OnVisibleChartsChange = SViewerLog::VisibleChanged;
  GiveView(155050, 462950);
  SViewerLog::visibleChanges = 0;
  viewer_->BeginUpdate();
  viewer_->BeginUpdate();
  viewer_->AddChart(Open(kFirst));
  viewer_->AddChart(Open(kCoarse));
  viewer_->EndUpdate();
  EXPECT_EQ(SViewerLog::visibleChanges, 0);
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 0);
  viewer_->EndUpdate();
  EXPECT_EQ(SViewerLog::visibleChanges, 1);
  EXPECT_EQ(viewer_->VisibleCharts.GetCount(), 2);
}

TEST_F(ChartViewerTest, CompareChartsOrdersTheVisibleChartsAndTheFirstIsDrawnOnTop) {
  CTCF2Chart* fine = Open(kFirst);
  CTCF2Chart* coarse = Open(kCoarse);
  GiveView(155050, 462950);
  viewer_->AddChart(fine);
  viewer_->AddChart(coarse);
  ASSERT_EQ(viewer_->VisibleCharts.GetCount(), 2);
  EXPECT_EQ(viewer_->VisibleCharts[0]->Chart, fine);
  viewer_->CompareCharts = NarrowerFirst;
  viewer_->Refresh();
  ASSERT_EQ(viewer_->VisibleCharts.GetCount(), 2);
  EXPECT_EQ(viewer_->VisibleCharts[0]->Chart, coarse);
  for (int pass = 0; pass < 2; ++pass) {
    viewer_->InvalidateView();
    viewer_->RepaintNow();
    LoadAllTiles();
  }
  viewer_->InvalidateView();
  viewer_->RepaintNow();
  // View pixel (0, 0) is RD (155050, 462950): coarse tile 0 on top.
  EXPECT_EQ(ViewerPixel(10, 10), SecondColours(0));
}

TEST_F(ChartViewerTest, SelectChartAtFitsTheFinestChartThereAndCentresOnThePosition) {
  CTCF2Chart* fine = Open(SChartSpec{256, 256, 0.5, FirstColours});
  CTCF2Chart* coarse = Open(kCoarse);
  viewer_->AddChart(coarse);
  viewer_->AddChart(fine);
  viewer_->OnVisibleChartsChange = SViewerLog::VisibleChanged;
  GiveView();
  const SGeo2D inBoth = GeoAt(10, 10);  // RD (155110, 462890)
  SViewerLog::visibleChanges = 0;
  ASSERT_TRUE(viewer_->SelectChartAt(inBoth));
  EXPECT_EQ(SViewerLog::visibleChanges, 1);
  EXPECT_NEAR(viewer_->PixelSize, 0.5, 0.003);
  const SPointD p = PixOf(inBoth);
  EXPECT_NEAR(p.x, 99.5, 1e-6);
  EXPECT_NEAR(p.y, 99.5, 1e-6);
  SChartVisibility record{};
  ASSERT_TRUE(viewer_->ChartRecordAt(inBoth, record));
  const SGeo2D onlyCoarse = GeoAt(99.5 + 600, 99.5);  // 300 m east: beyond the fine chart
  ASSERT_TRUE(viewer_->SelectChartAt(onlyCoarse));
  EXPECT_NEAR(viewer_->PixelSize, 2, 0.01);
  const double size = viewer_->PixelSize;
  const SGeo2D nowhere = GeoAt(99.5 + 2000, 99.5);  // 4 km east
  EXPECT_FALSE(viewer_->SelectChartAt(nowhere));
  EXPECT_FALSE(viewer_->ChartRecordAt(nowhere, record));
  EXPECT_EQ(viewer_->PixelSize, size);
}

TEST_F(ChartViewerTest, TheFinestChartUnderThePointerIsOutlinedInRed) {
  CTCF2Chart* coarse = Open(kCoarse);
  CTCF2Chart* fine = Open(SChartSpec{256, 256, 0.5, FirstColours});
  viewer_->AddChart(coarse);
  viewer_->AddChart(fine);
  GiveView(155000 - 20, 463000 + 20, 4);  // 800 m across, chart corner at (5, 5)
  viewer_->SetShowBounds(true);
  Mouse(*viewer_, WM_MOUSEMOVE, 10, 10);
  ASSERT_EQ(viewer_->ChartsAtCursor.GetCount(), 2);
  EXPECT_EQ(viewer_->TopChartAtCursor->Chart, coarse);
  EXPECT_EQ(viewer_->FinestChartAtCursor->Chart, fine);
  viewer_->RepaintNow();
  // The fine chart spans 128 m: view pixels 5 .. 37, its edges on the
  // rounded corners; the coarse one would reach 133.
  EXPECT_EQ(ViewerPixel(20, 5), 0xFF0000u);
  EXPECT_EQ(ViewerPixel(37, 20), 0xFF0000u);
  EXPECT_NE(ViewerPixel(100, 5), 0xFF0000u);
  Mouse(*viewer_, WM_MOUSEMOVE, 100, 100);
  EXPECT_EQ(viewer_->FinestChartAtCursor->Chart, coarse);
  Pump();
  EXPECT_EQ(ViewerPixel(100, 5), 0xFF0000u);
  EXPECT_NE(ViewerPixel(37, 20), 0xFF0000u);
  Mouse(*viewer_, WM_MOUSEMOVE, 190, 190);
  EXPECT_EQ(viewer_->FinestChartAtCursor, nullptr);
  EXPECT_EQ(viewer_->ChartsAtCursor.GetCount(), 0);
}

TEST_F(ChartViewerTest, DraggingShowsTheImageDisplacedAndFillsOnlyTheViewer) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  for (int pass = 0; pass < 2; ++pass) {
    viewer_->InvalidateView();
    viewer_->RepaintNow();
    LoadAllTiles();
  }
  Pump();
  std::vector<uint32_t> before;
  for (int32_t x = 0; x < kSide; ++x) before.push_back(ViewerPixel(x, 50));
  viewer_->DragBy(30, 0);
  viewer_->DragBy(0, 0);
  EXPECT_EQ(viewer_->PanOffset.x, 30);
  EXPECT_FALSE(viewer_->NeedsRender);
  for (int32_t x = 0; x < kSide - 30; ++x) ASSERT_EQ(ViewerPixel(x, 50), before[x + 30]) << x;
  for (int32_t x = kSide - 30; x < kSide; ++x) ASSERT_EQ(ViewerPixel(x, 50), kBackground) << x;
  EXPECT_EQ(Pixel(kLeft + kSide + 2, kTop + 50), 0xFFFFFFu);  // the window beside it
  EXPECT_EQ(Pixel(kLeft - 1, kTop + 50), 0xFFFFFFu);
  EXPECT_EQ(Pixel(kLeft + 5, 5), RgbOf(0xC56A31));  // the caption above
  viewer_->DragBy(-60, 0);
  for (int32_t x = 0; x < 30; ++x) ASSERT_EQ(ViewerPixel(x, 50), kBackground) << x;
  EXPECT_EQ(ViewerPixel(30, 50), before[0]);
  EXPECT_EQ(Pixel(kLeft - 1, kTop + 50), 0xFFFFFFu);
  viewer_->InvalidateView();
  EXPECT_EQ(viewer_->PanOffset.x, 0);
}

TEST_F(ChartViewerTest, ABorderedWindowAwayFromTheScreenOriginShowsTheImageInPlace) {
  window_->SetBounds(15, 25, 225, 260);
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  for (int pass = 0; pass < 2; ++pass) {
    viewer_->InvalidateView();
    viewer_->RepaintNow();
    LoadAllTiles();
  }
  Pump();
  viewer_->InvalidateView();
  viewer_->RepaintNow();
  ExpectTiles(*chart, kFirst, 0);
}

TEST_F(ChartViewerTest, TilesArrivingDuringADragKeepTheImageDisplaced) {
  CTCF2Chart* chart = Open(kFirst);
  viewer_->AddChart(chart);
  viewer_->FitChart(chart);
  for (int pass = 0; pass < 2; ++pass) {
    viewer_->InvalidateView();
    viewer_->RepaintNow();
    LoadAllTiles();
  }
  Pump();
  ASSERT_TRUE(viewer_->AwaitsTiles());
  std::vector<uint32_t> before;
  for (int32_t x = 0; x < kSide; ++x) before.push_back(ViewerPixel(x, 50));
  viewer_->DragBy(30, 0);
  PostMessageA(window_->Handle, kTileMessageArrived, 0, 0);
  Pump();
  EXPECT_EQ(viewer_->PanOffset.x, 30);
  EXPECT_FALSE(viewer_->NeedsRender);  // drawn again, for the tiles
  for (int32_t x = 0; x < kSide - 30; ++x) ASSERT_EQ(ViewerPixel(x, 50), before[x + 30]) << x;
}

// Equal entries answered as "after": the sort of the visible charts ends and
// keeps every chart.
int32_t NeverEqual(CControl*, SChartVisibility* a, SChartVisibility* b) {
  return a->Zoom < b->Zoom ? -1 : 1;
}

TEST_F(ChartViewerTest, AComparatorThatNeverAnswersEqualKeepsEveryChart) {
  viewer_->CompareCharts = NeverEqual;
  std::vector<CTCF2Chart*> charts;
  for (int i = 0; i < 5; ++i) charts.push_back(Open(kFirst));
  viewer_->FitChart(charts[0]);
  for (int32_t count = 1; count <= 5; ++count) {
    viewer_->AddChart(charts[size_t(count - 1)]);
    ASSERT_EQ(viewer_->VisibleCharts.GetCount(), count);
  }
  for (CTCF2Chart* chart : charts) {
    bool listed = false;
    for (int32_t i = 0; i < 5; ++i) listed = listed || viewer_->VisibleCharts[i]->Chart == chart;
    EXPECT_TRUE(listed);
  }
}

}  // namespace
