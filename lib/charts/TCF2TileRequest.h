// The record through which a chart asks a tile manager for one tile and
// receives it. The first part is what CTCF2TileTableC::GetTileInfo writes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/charts/TCF2TileTable.h"

class CBmp32;

// A window to notify: an HWND on Windows, an opaque handle in the native build.
typedef void* TWindowHandle;

struct STCF2TileRequest {
  STCF2TileInfo Info;           // offset, size, width, height, tile number, reserved
  CBmp32* Bitmap = nullptr;     // the decoded tile when the manager holds it
  bool Missing = false;         // a record exists but has no bitmap yet
  bool AllTransparent = false;  // no opaque pixel
  bool AllOpaque = false;       // no transparent pixel
};
static_assert(offsetof(STCF2TileRequest, Bitmap) == 24);
