#include "lib/charts/TCF2TileManagerTile.h"

#include <algorithm>

CTCF2TileManagerTile::CTCF2TileManagerTile(const void* chart, const CStr& path,
                                           const STCF2TileInfo& location, uint16_t mask)
    : Chart(chart),
      Location(location),
      Path(path),
      Size(uint32_t{location.Width} * location.Height * 4),
      Mask(mask) {}

CTCF2TileManagerTile::~CTCF2TileManagerTile() { FreeBitmap(); }

void CTCF2TileManagerTile::AddWindow(TWindowHandle window) {
  if (window != nullptr && std::find(Windows.begin(), Windows.end(), window) == Windows.end())
    Windows.push_back(window);
}

void CTCF2TileManagerTile::RemoveWindow(TWindowHandle window) {
  Windows.erase(std::remove(Windows.begin(), Windows.end(), window), Windows.end());
}

void CTCF2TileManagerTile::Release(TWindowHandle window, uint16_t mask) {
  RemoveWindow(window);
  Mask = static_cast<uint16_t>(Mask & ~mask);
}

void CTCF2TileManagerTile::Report(STCF2TileRequest& request) const {
  request.Bitmap = Bitmap;
  request.Missing = Bitmap == nullptr && !Failed;
  request.AllTransparent = AllTransparent;
  request.AllOpaque = AllOpaque;
}

void CTCF2TileManagerTile::Unlink() {
  if (Replaces != nullptr) Replaces->ReplacedBy = nullptr;
  if (ReplacedBy != nullptr) ReplacedBy->Replaces = nullptr;
  Replaces = nullptr;
  ReplacedBy = nullptr;
}

void CTCF2TileManagerTile::LinkReplacement(CTCF2TileManagerTile& newer) {
  ReplacedBy = &newer;
  newer.Replaces = this;
}

void CTCF2TileManagerTile::SetBitmap(CBmp32* bitmap, bool allTransparent, bool allOpaque) {
  FreeBitmap();
  Bitmap = bitmap;
  AllTransparent = allTransparent;
  AllOpaque = allOpaque;
  Failed = bitmap == nullptr;
  Size = bitmap != nullptr ? Size : 0;
}

void CTCF2TileManagerTile::FreeBitmap() {
  if (Bitmap != nullptr) Bitmap->DeleteThis(1);
  Bitmap = nullptr;
}
