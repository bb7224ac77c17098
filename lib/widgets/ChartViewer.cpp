#include "lib/widgets/ChartViewer.h"

#include <algorithm>
#include <cmath>

#include "lib/charts/TileNotifier.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/containers/Growth.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/PixTransform.h"
#include "lib/widgets/Window.h"

namespace {

constexpr COLORREF kBoundsColor = 0x0000FF;
constexpr double kNoPixelSize = 3.4e38;

// The requester bits in use (low 16 bits) and the viewer holding each.
uint32_t g_InstanceMask = 0;
CTCF2ChartViewer* g_LiveViewers[CTCF2ChartViewer::kMaxViewers] = {};

int32_t TakeInstanceBit() {
  for (int32_t bit = 0; bit < CTCF2ChartViewer::kMaxViewers; ++bit) {
    if ((g_InstanceMask & (1u << bit)) != 0) continue;
    g_InstanceMask |= 1u << bit;
    return bit;
  }
  throw CChartViewerError("CTCF2ChartViewer.Create: Too many chart viewers.");
}

int32_t BitIndex(uint16_t bit) {
  int32_t index = 0;
  while ((1u << index) != bit) ++index;
  return index;
}

// The pixel bounds' corners that make a view: top-left, top-right and
// bottom-right.
void ViewCorners(int32_t width, int32_t height, SPointD (&corners)[3]) {
  corners[0] = {-0.5, -0.5};
  corners[1] = {width - 0.5, -0.5};
  corners[2] = {width - 0.5, height - 0.5};
}

// The circle around a view as the coverage test takes it: the WGS 84 position
// of the centre pixel, its unit vector, and the largest great-circle distance
// from it to the four corners.
struct SViewCircle {
  SGeo2D Centre;
  SPoint3D Vector;
  double Radius;
};

SViewCircle ViewCircle(CGeodeticCalibration& view, const SPointD& centrePix, int32_t width,
                       int32_t height) {
  SViewCircle circle{};
  view.PixToGeoWGS84(&circle.Centre, &centrePix);
  const double right = width - 0.5, bottom = height - 0.5;
  for (const SPointD& corner :
       {SPointD{-0.5, -0.5}, SPointD{right, -0.5}, SPointD{right, bottom}, SPointD{-0.5, bottom}}) {
    SGeo2D geo;
    view.PixToGeoWGS84(&geo, &corner);
    circle.Radius = std::max(circle.Radius, DistAlongGreatCircle(circle.Centre, geo));
  }
  GeoToGreatCirclePoint(circle.Vector, circle.Centre);
  return circle;
}

// The tile loader's message to a window: its viewers that asked for tiles
// show what arrived.
void TilesArrived(CWindow* window, WPARAM, LPARAM) {
  for (CTCF2ChartViewer* viewer : g_LiveViewers)
    if (viewer != nullptr && viewer->IsWithin(window) && viewer->AwaitsTiles())
      viewer->ShowArrivedTiles();
}

bool IsUsableFactor(double factor) { return std::isfinite(factor) && factor > 0; }

// Fills the part of r (canvas pixels) that lies on the canvas.
void FillRect(CBmp32& canvas, RECT r, uint32_t colour) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, canvas.Width());
  r.bottom = std::min<LONG>(r.bottom, canvas.Height());
  for (int32_t y = r.top; y < r.bottom; ++y)
    std::fill(canvas.Row(y) + r.left, canvas.Row(y) + std::max(r.left, r.right), colour);
}

RECT Intersection(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace

CTCF2ChartViewer* LiveChartViewer(int32_t bit) {
  return bit >= 0 && bit < CTCF2ChartViewer::kMaxViewers ? g_LiveViewers[bit] : nullptr;
}

CTCF2ChartViewer::CTCF2ChartViewer(CControl* parent, CTCF2TileStore* tileManager)
    : CControl(parent), BackBuffer(0, 0, true), TileManager(tileManager) {
  const int32_t bit = TakeInstanceBit();
  InstanceBit = static_cast<uint16_t>(1u << bit);
  g_LiveViewers[bit] = this;
  SetWindowMessageHandler(kTileMessageArrived, TilesArrived);
  CreateBoundsPen();
}

CTCF2ChartViewer::~CTCF2ChartViewer() {
  ForgetCharts();
  const int32_t bit = BitIndex(InstanceBit);
  g_LiveViewers[bit] = nullptr;
  g_InstanceMask &= ~(1u << bit);
  DeleteObject(BoundsPen);
  td::Free(View);
}

void CTCF2ChartViewer::DetachFromTileManager() { TileManager->RemoveWindow(GetHandle()); }

void CTCF2ChartViewer::CreateBoundsPen() {
  if (BoundsPen != nullptr) DeleteObject(BoundsPen);
  BoundsPen = CreatePen(PS_SOLID, 1, kBoundsColor);
}

// Charts -----------------------------------------------------------------

void CTCF2ChartViewer::AddChart(CTCF2Chart* chart) {
  if (Charts.IndexOf(chart) >= 0) return;
  Charts.Add(chart);
  if (!UpdateVisible()) return;
  UpdateCursorCharts();
  if (View == nullptr) return;
  double zoom, coverage, area;
  bool cut;
  if (chart->GetCoverage(ViewCentreVector, ViewRadius, *View, zoom, coverage, area, cut))
    InvalidateView();
}

void CTCF2ChartViewer::RemoveChart(CTCF2Chart* chart) {
  const int32_t index = Charts.IndexOf(chart);
  if (index >= 0) RemoveChartAt(index);
}

void CTCF2ChartViewer::RemoveChartAt(int32_t index) {
  if (index < 0 || index >= Charts.GetCount()) return;
  WithdrawTiles(Charts[index]);
  Charts.Delete(index);
  Refresh();
}

void CTCF2ChartViewer::RemoveAllCharts() {
  ForgetCharts();
  Refresh();
}

void CTCF2ChartViewer::ForgetCharts() {
  for (int32_t i = Charts.GetCount() - 1; i >= 0; --i) WithdrawTiles(Charts[i]);
  ClearCursorCharts();
  Charts.Clear();
  VisibleCharts.Clear();
}

bool CTCF2ChartViewer::ChartRecordAt(const SGeo2D& position, SChartVisibility& record) {
  if (View == nullptr) return false;
  for (int32_t i = 0; i < VisibleCharts.GetCount(); ++i) {
    if (!VisibleCharts[i]->Chart->ContainsPoint(position)) continue;
    record = *VisibleCharts[i];
    return true;
  }
  return false;
}

void CTCF2ChartViewer::BeginUpdate() {
  if (UpdateCount == 0) {
    ClearCursorCharts();
    VisibleCharts.Clear();
  }
  ++UpdateCount;
}

void CTCF2ChartViewer::EndUpdate() {
  if (UpdateCount == 0 || --UpdateCount > 0) return;
  if (UpdateVisible()) UpdateCursorCharts();
}

void CTCF2ChartViewer::Refresh() {
  if (!UpdateVisible()) return;
  UpdateCursorCharts();
  InvalidateView();
}

void CTCF2ChartViewer::SetShowBounds(bool show) {
  if (bool(ShowBounds) == show) return;
  ShowBounds = show;
  InvalidateView();
}

void CTCF2ChartViewer::WithdrawTiles(CTCF2Chart* chart) {
  chart->RequestTiles(*TileManager, InstanceBit, GetHandle());
}

// View -------------------------------------------------------------------

CTCF2ChartViewer::TViewPtr CTCF2ChartViewer::MakeView(SGeodeticRef* ref, const SPointD& p1,
                                                      const SPointD& p2, const SPointD& p3) {
  TViewPtr view(new CGeodeticCalibration());
  SPointD corners[3];
  ViewCorners(Width, Height, corners);
  view->Calibrate3(&corners[0], &corners[1], &corners[2], &p1, &p2, &p3, Width, Height, ref);
  return view;
}

template <class Move>
CTCF2ChartViewer::TViewPtr CTCF2ChartViewer::MovedView(Move move) {
  if (View == nullptr) return nullptr;
  SPointD corners[3], projected[3];
  ViewCorners(Width, Height, corners);
  for (int i = 0; i < 3; ++i) {
    const SPointD moved = move(corners[i]);
    View->PixToProj(&projected[i], &moved);
  }
  return MakeView(View->GetRef(), projected[0], projected[1], projected[2]);
}

bool CTCF2ChartViewer::ApplyView(TViewPtr view) { return view == nullptr || ShowView(view.get()); }

void CTCF2ChartViewer::SetView(CGeodeticCalibration* calibration) {
  static_cast<void>(ShowView(calibration));
}

bool CTCF2ChartViewer::ShowView(CGeodeticCalibration* calibration) {
  if (calibration == nullptr) {
    td::Free(View);
    View = nullptr;
    Rotation = 0;
  } else {
    if (View == nullptr) View = new CGeodeticCalibration();
    View->Assign(calibration);
    Rotation = View->GetRotation();
  }
  if (View != nullptr) {
    const SViewCircle circle = ViewCircle(*View, CentrePix, Width, Height);
    ViewCentre = circle.Centre;
    ViewRadius = circle.Radius;
    ViewCentreVector = circle.Vector;
    const SPointD down{0, 1};
    PixelSize = View->GetPixelDistance(&CentrePix, &down);
  } else {
    ViewCentre = {};
    ViewRadius = 0;
    ViewCentreVector = {};
    PixelSize = 0;
  }
  if (!UpdateVisible()) return false;
  UpdateCursor();
  InvalidateView();
  return RaiseEvent(this, OnViewChange, GetOwner(), this);
}

void CTCF2ChartViewer::FitChart(CTCF2Chart* chart) {
  static_cast<void>(ApplyView(FittedView(chart)));
}

CTCF2ChartViewer::TViewPtr CTCF2ChartViewer::FittedView(CTCF2Chart* chart) {
  if (chart == nullptr) return nullptr;
  const double cx = chart->GetWidth() / 2.0 - 0.5, cy = chart->GetHeight() / 2.0 - 0.5;
  const double hw = Width / 2.0, hh = Height / 2.0;
  CGeodeticCalibration& own = chart->GetCalibration();
  const SPointD pix[3] = {{cx - hw, cy - hh}, {cx + hw, cy - hh}, {cx + hw, cy + hh}};
  SPointD projected[3];
  for (int i = 0; i < 3; ++i) own.PixToProj(&projected[i], &pix[i]);
  return MakeView(own.GetRef(), projected[0], projected[1], projected[2]);
}

void CTCF2ChartViewer::CentreOn(const SGeo2D& position) {
  static_cast<void>(ApplyView(CentredView(position)));
}

CTCF2ChartViewer::TViewPtr CTCF2ChartViewer::CentredView(const SGeo2D& position) {
  if (View == nullptr) return nullptr;
  SPointD pixel;
  View->GeoWGS84ToPix(&pixel, &position);
  return ShiftedView(pixel.x - CentrePix.x, pixel.y - CentrePix.y);
}

bool CTCF2ChartViewer::SelectChartAt(const SGeo2D& position) {
  CTCF2Chart* best = nullptr;
  double bestSize = 0;
  for (int32_t i = Charts.GetCount() - 1; i >= 0; --i) {
    CTCF2Chart* chart = Charts[i];
    if (!chart->ContainsPoint(position)) continue;
    SPointD pixel;
    chart->GetCalibration().GeoWGS84ToPix(&pixel, &position);
    const double size = chart->GetCalibration().GetPixelSize(&pixel);
    if (best != nullptr && !(size < bestSize)) continue;
    best = chart;
    bestSize = size;
  }
  if (best == nullptr) return false;
  BeginUpdate();
  // The view's handlers may delete the viewer.
  if (ApplyView(FittedView(best)) && ApplyView(CentredView(position))) EndUpdate();
  return true;
}

void CTCF2ChartViewer::ShiftView(double dx, double dy) {
  static_cast<void>(ApplyView(ShiftedView(dx, dy)));
}

CTCF2ChartViewer::TViewPtr CTCF2ChartViewer::ShiftedView(double dx, double dy) {
  return MovedView([&](const SPointD& p) { return SPointD{p.x + dx, p.y + dy}; });
}

void CTCF2ChartViewer::Pan(int32_t dx, int32_t dy) {
  if (View != nullptr && ApplyView(ShiftedView(dx, dy))) RepaintNow();
}

void CTCF2ChartViewer::PanNoRepaint(int32_t dx, int32_t dy) {
  if (View != nullptr) ShiftView(dx, dy);
}

void CTCF2ChartViewer::DragBy(int32_t dx, int32_t dy) {
  PanOffset.x += dx;
  PanOffset.y += dy;
  RepaintNow();
}

void CTCF2ChartViewer::SetRotation(double angle) {
  if (angle == Rotation || View == nullptr) return;
  double sine, cosine;
  SinCos(sine, cosine, Rotation - angle);
  const bool alive = ApplyView(MovedView([&](const SPointD& p) {
    SPointD rotated;
    RotatePointD(rotated, p, CentrePix, sine, cosine);
    return rotated;
  }));
  if (alive) Rotation = angle;
}

CTCF2ChartViewer::TViewPtr CTCF2ChartViewer::ZoomedView(double factor, const SPointD& point,
                                                        bool keepCentre) {
  const SPointD c = keepCentre ? CentrePix
                               : SPointD{point.x + (CentrePix.x - point.x) / factor,
                                         point.y + (CentrePix.y - point.y) / factor};
  const double halfWidth = Width / factor / 2, halfHeight = Height / factor / 2;
  const SPointD tl{c.x - halfWidth, c.y - halfHeight}, tr{c.x + halfWidth, tl.y},
      br{tr.x, c.y + halfHeight};
  SPointD projected[3];
  View->PixToProj(&projected[0], &tl);
  View->PixToProj(&projected[1], &tr);
  View->PixToProj(&projected[2], &br);
  return MakeView(View->GetRef(), projected[0], projected[1], projected[2]);
}

bool CTCF2ChartViewer::QueryZoom(CGeodeticCalibration& candidate, const SPointD& point,
                                 double& factor) {
  TChartVisibilityList entries(true);
  if (!RebuildVisible(&candidate, entries)) return false;
  SortVisible(entries);
  return RaiseEvent(this, OnVisibleChartsChange, GetOwner(), this, &entries) &&
         RaiseEvent(this, OnZoomQuery, GetOwner(), this, &entries, &candidate, point, factor);
}

void CTCF2ChartViewer::ZoomAt(double factor, const SPointD& point, bool keepCentre) {
  if (View == nullptr || !IsUsableFactor(factor)) return;
  if (OnZoomQuery) {
    TViewPtr candidate = ZoomedView(factor, point, keepCentre);
    if (!QueryZoom(*candidate, point, factor) || !IsUsableFactor(factor)) return;
  }
  if (factor != 1.0 && !ApplyView(ZoomedView(factor, point, keepCentre))) return;
  RaiseLastEvent(OnZoom, GetOwner(), this);
}

void CTCF2ChartViewer::ZoomAtCursor(double factor) {
  ZoomAt(factor, SPointD{double(CursorPix.x), double(CursorPix.y)}, false);
}

void CTCF2ChartViewer::InvalidateView() {
  NeedsRender = true;
  PanOffset = {0, 0};
  Invalidate();
}

void CTCF2ChartViewer::ShowArrivedTiles() {
  NeedsRender = true;
  Invalidate();
}

// Visible charts -----------------------------------------------------------

bool CTCF2ChartViewer::RebuildVisible(CGeodeticCalibration* view, TChartVisibilityList& list) {
  list.Clear();
  if (view != nullptr) {
    const SViewCircle circle = ViewCircle(*view, CentrePix, Width, Height);
    for (int32_t i = 0; i < Charts.GetCount(); ++i) {
      CTCF2Chart* chart = Charts[i];
      SChartVisibility entry{0, 0, 0, chart, true, false};
      bool cut = false;
      if (chart->GetCoverage(circle.Vector, circle.Radius, *view, entry.Zoom, entry.Coverage,
                             entry.RelativeArea, cut)) {
        entry.BoundsCut = cut;
        list.Add(new SChartVisibility(entry));
      } else {
        WithdrawTiles(chart);
      }
    }
  }
  SortVisible(list);
  return RaiseEvent(this, OnVisibleChartsChange, GetOwner(), this, &list);
}

void CTCF2ChartViewer::SortVisible(TChartVisibilityList& list) {
  if (CompareCharts == nullptr || list.GetCount() < 2) return;
  CControl* owner = GetOwner();
  td::QuickSort(
      0, list.GetCount() - 1, [&](int32_t mid) { return list[mid]; },
      [&](int32_t i, SChartVisibility* pivot) { return CompareCharts(owner, list[i], pivot) < 0; },
      [&](int32_t i, SChartVisibility* pivot) { return CompareCharts(owner, list[i], pivot) > 0; },
      [&](int32_t i, int32_t j) { list.Exchange(i, j); });
}

bool CTCF2ChartViewer::UpdateVisible() {
  if (UpdateCount != 0) return true;
  // The cursor entries point into the list about to be rebuilt.
  ClearCursorCharts();
  return RebuildVisible(View, VisibleCharts);
}

// Pointer ------------------------------------------------------------------

void CTCF2ChartViewer::ClearCursorCharts() {
  ChartsAtCursor.Clear();
  TopChartAtCursor = nullptr;
  FinestChartAtCursor = nullptr;
}

void CTCF2ChartViewer::UpdateCursor() {
  if (View != nullptr) {
    const SPointD pixel{double(CursorPix.x), double(CursorPix.y)};
    View->PixToProj(&CursorProj, &pixel);
    View->PixToGeoWGS84(&CursorGeo, &pixel);
  } else {
    CursorProj = {0, 0};
    CursorGeo = {};
  }
  UpdateCursorCharts();
}

void CTCF2ChartViewer::UpdateCursorCharts() {
  if (UpdateCount != 0) return;
  ClearCursorCharts();
  double bestSize = kNoPixelSize;
  SChartVisibility* best = nullptr;
  for (int32_t i = 0; i < VisibleCharts.GetCount(); ++i) {
    SChartVisibility* entry = VisibleCharts[i];
    if (!entry->Chart->ContainsPoint(CursorGeo)) continue;
    ChartsAtCursor.Add(entry);
    CGeodeticCalibration& own = entry->Chart->GetCalibration();
    SPointD pixel;
    own.GeoWGS84ToPix(&pixel, &CursorGeo);
    const double size = own.GetPixelSize(&pixel);
    if (size < bestSize) {
      bestSize = size;
      best = entry;
    }
  }
  if (ChartsAtCursor.GetCount() == 0) return;
  TopChartAtCursor = ChartsAtCursor[0];
  FinestChartAtCursor = best;
}

void CTCF2ChartViewer::StorePointer(int32_t x, int32_t y) {
  CursorPix = {x, y};
  UpdateCursor();
}

void CTCF2ChartViewer::MouseDown(int32_t x, int32_t y) {
  StorePointer(x, y);
  PointerMoved = false;
  CControl::MouseDown(x, y);
}

void CTCF2ChartViewer::MouseMove(int32_t x, int32_t y) {
  const SChartVisibility* before = FinestChartAtCursor;
  StorePointer(x, y);
  PointerMoved = true;
  if (ShowBounds && FinestChartAtCursor != before) Invalidate();
  CControl::MouseMove(x, y);
}

void CTCF2ChartViewer::MouseUp(int32_t x, int32_t y) {
  const SChartVisibility* before = FinestChartAtCursor;
  StorePointer(x, y);
  if (ShowBounds && FinestChartAtCursor != before) Invalidate();
  CControl::MouseUp(x, y);
}

void CTCF2ChartViewer::ContextPopup(int32_t x, int32_t y) {
  StorePointer(x, y);
  PointerMoved = false;
  CControl::ContextPopup(x, y);
}

// Painting -------------------------------------------------------------------

void CTCF2ChartViewer::RenderCharts() {
  TilesMissing = RenderVisibleCharts(*TileManager, BackBuffer, View, VisibleCharts, BackgroundColor,
                                     InstanceBit, GetHandle());
  TilesAsked = View != nullptr && VisibleCharts.GetCount() > 0;
}

void CTCF2ChartViewer::Paint(CBmp* canvas, const RECT& clip) {
  if (NeedsRender) {
    RenderCharts();
    NeedsRender = false;
  }
  if (auto* screen = dynamic_cast<CBmp32*>(canvas)) {
    // Window coordinates: the clip, limited to this control, and the part of
    // the back buffer shown there.
    const POINT origin = GetWindowOrigin();
    RECT target =
        Intersection({clip.left, clip.top, clip.right, clip.bottom}, {0, 0, Width, Height});
    OffsetRect(&target, origin.x, origin.y);
    if (PanOffset.x != 0 || PanOffset.y != 0) FillRect(*screen, target, BackgroundColor);
    RECT source = target;
    OffsetRect(&source, PanOffset.x - origin.x, PanOffset.y - origin.y);
    source = Intersection(source, {0, 0, BackBuffer.Width(), BackBuffer.Height()});
    if (source.left < source.right && source.top < source.bottom) {
      const double dx = origin.x - PanOffset.x, dy = origin.y - PanOffset.y;
      const SRectD from{source.left - 0.5, source.top - 0.5, source.right - 0.5,
                        source.bottom - 0.5};
      BackBuffer.Draw(*screen,
                      SRectD{from.left + dx, from.top + dy, from.right + dx, from.bottom + dy},
                      from, bmCopy);
    }
  }
  DrawOutline(canvas);
  CControl::Paint(canvas, clip);
}

void CTCF2ChartViewer::DrawOutline(CBmp* canvas) {
  if (!ShowBounds || ChartsAtCursor.GetCount() == 0 || View == nullptr ||
      FinestChartAtCursor == nullptr)
    return;
  CTCF2Chart& chart = *FinestChartAtCursor->Chart;
  CTCF2Bounds& bounds = chart.GetBounds();
  const int32_t count = bounds.GetCount();
  if (count == 0) return;
  const auto vertex = [&](int32_t n) {
    SPointI p;
    PixTransform2(p, *View, bounds.PointAt(n), chart.GetCalibration());
    return POINT{p.x - PanOffset.x, p.y - PanOffset.y};
  };
  HDC dc = canvas->GetDC();
  HGDIOBJ oldPen = SelectObject(dc, BoundsPen);
  const POINT first = vertex(0);
  MoveToEx(dc, first.x, first.y, nullptr);
  for (int32_t n = count - 1; n >= 0; --n) {
    const POINT p = vertex(n);
    LineTo(dc, p.x, p.y);
  }
  SelectObject(dc, oldPen);
}

void CTCF2ChartViewer::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (left == Left && top == Top && width == Width && height == Height) return;
  const SPointD oldCentre = CentrePix;
  CControl::SetBounds(left, top, width, height);
  BackBuffer.SetSize(width, height);
  CentrePix = {width / 2.0 - 0.5, height / 2.0 - 0.5};
  // The new centre pixel shows what the old one showed.
  if (View != nullptr) ShiftView(oldCentre.x - CentrePix.x, oldCentre.y - CentrePix.y);
}
