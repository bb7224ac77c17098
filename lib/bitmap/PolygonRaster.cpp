#include "lib/bitmap/PolygonRaster.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "lib/bitmap/BlendRoutines.h"

namespace {

constexpr double kWorkMargin = 1 << 20;
constexpr uint32_t kUpward = 0x80000000u;
constexpr int32_t kPositionMask = 0x7FFFFFFF;

struct SBoxSide {
  bool vertical;  // a bound on x
  double bound;
  bool lower;
};

double Along(const SPointD& p, bool vertical) { return vertical ? p.x : p.y; }

bool Inside(const SPointD& p, const SBoxSide& side) {
  const double v = Along(p, side.vertical);
  return side.lower ? v >= side.bound : v <= side.bound;
}

// Where inside -> outside crosses the side; a convex mix, so it stays
// finite for any finite ends.
SPointD Crossing(const SPointD& inside, const SPointD& outside, const SBoxSide& side) {
  const double a = Along(inside, side.vertical), b = Along(outside, side.vertical);
  const double t = std::clamp((side.bound - a) / (b - a), 0.0, 1.0);
  const double ou = side.vertical ? inside.y : inside.x, ov = side.vertical ? outside.y : outside.x;
  const double other = (1 - t) * ou + t * ov;
  return side.vertical ? SPointD{side.bound, other} : SPointD{other, side.bound};
}

std::vector<SPointD> ClipSide(const std::vector<SPointD>& in, const SBoxSide& side) {
  std::vector<SPointD> out;
  out.reserve(in.size() + 2);
  for (size_t i = 0; i < in.size(); ++i) {
    const SPointD& previous = in[(i + in.size() - 1) % in.size()];
    const SPointD& current = in[i];
    const bool inPrevious = Inside(previous, side), inCurrent = Inside(current, side);
    if (inCurrent != inPrevious)
      out.push_back(inCurrent ? Crossing(current, previous, side)
                              : Crossing(previous, current, side));
    if (inCurrent) out.push_back(current);
  }
  return out;
}

int64_t SubPixel(double v) { return static_cast<int64_t>(std::floor(v * 8 + 0.5)); }

int32_t Sign(int64_t v) { return (v > 0) - (v < 0); }

int32_t Position(int32_t crossing) { return crossing & kPositionMask; }

}  // namespace

std::vector<SPointD> CPolygonRaster::ClipToWorkBox(const SPointD* points, int32_t count) const {
  std::vector<SPointD> polygon(points, points + count);
  const SBoxSide sides[4] = {{true, -kWorkMargin, true},
                             {false, -kWorkMargin, true},
                             {true, m_Bitmap.Width() + kWorkMargin, false},
                             {false, m_Bitmap.Height() + kWorkMargin, false}};
  for (const SBoxSide& side : sides) {
    if (std::all_of(polygon.begin(), polygon.end(),
                    [&](const SPointD& p) { return Inside(p, side); }))
      continue;
    polygon = ClipSide(polygon, side);
  }
  return polygon;
}

bool CPolygonRaster::Prepare(const SPointD* points, int32_t count, uint32_t colour) {
  if (!points || count <= 2 || (colour >> 24) == 0 || !m_Bitmap.HasPixels()) return false;
  if (!std::all_of(points, points + count,
                   [](const SPointD& p) { return std::isfinite(p.x) && std::isfinite(p.y); }))
    return false;
  const std::vector<SPointD> clipped = ClipToWorkBox(points, count);
  if (clipped.size() < 3) return false;
  std::vector<SSubPoint> sub(clipped.size());
  for (size_t i = 0; i < clipped.size(); ++i)
    sub[i] = {SubPixel(clipped[i].x), SubPixel(clipped[i].y)};
  const auto [low, high] = std::minmax_element(
      sub.begin(), sub.end(), [](const SSubPoint& a, const SSubPoint& b) { return a.y < b.y; });
  const int64_t lastSubRow = int64_t{m_Bitmap.Height()} * 8 - 1;
  m_MinY = std::clamp<int64_t>(low->y, 0, lastSubRow);
  m_MaxY = std::clamp<int64_t>(high->y, 0, lastSubRow);
  if (m_MinY >= m_MaxY) return false;
  m_Found.reserve(static_cast<size_t>(m_MaxY - m_MinY + 1) * 2);
  AddEdges(sub);
  SortCrossings();
  m_Coverage.resize(static_cast<size_t>(m_Bitmap.Width()) + 2);
  m_Colours.resize(m_Coverage.size());
  m_Colour = colour;
  return true;
}

void CPolygonRaster::Draw() {
  for (int64_t row = m_MinY >> 3; row <= m_MaxY >> 3; ++row) FillRow(static_cast<int32_t>(row));
}

void CPolygonRaster::AddCrossing(int64_t x, int64_t y, int32_t direction) {
  if (y < m_MinY || y > m_MaxY) return;
  const int64_t position = std::clamp<int64_t>(x, 0, int64_t{m_Bitmap.Width()} * 8 - 1);
  m_Found.push_back({static_cast<int32_t>(y - m_MinY),
                     static_cast<int32_t>(position | (direction < 0 ? kUpward : 0))});
}

void CPolygonRaster::SortCrossings() {
  const int64_t subRows = m_MaxY - m_MinY + 1;
  if (m_Found.size() > static_cast<size_t>(INT32_MAX)) throw std::bad_alloc();
  m_Start.assign(static_cast<size_t>(subRows) + 1, 0);
  for (const SCrossing& c : m_Found) ++m_Start[c.subRow + 1];
  for (int64_t s = 0; s < subRows; ++s) m_Start[s + 1] += m_Start[s];
  m_Crossings.SetCount(static_cast<int32_t>(m_Found.size()));
  std::vector<int32_t> next(m_Start.begin(), m_Start.end() - 1);
  for (const SCrossing& c : m_Found) m_Crossings[next[c.subRow]++] = c.value;
  for (int64_t s = 0; s < subRows; ++s)
    std::sort(m_Crossings.ElementAt(m_Start[s]), m_Crossings.ElementAt(m_Start[s + 1]),
              [](int32_t a, int32_t b) { return Position(a) < Position(b); });
}

int32_t CPolygonRaster::WalkEdge(SSubPoint from, SSubPoint to) {
  if (from.y == to.y) return 0;
  const int32_t direction = from.y < to.y ? 1 : -1;
  const int64_t dy = std::abs(to.y - from.y), dx = std::abs(to.x - from.x);
  const int64_t step = Sign(to.x - from.x);
  // Only the steps whose sub-row has a crossing list are walked; the
  // position at the first of them follows from the whole-step sums.
  const int64_t first = std::max<int64_t>(0, direction > 0 ? m_MinY - from.y : from.y - m_MaxY);
  const int64_t last = std::min<int64_t>(dy - 1, direction > 0 ? m_MaxY - from.y : from.y - m_MinY);
  int64_t error = (dx % dy) >> 1;
  int64_t x = from.x;
  if (first > 0 && first <= last) {
    error += first * dx;
    const int64_t moves = error > dy ? (error - 1) / dy : 0;
    x += step * moves;
    error -= moves * dy;
  }
  for (int64_t k = first; k <= last; ++k) {
    AddCrossing(x, from.y + direction * k, direction);
    error += dx;
    if (error > dy) {
      const int64_t moves = (error - 1) / dy;
      x += step * moves;
      error -= moves * dy;
    }
  }
  return direction;
}

void CPolygonRaster::AddEdges(const std::vector<SSubPoint>& points) {
  const size_t n = points.size();
  int32_t previousDirection = 0;
  for (size_t i = n - 1; i > 0; --i)
    if (points[i].y != points[0].y) {
      previousDirection = Sign(points[0].y - points[i].y);
      break;
    }
  SSubPoint previous = points[0];
  for (size_t i = 1; i <= n; ++i) {
    const SSubPoint current = points[i % n];
    if (current.y != previous.y) {
      const int32_t direction = WalkEdge(previous, current);
      if (direction != previousDirection) AddCrossing(previous.x, previous.y, -direction);
      previousDirection = direction;
    }
    previous = current;
  }
}

void CPolygonRaster::FillRow(int32_t row) {
  const uint32_t colour = m_Colour;
  const int64_t count = m_MaxY - m_MinY + 1;
  const int64_t top = std::max<int64_t>(int64_t{row} * 8 - m_MinY, 0);
  const int64_t bottom = std::min<int64_t>(int64_t{row} * 8 - m_MinY + 7, count - 1);
  int32_t xmin = INT32_MAX, xmax = -1;
  for (int64_t s = top; s <= bottom; ++s) {
    const int32_t first = m_Start[s], end = m_Start[s + 1];
    if (end - first < 2) continue;
    xmin = std::min(xmin, Position(m_Crossings[first]));
    xmax = std::max(xmax, Position(m_Crossings[end - 1]) + 7);
  }
  if (xmin > xmax) return;
  const int32_t x0 = xmin >> 3, cells = (xmax >> 3) - x0 + 2;  // positions end at 8 x width - 1
  std::fill_n(m_Coverage.begin(), cells, 0);
  auto add = [&](int32_t x, int32_t sign) {
    const int32_t cell = (x >> 3) - x0, fraction = x & 7;
    m_Coverage[cell] += sign * (7 - fraction);
    m_Coverage[cell + 1] += sign * fraction;
  };
  for (int64_t s = top; s <= bottom; ++s)
    for (int32_t i = m_Start[s]; i + 1 < m_Start[s + 1]; i += 2) {
      add(Position(m_Crossings[i]), 1);
      add(Position(m_Crossings[i + 1]), -1);
    }
  const int32_t blended = std::min(cells, m_Bitmap.Width() - x0);
  const uint32_t rgb = colour & 0x00FFFFFF;
  for (int32_t i = 0, coverage = 0; i < blended; ++i) {
    coverage += m_Coverage[i];
    m_Colours[i] = ((static_cast<uint32_t>(coverage) * 0x48F) & 0xFF00) << 16 | rgb;
  }
  g_BlendRoutines.coverageRow(m_Bitmap.Row(row) + x0, m_Colours.data(), blended, colour >> 24);
}
