// One tile record of a tile manager: a request while queued or being read,
// a decoded tile while loaded or cached. Every field is changed only under
// the manager's lock, except the bitmap of the tile being read.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2TileRequest.h"
#include "lib/foundation/text/Str.h"

class CTCF2TileManagerTile {
 public:
  CTCF2TileManagerTile(const void* chart, const CStr& path, const STCF2TileInfo& location,
                       uint16_t mask);
  ~CTCF2TileManagerTile();
  CTCF2TileManagerTile(const CTCF2TileManagerTile&) = delete;
  CTCF2TileManagerTile& operator=(const CTCF2TileManagerTile&) = delete;

  bool Matches(const void* chart, uint32_t tile) const {
    return Chart == chart && Location.Tile == tile;
  }
  // Adds the window unless it is listed already; a null window is not listed.
  void AddWindow(TWindowHandle window);
  void RemoveWindow(TWindowHandle window);
  // Takes the window and the bits of a requester that no longer wants the tile.
  void Release(TWindowHandle window, uint16_t mask);
  // Writes bitmap, missing and the transparency flags into a request.
  void Report(STCF2TileRequest& request) const;
  // Drops the replaces and replaced-by links on both sides.
  void Unlink();
  void LinkReplacement(CTCF2TileManagerTile& newer);
  void SetBitmap(CBmp32* bitmap, bool allTransparent, bool allOpaque);
  void FreeBitmap();

  CBmp32* Bitmap = nullptr;  // owned
  const void* Chart;         // the requesting chart's address; null once cancelled
  STCF2TileInfo Location;
  CStr Path;
  bool AllTransparent = false;
  bool AllOpaque = false;
  std::vector<TWindowHandle> Windows;
  bool Cancelled = false;
  bool Failed = false;  // reading or decoding failed: not read again while the record lives
  uint32_t Size;        // width x height x 4 while a bitmap is held or expected
  uint16_t Mask;
  bool Touched = false;
  CTCF2TileManagerTile* Replaces = nullptr;
  CTCF2TileManagerTile* ReplacedBy = nullptr;
};
