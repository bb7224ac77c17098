#include "lib/charts/TCF2Chart.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "lib/charts/TCF2Coverage.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/CalibrationStatus.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/PixTransform.h"
#include "lib/geodesy/Polygons.h"

namespace {

constexpr double kTileSide = 256;
constexpr double kLevelScaleFactor = 0.95;
constexpr double kFullCoverage = 0.9999999;

bool IsFinite(const SPointD& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool IsFinite(const SRectD& r) {
  return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) &&
         std::isfinite(r.bottom);
}

// The first and last tile index of a level that the span [lo, hi] of
// level-0 pixels meets, clamped in double before it becomes an integer.
bool TileSpan(double lo, double hi, double side, int32_t tiles, int32_t& first, int32_t& last) {
  const double a = std::max(0.0, std::trunc((lo + 0.5) / side));
  const double b = std::min(tiles - 1.0, std::trunc((hi + 0.5) / side));
  if (!(a <= b)) return false;
  first = static_cast<int32_t>(a);
  last = static_cast<int32_t>(b);
  return true;
}

// Clips the triangles against the four edges of the view rectangle.
double ClippedArea(std::vector<STCF2Triangle> triangles, const SRectD& view) {
  std::vector<STCF2Triangle> next;
  for (int edge = 0; edge < 4; ++edge) {
    const bool vertical = edge % 2 == 0;
    const double bound = edge == 0   ? view.left
                         : edge == 1 ? view.top
                         : edge == 2 ? view.right
                                     : view.bottom;
    const SPointD a = vertical ? SPointD{bound, 0} : SPointD{0, bound};
    const SPointD b = vertical ? SPointD{bound, 1} : SPointD{1, bound};
    next.clear();
    for (STCF2Triangle& t : triangles) {
      for (int i = 0; i < 3; ++i) {
        const double v = vertical ? t.p[i].x : t.p[i].y;
        t.inside[i] = edge < 2 ? v >= bound : v <= bound;
      }
      ClipTriangleToEdge(t, a, b, next);
    }
    triangles.swap(next);
  }
  double area = 0;
  for (const STCF2Triangle& t : triangles) area += TriangleArea(t.p[0], t.p[1], t.p[2]);
  return area;
}

// Releases the manager's lock on every path out of a draw.
class CManagerUnlock {
 public:
  explicit CManagerUnlock(CTCF2TileStore* manager) : manager_(manager) {}
  ~CManagerUnlock() {
    if (manager_ != nullptr) manager_->Unlock();
  }
  CManagerUnlock(const CManagerUnlock&) = delete;
  CManagerUnlock& operator=(const CManagerUnlock&) = delete;

 private:
  CTCF2TileStore* manager_;
};

}  // namespace

// The work of one Draw call: the tiles that meet the view and the shared
// grid of their corners in view pixels.
class CTCF2Chart::CDrawing {
 public:
  CDrawing(CTCF2Chart& chart, CGeodeticCalibration& view, int32_t level)
      : chart_(chart), view_(view), side_(kTileSide * std::ldexp(1.0, level)) {
    SPolyLineD outline[4];
    const SRectD box =
        MappedImageOutline(chart.m_Calibration, view, view.GetWidth(), view.GetHeight(), outline);
    const STCF2Mipmap* mipmap = chart.m_Mipmaps.GetMipmap(level);
    if (mipmap == nullptr || !IsFinite(box) ||
        !TileSpan(box.left, box.right, side_, mipmap->TilesAcross, tx0_, tx1_) ||
        !TileSpan(box.top, box.bottom, side_, mipmap->TilesDown, ty0_, ty1_))
      return;
    nx_ = tx1_ - tx0_ + 1;
    grid_.resize(static_cast<size_t>(nx_ + 1) * (ty1_ - ty0_ + 2));
    Select(*mipmap, outline);
  }

  STCF2TileRequest* Requests() { return requests_.data(); }
  int32_t Count() const { return static_cast<int32_t>(requests_.size()); }

  void DrawTiles(CTCF2TileStore& manager, CBmp32& dest, bool direct, bool& placeholderUsed) {
    for (size_t k = requests_.size(); k-- > 0;) {
      STCF2TileRequest& request = requests_[k];
      std::unique_ptr<CBmp32> loaded;
      if (direct) loaded.reset(CTCF2TileStore::LoadTile(chart_.m_Path, request));
      CBmp32* bitmap = direct ? loaded.get() : request.Bitmap;
      if (bitmap == nullptr) {
        if (!request.Missing) continue;
        placeholderUsed = true;
        bitmap = &manager.Placeholder;
      }
      DrawTile(*bitmap, dest, k, request);
    }
  }

 private:
  struct SCorner {
    SPointD p;
    bool computed;
  };

  void Select(const STCF2Mipmap& mipmap, const SPolyLineD (&outline)[4]) {
    const double width = chart_.m_Header.Width, height = chart_.m_Header.Height;
    for (int32_t ty = ty1_; ty >= ty0_; --ty) {
      for (int32_t tx = tx1_; tx >= tx0_; --tx) {
        const SRectD r{tx * side_ - 0.5, ty * side_ - 0.5, std::min((tx + 1) * side_, width) - 0.5,
                       std::min((ty + 1) * side_, height) - 0.5};
        if (!RectIntersectsPolygonD(r, 4, outline)) continue;
        STCF2TileRequest request;
        const int32_t tile =
            static_cast<int32_t>(mipmap.FirstTile + uint32_t(ty) * mipmap.TilesAcross + tx);
        if (!chart_.m_Tiles.GetTileInfo(tile, &request.Info)) continue;
        requests_.push_back(request);
        rects_.push_back(r);
        cells_.push_back((ty - ty0_) * nx_ + (tx - tx0_));
      }
    }
  }

  const SPointD& Corner(int32_t index, double x, double y) {
    SCorner& corner = grid_[static_cast<size_t>(index)];
    if (!corner.computed) {
      PixTransform(corner.p, view_, SPointD{x, y}, chart_.m_Calibration);
      corner.computed = true;
    }
    return corner.p;
  }

  void DrawTile(CBmp32& bitmap, CBmp32& dest, size_t k, const STCF2TileRequest& request) {
    if (request.AllTransparent) return;
    const SRectD& r = rects_[k];
    const int32_t g = cells_[k] + cells_[k] / nx_;
    const SPointD quad[4] = {Corner(g, r.left, r.top), Corner(g + 1, r.right, r.top),
                             Corner(g + nx_ + 2, r.right, r.bottom),
                             Corner(g + nx_ + 1, r.left, r.bottom)};
    for (const SPointD& p : quad)
      if (!IsFinite(p)) return;
    const int32_t mode = request.AllOpaque ? bmCopy : bmTransparent;
    SPointD rounded[4];
    for (int i = 0; i < 4; ++i)
      rounded[i] = {std::floor(quad[i].x + 0.5), std::floor(quad[i].y + 0.5)};
    const SPointD &tl = rounded[0], &tr = rounded[1], &br = rounded[2], &bl = rounded[3];
    const bool upright = tl.y == tr.y && br.y == bl.y && tl.x == bl.x && tr.x == br.x;
    if (upright && br.x > tl.x && br.y > tl.y) {
      bitmap.Draw(dest, SRectD{tl.x - 0.5, tl.y - 0.5, br.x - 0.5, br.y - 0.5}, bitmap.PixBounds(),
                  mode);
      return;
    }
    bitmap.Transform(dest, SRectI{0, 0, bitmap.Width(), bitmap.Height()}, quad, mode);
  }

  CTCF2Chart& chart_;
  CGeodeticCalibration& view_;
  double side_;
  int32_t tx0_ = 0, tx1_ = -1, ty0_ = 0, ty1_ = -1, nx_ = 0;
  std::vector<STCF2TileRequest> requests_;
  std::vector<SRectD> rects_;
  std::vector<int32_t> cells_;
  std::vector<SCorner> grid_;
};

CTCF2Chart::CTCF2Chart(const CStr& path, uint32_t& warnings, uint32_t& error) : m_Path(path) {
  Open(true, warnings, error);
}

CTCF2Chart::~CTCF2Chart() { CancelChartEverywhere(this); }

void CTCF2Chart::Open(bool calibrate, uint32_t& warnings, uint32_t& error) {
  CTCF2TileTable tiles;
  const STCF2ChartParts parts{&m_Header, &m_Mipmaps, &tiles, &m_Tag, &m_UpdateTag, &m_Bounds};
  TCF2FileRead(m_Path, m_FileSize, m_Version, m_FormatIndex, parts, warnings, error);
  if (error != 0) return;
  m_Tiles.AssignFrom(tiles);
  if (m_Bounds.Count() == 0) {
    const double right = m_Header.Width - 0.5, bottom = m_Header.Height - 0.5;
    for (const SPointD& p :
         {SPointD{-0.5, -0.5}, SPointD{right, -0.5}, SPointD{right, bottom}, SPointD{-0.5, bottom}})
      m_Bounds.Append(p);
  }
  if (!calibrate) return;
  int32_t count = 0;
  SPointD pix[3], map[3];
  m_Tag.GetCalibration(&count, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
  SGeodeticRef ref;
  m_Tag.GetGeodeticRef(&ref);
  Calibrate(count, pix[0], pix[1], pix[2], map[0], map[1], map[2], ref);
}

void CTCF2Chart::Calibrate(int32_t count, const SPointD& pix1, const SPointD& pix2,
                           const SPointD& pix3, const SPointD& map1, const SPointD& map2,
                           const SPointD& map3, const SGeodeticRef& ref) {
  const int32_t w = m_Header.Width, h = m_Header.Height;
  if (count == 2)
    m_Calibration.Calibrate2(&pix1, &pix2, &map1, &map2, w, h, &ref);
  else
    m_Calibration.Calibrate3(&pix1, &pix2, &pix3, &map1, &map2, &map3, w, h, &ref);
  CalibrationStatusToStr("CTCFChart.Calibrate", &m_Calibration);
  SPointD centre;
  m_Calibration.GetCentre(&centre);
  SGeo2D centreGeo;
  m_Calibration.PixToGeoWGS84(&centreGeo, &centre);
  GeoToGreatCirclePoint(m_Centre, centreGeo);
  double radius = 0;
  const double right = w - 0.5, bottom = h - 0.5;
  for (const SPointD& corner :
       {SPointD{-0.5, -0.5}, SPointD{right, -0.5}, SPointD{-0.5, bottom}, SPointD{right, bottom}}) {
    SGeo2D geo;
    m_Calibration.PixToGeoWGS84(&geo, &corner);
    radius = std::max(radius, DistAlongGreatCircle(centreGeo, geo));
  }
  m_Radius = radius;
}

int32_t CTCF2Chart::LevelForScale(double scale) const {
  const double s = kLevelScaleFactor * scale;
  if (!(s < 1.0)) return 0;
  const double level = std::floor(std::log(1 / s) / std::log(2.0));
  return static_cast<int32_t>(std::min<double>(m_Mipmaps.Count() - 1, level));
}

void CTCF2Chart::Draw(CTCF2TileStore& manager, CBmp32& dest, CGeodeticCalibration& view,
                      double scale, uint16_t requester, TWindowHandle window, bool direct,
                      bool& placeholderUsed) {
  CDrawing drawing(*this, view, LevelForScale(scale));
  if (direct) {
    drawing.DrawTiles(manager, dest, true, placeholderUsed);
    return;
  }
  manager.Request(this, m_Path, drawing.Requests(), drawing.Count(), requester, window);
  CManagerUnlock unlock(&manager);
  m_Pending |= requester;
  drawing.DrawTiles(manager, dest, false, placeholderUsed);
}

void CTCF2Chart::RequestTiles(CTCF2TileStore& manager, uint16_t requester, TWindowHandle window) {
  if ((m_Pending & requester) != requester) return;
  manager.Request(this, m_Path, nullptr, 0, requester, window);
  manager.Unlock();
  m_Pending = static_cast<uint16_t>(m_Pending & ~requester);
}

bool CTCF2Chart::GetCoverage(const SPoint3D& viewCentre, double viewRadius,
                             CGeodeticCalibration& view, double& scaleRatio, double& coverage,
                             double& relativeArea, bool& boundsCut) {
  if (!(DistAlongGreatCircle1(viewCentre, m_Centre) < viewRadius + m_Radius)) return false;
  const double wv = view.GetWidth(), hv = view.GetHeight();
  if (!(wv > 0 && hv > 0)) return false;
  SPolyLineD outline[4];
  MappedImageOutline(view, m_Calibration, m_Header.Width, m_Header.Height, outline);
  const SRectD v{-0.5, -0.5, wv - 0.5, hv - 0.5};
  if (!RectIntersectsPolygonD(v, 4, outline)) return false;
  SPointD p[4];
  for (int i = 0; i < 4; ++i) p[i] = {outline[i].x, outline[i].y};
  const double w = m_Header.Width - 0.5, h = m_Header.Height - 0.5;
  scaleRatio = std::max({PointDistanceD(p[0], p[1]) / w, PointDistanceD(p[1], p[2]) / h,
                         PointDistanceD(p[2], p[3]) / w, PointDistanceD(p[3], p[0]) / h});
  const double whole = TriangleArea(p[0], p[1], p[2]) + TriangleArea(p[0], p[2], p[3]);
  const double covered = ClippedArea(
      {STCF2Triangle{{p[0], p[1], p[2]}, {}}, STCF2Triangle{{p[0], p[2], p[3]}, {}}}, v);
  coverage = std::min(1.0, covered / (wv * hv));
  boundsCut = false;
  if (coverage > kFullCoverage) {
    std::vector<SPolyLineD> bounds(static_cast<size_t>(m_Bounds.Count()));
    for (size_t i = 0; i < bounds.size(); ++i) {
      const SPointD vertex = m_Bounds.PointAt(static_cast<int32_t>(i));
      SPointD q;
      PixTransform(q, view, vertex, m_Calibration);
      bounds[i] = SPolyLineD{};
      bounds[i].x = q.x;
      bounds[i].y = q.y;
    }
    const int32_t n = static_cast<int32_t>(bounds.size());
    PolygonEdgeTableD(bounds.data(), n);
    boundsCut = RectPolygonRelationD(v, n, bounds.data()) != 1;
  }
  relativeArea = whole / (wv * hv);
  return true;
}

bool CTCF2Chart::ContainsPoint(const SGeo2D& position) {
  SPointD pixel;
  m_Calibration.GeoWGS84ToPix(&pixel, &position);
  if (m_Bounds.Count() > 0) return m_Bounds.ContainsPoint(&pixel);
  return pixel.x >= -0.5 && pixel.x < m_Header.Width - 0.5 && pixel.y >= -0.5 &&
         pixel.y < m_Header.Height - 0.5;
}

bool CTCF2Chart::BoundsContainPixel(const SPointD& pixel) { return m_Bounds.ContainsPoint(&pixel); }

CStr CTCF2Chart::GetName() {
  CStr name = *m_Tag.GetText1();
  if (name.GetLength() == 0) {
    const char* path = m_Path.c_str();
    const char* start = path;
    for (const char* c = path; *c != 0; ++c)
      if (*c == '\\' || *c == ':') start = c + 1;
    name = start;
  }
  if (m_Tag.GetText2()->GetLength() > 0) name += CStr(" - ") + *m_Tag.GetText2();
  return name;
}

CTCF2Chart* TCF2ChartCreate(const CStr& path, uint32_t& warnings, uint32_t& error) noexcept {
  error = 0;
  try {
    std::unique_ptr<CTCF2Chart> chart(new CTCF2Chart(path, warnings, error));
    return error == 0 ? chart.release() : nullptr;
  } catch (const CGeodeticsError&) {
    error = kErrCalUnknown;
  } catch (...) {
    error = kErrUnknown;
  }
  return nullptr;
}
