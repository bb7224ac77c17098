// CTCF2ChartViewer: the toolkit's chart display. Shows any number of opened
// charts through one geographic view (a calibration of the control's pixels,
// made anew from three corner points at every change), keeps the charts that
// overlap the view and those under the pointer, and offers fitting, centring,
// panning, zooming and rotating. The charts are drawn into a control-sized
// back buffer only when the view or the charts change; repaints copy it.
//
// Each viewer is one requester of the tile manager and holds one of 16
// process-wide requester bits; a seventeenth viewer cannot be made. Toolkit
// thread only. The tile manager and every chart added must outlive the viewer
// (or the chart's removal); the viewer never owns a chart.
#pragma once

#include <cstdint>
#include <memory>

#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2TileStore.h"
#include "lib/foundation/containers/List.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/widgets/ChartRender.h"
#include "lib/widgets/Control.h"

class CTCF2ChartViewer;

// Negative when a comes first in the visible charts.
using TCompareChartsHandler = int32_t (*)(CControl* owner, SChartVisibility* a,
                                          SChartVisibility* b);
using TVisibleChartsHandler = void (*)(CControl* owner, CControl* sender,
                                       TChartVisibilityList* entries);
// The owner may change factor before the zoom is applied; 0, a negative or a
// non-finite factor cancels the zoom.
using TZoomQueryHandler = void (*)(CControl* owner, CControl* sender, TChartVisibilityList* entries,
                                   CGeodeticCalibration* candidate, const SPointD& point,
                                   double& factor);

class CTCF2ChartViewer : public CControl {
 public:
  static constexpr int32_t kMaxViewers = 16;

  // Takes the lowest free requester bit; throws CChartViewerError when all 16
  // are in use. The tile manager is not owned.
  CTCF2ChartViewer(CControl* parent, CTCF2TileStore* tileManager);
  // Withdraws this viewer's tile requests of every chart, raising no event,
  // and frees the requester bit.
  ~CTCF2ChartViewer() override;

  void MouseDown(int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y) override;
  void MouseUp(int32_t x, int32_t y) override;
  void Paint(CBmp* canvas, const RECT& clip) override;
  void ContextPopup(int32_t x, int32_t y) override;
  // Keeps the view's centre, pixel size and rotation: a larger control shows
  // more of the map.
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  // The tile manager forgets this viewer's window.
  void DetachFromTileManager();
  void CreateBoundsPen();

  // Charts. A chart already shown is not added again.
  void AddChart(CTCF2Chart* chart);
  void RemoveChart(CTCF2Chart* chart);
  void RemoveChartAt(int32_t index);
  void RemoveAllCharts();
  // The first visible entry whose chart contains the WGS 84 position.
  bool ChartRecordAt(const SGeo2D& position, SChartVisibility& record);
  void BeginUpdate();
  void EndUpdate();
  void Refresh();
  void SetShowBounds(bool show);

  // The view. SetView copies the calibration (null: no view).
  void SetView(CGeodeticCalibration* calibration);
  void FitChart(CTCF2Chart* chart);
  void CentreOn(const SGeo2D& position);
  bool SelectChartAt(const SGeo2D& position);
  // What was shown at local (x + dx, y + dy) is afterwards shown at (x, y).
  void ShiftView(double dx, double dy);
  void Pan(int32_t dx, int32_t dy);
  void PanNoRepaint(int32_t dx, int32_t dy);
  // Shows the back buffer displaced without drawing the charts again.
  void DragBy(int32_t dx, int32_t dy);
  void SetRotation(double angle);
  // factor > 1 magnifies; the position under point stays put unless
  // keepCentre.
  void ZoomAt(double factor, const SPointD& point, bool keepCentre);
  void ZoomAtCursor(double factor);
  void InvalidateView();
  // Draws the charts again for tiles that arrived; the view did not change,
  // so a drag in progress keeps its offset.
  void ShowArrivedTiles();

  // Whether the last render asked the tile manager for tiles, so that a
  // tile-arrival message to the viewer's window may have something new to
  // show: the viewers of that window that await tiles show them.
  bool AwaitsTiles() const { return TilesAsked; }

  HPEN BoundsPen = nullptr;
  uint8_t NeedsRender = true;
  POINT PanOffset = {0, 0};
  CGeodeticCalibration* View = nullptr;
  SPoint3D ViewCentreVector = {};
  SGeo2D ViewCentre = {};
  SPointD CentrePix = {0, 0};
  double PixelSize = 0;
  CBmp32 BackBuffer;
  SChartVisibility* TopChartAtCursor = nullptr;
  CList<CTCF2Chart> Charts{false};
  TChartVisibilityList ChartsAtCursor{false};
  TChartVisibilityList VisibleCharts{true};
  uint32_t BackgroundColor = 0xFF808080;
  double ViewRadius = 0;
  SChartVisibility* FinestChartAtCursor = nullptr;
  uint8_t ShowBounds = false;
  uint16_t InstanceBit = 0;
  SGeo2D CursorGeo = {};
  POINT CursorPix = {0, 0};
  SPointD CursorProj = {0, 0};
  uint8_t PointerMoved = false;
  uint8_t TilesMissing = false;
  double Rotation = 0;
  CTCF2TileStore* TileManager;
  int32_t UpdateCount = 0;
  TCompareChartsHandler CompareCharts = nullptr;
  TVisibleChartsHandler OnVisibleChartsChange = nullptr;
  TZoomQueryHandler OnZoomQuery = nullptr;
  TNotifyHandler OnViewChange = nullptr;
  TNotifyHandler OnZoom = nullptr;

 private:
  struct SViewFree {
    void operator()(CGeodeticCalibration* view) const { td::Free(view); }
  };
  using TViewPtr = std::unique_ptr<CGeodeticCalibration, SViewFree>;

  TViewPtr MakeView(SGeodeticRef* ref, const SPointD& p1, const SPointD& p2, const SPointD& p3);
  // The view made from the current view's pixel corners after move() has
  // changed them, or null without a view.
  template <class Move>
  TViewPtr MovedView(Move move);
  TViewPtr ShiftedView(double dx, double dy);
  // The views of FitChart and CentreOn: null for a null chart, and without
  // a view for CentreOn.
  TViewPtr FittedView(CTCF2Chart* chart);
  TViewPtr CentredView(const SGeo2D& position);
  TViewPtr ZoomedView(double factor, const SPointD& point, bool keepCentre);
  // The operations below raise events; each answers whether the viewer
  // outlived them. ShowView is SetView; ApplyView shows a view made by the
  // functions above and does nothing for none.
  [[nodiscard]] bool ShowView(CGeodeticCalibration* calibration);
  [[nodiscard]] bool ApplyView(TViewPtr view);
  // Raises OnVisibleChartsChange and OnZoomQuery, which may change factor.
  [[nodiscard]] bool QueryZoom(CGeodeticCalibration& candidate, const SPointD& point,
                               double& factor);
  [[nodiscard]] bool RebuildVisible(CGeodeticCalibration* view, TChartVisibilityList& list);
  void SortVisible(TChartVisibilityList& list);
  [[nodiscard]] bool UpdateVisible();
  void ClearCursorCharts();
  void UpdateCursor();
  void UpdateCursorCharts();
  void WithdrawTiles(CTCF2Chart* chart);
  // Withdraws every chart's tiles and empties the lists, raising nothing.
  void ForgetCharts();
  void RenderCharts();
  void DrawOutline(CBmp* canvas);
  void StorePointer(int32_t x, int32_t y);

  uint8_t TilesAsked = false;
};

// The viewer holding requester bit n (0 to 15), or null.
CTCF2ChartViewer* LiveChartViewer(int32_t bit);
