// CTCF2Chart: one opened chart file held for display. It reads the file once,
// calibrates itself, answers where it lies in a view and draws its tiles
// into a view bitmap, from a tile manager or read on the spot (direct).
// Used on the thread that owns the viewer. Draw from a window procedure
// must catch: it lets file and drawing errors out.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2Bounds.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2Tag.h"
#include "lib/charts/TCF2TileStore.h"
#include "lib/charts/TCF2TileTableC.h"
#include "lib/charts/TCF2UpdateTag.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticCalibration.h"

class CTCF2Chart final : public CObject {
 public:
  TD_DELETE_THIS(CTCF2Chart)

  // Reads the file and calibrates. A file error is left in `error` with the
  // object built; a calibration that is not usable throws CGeodeticsError.
  CTCF2Chart(const CStr& path, uint32_t& warnings, uint32_t& error);
  // Cancels the chart's tiles in every tile manager.
  ~CTCF2Chart();
  CTCF2Chart(const CTCF2Chart&) = delete;
  CTCF2Chart& operator=(const CTCF2Chart&) = delete;

  void Open(bool calibrate, uint32_t& warnings, uint32_t& error);
  // count 2 or 3 (the third points ignored for 2). Throws CGeodeticsError
  // "CTCFChart.Calibrate: ..." when the status is not usable.
  void Calibrate(int32_t count, const SPointD& pix1, const SPointD& pix2, const SPointD& pix3,
                 const SPointD& map1, const SPointD& map2, const SPointD& map3,
                 const SGeodeticRef& ref);
  // Draws the tiles of the level that `scale` (view pixels per chart pixel)
  // selects into dest, whose pixels `view` calibrates. Without direct the
  // manager is asked for the tiles on behalf of requester and window, and
  // its lock is held while they are drawn; placeholderUsed is set (never
  // cleared) when a tile still loading was drawn as the placeholder.
  void Draw(CTCF2TileStore& manager, CBmp32& dest, CGeodeticCalibration& view, double scale,
            uint16_t requester, TWindowHandle window, bool direct, bool& placeholderUsed);
  // Whether the chart meets the view; only then are the outputs written.
  bool GetCoverage(const SPoint3D& viewCentre, double viewRadius, CGeodeticCalibration& view,
                   double& scaleRatio, double& coverage, double& relativeArea, bool& boundsCut);
  // A WGS 84 position (radians) on the chart's outline.
  bool ContainsPoint(const SGeo2D& position);
  bool BoundsContainPixel(const SPointD& pixel);
  // Withdraws the requesters' outstanding tiles when all of them have some.
  void RequestTiles(CTCF2TileStore& manager, uint16_t requester, TWindowHandle window);
  CStr GetName();
  // The mipmap level a scale selects.
  int32_t LevelForScale(double scale) const;

  CTCF2Bounds& GetBounds() { return m_Bounds; }
  CGeodeticCalibration& GetCalibration() { return m_Calibration; }
  int32_t GetWidth() const { return m_Header.Width; }
  int32_t GetHeight() const { return m_Header.Height; }
  uint16_t GetPending() const { return m_Pending; }

 private:
  class CDrawing;

  CTCF2Bounds m_Bounds;
  CGeodeticCalibration m_Calibration;
  CStr m_Path;
  uint64_t m_FileSize = 0;
  uint32_t m_Version = 0;
  uint32_t m_FormatIndex = 0;
  CTCF2TileTableC m_Tiles;
  STCF2FileHeader m_Header{};
  CTCF2MipmapTable m_Mipmaps;
  CTCF2Tag m_Tag;
  CTCF2UpdateTag m_UpdateTag;
  uint16_t m_Pending = 0;
  SPoint3D m_Centre{};
  double m_Radius = 0;
};

// The one way the library opens a chart for display: the chart, or null with
// the file's error code, 0x7001E for a calibration that is not usable, or 1.
CTCF2Chart* TCF2ChartCreate(const CStr& path, uint32_t& warnings, uint32_t& error) noexcept;
