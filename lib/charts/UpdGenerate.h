// Generates an update file from a chart and a newer image of it: every
// level-0 tile whose pixels differ gets a patch of the differing pixels' new
// colours. The chart and the image come through the two sources below, so
// that any chart reader and any image reader can stand behind them.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/charts/UpdChartDesc.h"
#include "lib/foundation/display/Progress.h"
#include "lib/foundation/streams/Zip.h"

// What the generator reads of the chart file.
class IUpdChartSource {
 public:
  virtual uint32_t GetWidth() = 0;
  virtual uint32_t GetHeight() = 0;
  // The chart file's version and its tag's identity fields.
  virtual void GetIdentity(CTCF2UpdChartDesc& identity) = 0;
  // The normal copy of level-0 tile index as stored: its colour stream,
  // followed by its alpha stream when it has one.
  virtual bool ReadTile(uint32_t index, std::vector<uint8_t>& bytes, uint32_t& error) = 0;

 protected:
  ~IUpdChartSource() = default;
};

// What the generator reads of the new image.
class IUpdImageSource {
 public:
  virtual uint32_t GetWidth() = 0;
  virtual uint32_t GetHeight() = 0;  // rows, whichever way the file stores them
  // The pixels of [x, x + width) x [y, y + height) as 0xAARRGGBB, rows packed,
  // top row first. The generator asks for the tiles from the last to the first.
  virtual bool ReadArea(uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint32_t* pixels,
                        uint32_t& error) = 0;

 protected:
  ~IUpdImageSource() = default;
};

struct SUpdGenerateInput {
  double dateTime;
  CStr text;           // block C when not empty
  const void* blockA;  // block A when not null
  int32_t blockASize;
  const void* blockB;
  int32_t blockBSize;
};

// Writes the update file (version 1.1.0.0) through the atomic writer. False
// with error 0 and no file when no tile differs; 0x7003C when the sizes
// differ; 2 when the progress callback cancels; 0x10015 for a tile that does
// not decode. On any failure an older file of the name stays as it was.
// rawBytes and compressedBytes count the patches and block C.
bool UpdFileGenerate(const CStr& updateFileName, IUpdImageSource& image, IUpdChartSource& chart,
                     const SUpdGenerateInput& input, const CZip* zip, const SProgress* progress,
                     uint64_t& rawBytes, uint64_t& compressedBytes, uint32_t& error);

// The patch that turns tile into image, whose pixels count as opaque: runs
// of differing pixels, each with the image's colours. Empty when the two are
// equal.
void BuildTilePatch(const uint32_t* tile, const uint32_t* image, uint32_t pixelCount,
                    std::vector<uint8_t>& patch);
