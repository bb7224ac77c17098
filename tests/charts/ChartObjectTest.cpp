// The chart object on hand-made charts of 1 m a pixel on the RD grid.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "lib/charts/TCF2Chart.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/PixTransform.h"
#include "tests/charts/ChartFileTestSupport.h"
#include "tests/charts/TileTestSupport.h"

namespace {

constexpr double kOriginX = 155000, kOriginY = 463000;  // chart pixel (0, 0)
constexpr double kPi = 3.14159265358979323846;

struct SChartDeleter {
  void operator()(CTCF2Chart* chart) const { chart->DeleteThis(1); }
};
using TChart = std::unique_ptr<CTCF2Chart, SChartDeleter>;

// A view of width x height pixels on the RD grid: view pixel (px, py) lies at
// map point origin + step R(angle) (px, -py).
uint32_t CalibrateView(CGeodeticCalibration& view, int32_t width, int32_t height, double x0,
                       double y0, double step, double angle = 0) {
  SGeodeticRef ref;
  GeodeticRefInitRD(ref);
  const auto map = [&](double px, double py) {
    const double u = step * px, v = -step * py;
    return SPointD{x0 + u * std::cos(angle) - v * std::sin(angle),
                   y0 + u * std::sin(angle) + v * std::cos(angle)};
  };
  const SPointD p1{0, 0}, p2{100, 100}, m1 = map(0, 0), m2 = map(100, 100);
  return view.Calibrate2(&p1, &p2, &m1, &m2, width, height, &ref);
}

void MakeView(CGeodeticCalibration& view, int32_t width, int32_t height, double x0, double y0,
              double step, double angle = 0) {
  ASSERT_LE(CalibrateView(view, width, height, x0, y0, step, angle), 1u);
}

// The circle of a view, as the viewer describes it to GetCoverage.
void ViewCircle(CGeodeticCalibration& view, SPoint3D& centre, double& radius) {
  SPointD c;
  view.GetCentre(&c);
  SGeo2D centreGeo;
  view.PixToGeoWGS84(&centreGeo, &c);
  GeoToGreatCirclePoint(centre, centreGeo);
  radius = 0;
  const double r = view.GetWidth() - 0.5, b = view.GetHeight() - 0.5;
  for (const SPointD& p :
       {SPointD{-0.5, -0.5}, SPointD{r, -0.5}, SPointD{-0.5, b}, SPointD{r, b}}) {
    SGeo2D g;
    view.PixToGeoWGS84(&g, &p);
    radius = std::max(radius, DistAlongGreatCircle(centreGeo, g));
  }
}

class ChartObjectTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { GeodeticTablesInitialize(); }

  TChart Open(const STiledChart& layout) {
    file_.reset();
    file_ = std::make_unique<CChartFileOnDisk>(TiledChartFile(layout), "object.tcf");
    uint32_t warnings = 0, error = 0;
    TChart chart(TCF2ChartCreate(file_->Path(), warnings, error));
    EXPECT_EQ(error, 0u);
    return chart;
  }

  std::unique_ptr<CChartFileOnDisk> file_;
  CTCF2TileStore store_;
};

TEST_F(ChartObjectTest, TheScaleSelectsTheLevelWhosePixelsAreDrawn) {
  const STiledChart layout;
  TChart chart = Open(layout);
  ASSERT_TRUE(chart);
  const struct {
    double scale;
    uint32_t level;
  } cases[] = {{1.0, 0}, {0.55, 0}, {0.5, 1},  {0.3, 1},
               {0.2, 2}, {0.01, 6}, {1e-6, 8}, {std::numeric_limits<double>::quiet_NaN(), 0}};
  CBmp32 dest(256, 256, false);
  for (const auto& c : cases) {
    dest.Fill(0);
    bool placeholder = false;
    chart->Draw(store_, dest, chart->GetCalibration(), c.scale, 1, nullptr, true, placeholder);
    EXPECT_EQ(dest.Row(128)[128], Opaque(layout.colour(c.level))) << c.scale;
    EXPECT_EQ(dest.Row(0)[255], Opaque(layout.colour(c.level))) << c.scale;
    EXPECT_FALSE(placeholder);
  }
}

TEST_F(ChartObjectTest, ANewTileIsNotDrawnAtFirstThenThePlaceholderThenTheTile) {
  const STiledChart layout;
  TChart chart = Open(layout);
  ASSERT_TRUE(chart);
  CBmp32 dest(256, 256, false);
  dest.Fill(0);
  TWindowHandle window = reinterpret_cast<TWindowHandle>(0x10);
  bool placeholder = false;
  chart->Draw(store_, dest, chart->GetCalibration(), 1.0, 2, window, false, placeholder);
  EXPECT_FALSE(placeholder);
  EXPECT_EQ(dest.Row(100)[100], 0u);
  EXPECT_EQ(chart->GetPending(), 2);
  chart->Draw(store_, dest, chart->GetCalibration(), 1.0, 2, window, false, placeholder);
  EXPECT_TRUE(placeholder);
  EXPECT_EQ(dest.Row(0)[0], 0x30FFFFFFu);
  EXPECT_EQ(dest.Row(0)[255], 0x30FFFFFFu);  // 5 placeholder pixels across 256
  EXPECT_EQ(dest.Row(60)[0], 0x30000000u);
  EXPECT_EQ(store_.GetQueuedCount(), 1);
  ASSERT_TRUE(store_.LoadNext());
  placeholder = false;
  chart->Draw(store_, dest, chart->GetCalibration(), 1.0, 2, window, false, placeholder);
  EXPECT_FALSE(placeholder);
  EXPECT_EQ(dest.Row(100)[100], Opaque(layout.colour(0)));
}

TEST_F(ChartObjectTest, RequestTilesWithdrawsOnlyPendingRequesters) {
  TChart chart = Open(STiledChart{});
  ASSERT_TRUE(chart);
  CBmp32 dest(256, 256, false);
  bool placeholder = false;
  chart->Draw(store_, dest, chart->GetCalibration(), 1.0, 1, nullptr, false, placeholder);
  chart->RequestTiles(store_, 3, nullptr);  // requester 2 has nothing pending
  EXPECT_EQ(store_.GetQueuedCount(), 1);
  chart->RequestTiles(store_, 1, nullptr);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
  EXPECT_EQ(chart->GetPending(), 0);
}

TEST_F(ChartObjectTest, AViewWithoutCalibrationRequestsAndDrawsNothing) {
  TChart chart = Open(STiledChart{});
  ASSERT_TRUE(chart);
  CGeodeticCalibration nowhere;
  CBmp32 dest(64, 64, false);
  dest.Fill(0);
  bool placeholder = false;
  chart->Draw(store_, dest, nowhere, 1.0, 1, nullptr, false, placeholder);
  chart->Draw(store_, dest, nowhere, 1.0, 1, nullptr, true, placeholder);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
  EXPECT_EQ(dest.Row(10)[10], 0u);
}

TEST_F(ChartObjectTest, CoverageOfViewsOnTheRDGrid) {
  STiledChart triangle;
  triangle.bounds = TriangleBounds(256, 256);
  const struct {
    const char* name;
    bool triangular;
    int32_t width, height;
    double x0, y0;
    bool meets;
    double scaleRatio, coverage, relativeArea;
    int boundsCut;  // -1: the outline runs along the view's edges, either answer
  } cases[] = {
      {"own view", false, 256, 256, kOriginX, kOriginY, true, 256 / 255.5, 1.0, 1.0, -1},
      {"shifted 128", false, 256, 256, kOriginX + 128, kOriginY, true, 256 / 255.5, 0.5, 1.0, 0},
      {"64 inside", false, 64, 64, kOriginX + 96, kOriginY - 96, true, 256 / 255.5, 1.0, 16.0, 0},
      {"64 inside, triangle", true, 64, 64, kOriginX + 96, kOriginY - 96, true, 256 / 255.5, 1.0,
       16.0, 1},
      {"1 km away", false, 256, 256, kOriginX + 1000, kOriginY, false, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    TChart chart = Open(c.triangular ? triangle : STiledChart{});
    ASSERT_TRUE(chart);
    CGeodeticCalibration view;
    MakeView(view, c.width, c.height, c.x0, c.y0, 1.0);
    SPoint3D centre;
    double radius;
    ViewCircle(view, centre, radius);
    double scaleRatio = -1, coverage = -1, relativeArea = -1;
    bool boundsCut = true;
    ASSERT_EQ(
        chart->GetCoverage(centre, radius, view, scaleRatio, coverage, relativeArea, boundsCut),
        c.meets)
        << c.name;
    if (!c.meets) {
      EXPECT_EQ(scaleRatio, -1);
      EXPECT_EQ(coverage, -1);
      EXPECT_TRUE(boundsCut);
      continue;
    }
    EXPECT_NEAR(scaleRatio, c.scaleRatio, 1e-6) << c.name;
    EXPECT_NEAR(coverage, c.coverage, 1e-6) << c.name;
    EXPECT_NEAR(relativeArea, c.relativeArea, 1e-5) << c.name;
    if (c.boundsCut >= 0) {
      EXPECT_EQ(boundsCut, c.boundsCut != 0) << c.name;
    }
  }
}

TEST_F(ChartObjectTest, AViewWithoutPixelsCoversNothing) {
  TChart chart = Open(STiledChart{});
  ASSERT_TRUE(chart);
  CGeodeticCalibration view;
  MakeView(view, 256, 256, kOriginX, kOriginY, 1.0);
  SPoint3D centre;
  double radius;
  ViewCircle(view, centre, radius);
  CGeodeticCalibration empty;
  double a = -1, b = -1, c = -1;
  bool cut = false;
  CalibrateView(empty, 0, 256, kOriginX, kOriginY, 1.0);
  EXPECT_FALSE(chart->GetCoverage(centre, radius, empty, a, b, c, cut));
  EXPECT_EQ(a, -1);
}

TEST_F(ChartObjectTest, ContainmentOnTheTriangleAndOnTheDefaultRectangle) {
  STiledChart triangle;
  triangle.bounds = TriangleBounds(256, 256);
  const struct {
    double x, y;
    bool inTriangle, inRectangle;
  } points[] = {{10, 10, true, true},
                {200, 200, false, true},
                {-1, 10, false, false},
                {300, 10, false, false}};
  for (bool triangular : {true, false}) {
    TChart chart = Open(triangular ? triangle : STiledChart{});
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->GetBounds().Count(), triangular ? 3 : 4);
    for (const auto& p : points) {
      const bool expected = triangular ? p.inTriangle : p.inRectangle;
      const SPointD pixel{p.x, p.y};
      EXPECT_EQ(chart->BoundsContainPixel(pixel), expected) << p.x << "," << p.y;
      SGeo2D geo;
      chart->GetCalibration().PixToGeoWGS84(&geo, &pixel);
      EXPECT_EQ(chart->ContainsPoint(geo), expected) << p.x << "," << p.y;
    }
  }
}

TEST_F(ChartObjectTest, TwoTilesThroughARotatedViewLeaveNoSeam) {
  STiledChart wide;
  wide.width = 512;
  wide.levels = 1;
  TChart chart = Open(wide);
  ASSERT_TRUE(chart);
  const double angle = kPi / 6;
  // View pixel (200, 200) on the chart's centre pixel (256, 128).
  const double u = 200, v = -200;
  const double x0 = kOriginX + 255.5 - (u * std::cos(angle) - v * std::sin(angle));
  const double y0 = kOriginY - 127.5 - (u * std::sin(angle) + v * std::cos(angle));
  CGeodeticCalibration view;
  MakeView(view, 400, 400, x0, y0, 1.0, angle);
  CBmp32 dest(400, 400, false);
  dest.Fill(0);
  bool placeholder = false;
  chart->Draw(store_, dest, view, 1.0, 1, nullptr, true, placeholder);
  int checked = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      SPointD c;
      PixTransform(c, chart->GetCalibration(), SPointD{double(x), double(y)}, view);
      if (c.x < 1 || c.x > 510 || c.y < 1 || c.y > 254) continue;
      ++checked;
      ASSERT_EQ(dest.Row(y)[x] >> 24, 0xFFu) << x << "," << y << " at chart " << c.x << "," << c.y;
    }
  }
  EXPECT_GT(checked, 100000);
}

TEST_F(ChartObjectTest, TheCreatorReturnsNullWithTheErrorCode) {
  uint32_t warnings = 0, error = 0;
  EXPECT_EQ(TCF2ChartCreate(ScratchPath("absent.tcf"), warnings, error), nullptr);
  EXPECT_EQ(error, kErrFileNotFound);
  STiledChart samePixel;
  samePixel.tag.pixelStep = 0;
  CChartFileOnDisk file(TiledChartFile(samePixel), "same.tcf");
  EXPECT_EQ(TCF2ChartCreate(file.Path(), warnings, error), nullptr);
  EXPECT_EQ(error, kErrCalUnknown);
}

TEST_F(ChartObjectTest, TheNameIsTheTagsTextsOrTheFileName) {
  TChart named = Open(STiledChart{});
  ASSERT_TRUE(named);
  EXPECT_STREQ(named->GetName().c_str(), "Chart - Area");
  STiledChart plain;
  plain.tag.text1 = "";
  plain.tag.text2 = "";
  TChart unnamed = Open(plain);
  ASSERT_TRUE(unnamed);
  const CStr name = unnamed->GetName();
  EXPECT_TRUE(std::string(name.c_str()).ends_with("object.tcf")) << name.c_str();
}

}  // namespace
