// Polygons of CBmp32 filled by the even-odd rule with 8 x 8 sub-pixel
// coverage. A vertex (x, y) lands on the sub-pixel grid at (round(8x),
// round(8y)), so pixel i spans i .. i + 1 here (lines and circles centre
// pixel i on i). One object fills one polygon on the thread that owns the
// bitmap; its work arrays live as long as the object. All of them are made
// before the first pixel is drawn, so a fill that runs out of memory draws
// nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/containers/Array.h"
#include "lib/geodesy/PlaneTypes.h"

class CPolygonRaster {
 public:
  explicit CPolygonRaster(CBmp32& bitmap) : m_Bitmap(bitmap) {}

  // Nothing for fewer than three points, a colour of alpha 0 or a point that
  // is not finite. Throws std::bad_alloc when the work arrays cannot be had.
  void Fill(const SPointD* points, int32_t count, uint32_t colour) {
    if (Prepare(points, count, colour)) Draw();
  }
  // Fill in two steps, for callers that draw more around the polygon: makes
  // the work arrays (throws std::bad_alloc, nothing drawn), false when there
  // is nothing to draw; then Draw, which allocates nothing.
  bool Prepare(const SPointD* points, int32_t count, uint32_t colour);
  void Draw();

 private:
  struct SSubPoint {
    int64_t x, y;
  };

  // The polygon cut to a box a million pixels beyond the bitmap on every
  // side: the same even-odd fill inside the box, and every sub-pixel
  // coordinate far from 64-bit limits.
  std::vector<SPointD> ClipToWorkBox(const SPointD* points, int32_t count) const;
  void AddCrossing(int64_t x, int64_t y, int32_t direction);
  // Orders the crossings by sub-row, then each sub-row's by position.
  void SortCrossings();
  // Crossings of the edge's sub-rows inside the crossing lists, start
  // included and end excluded; the edge's direction (+1 down, -1 up, 0 flat).
  int32_t WalkEdge(SSubPoint from, SSubPoint to);
  void AddEdges(const std::vector<SSubPoint>& points);
  void FillRow(int32_t row);

  struct SCrossing {
    int32_t subRow;  // y - minY
    int32_t value;   // position, top bit set for an upward edge
  };

  CBmp32& m_Bitmap;
  uint32_t m_Colour = 0;
  int64_t m_MinY = 0, m_MaxY = 0;
  std::vector<SCrossing> m_Found;  // in the order the edges give them
  // The crossing lists of sub-rows minY .. maxY one after the other: list s
  // is m_Crossings[m_Start[s]] .. m_Crossings[m_Start[s + 1] - 1].
  CArray<int32_t> m_Crossings;
  std::vector<int32_t> m_Start;
  std::vector<int32_t> m_Coverage;  // of one row, width + 2 cells
  std::vector<uint32_t> m_Colours;
};
