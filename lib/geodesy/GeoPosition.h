// Geographic positions: radians, north and east positive, height in metres
// above the ellipsoid.
#pragma once

struct SGeo2D {
  double lat, lon;
};

struct SGeo3D {
  double lat, lon, h;
};

static_assert(sizeof(SGeo2D) == 16 && sizeof(SGeo3D) == 24);
