#include "lib/bitmap/ClipRect.h"

#include <cmath>

namespace {

// Moves a's side onto the bound and b's side towards b's opposite side.
bool ClipSide(double& aSide, double aExtent, double& bSide, double bOpposite, double bound) {
  if (!(aExtent > 0)) return false;
  const double f = std::fabs(aSide - bound) / aExtent;
  if (!(f < 1)) return false;
  aSide = bound;
  bSide += f * (bOpposite - bSide);
  return true;
}

}  // namespace

bool ClipRectPair(SRectD& a, SRectD& b, const SRectD& bounds) {
  if (a.left < bounds.left && !ClipSide(a.left, a.right - a.left, b.left, b.right, bounds.left)) return false;
  if (a.top < bounds.top && !ClipSide(a.top, a.bottom - a.top, b.top, b.bottom, bounds.top)) return false;
  if (a.right > bounds.right && !ClipSide(a.right, a.right - a.left, b.right, b.left, bounds.right)) return false;
  if (a.bottom > bounds.bottom && !ClipSide(a.bottom, a.bottom - a.top, b.bottom, b.top, bounds.bottom))
    return false;
  return true;
}
