#include "lib/charts/UpdGenerateFiles.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "lib/bitmap/BmpLoader.h"
#include "lib/bitmap/ImageHeaders.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr int32_t kFileBuffer = 64 * 1024;
constexpr uint32_t kBandRows = 256;  // a tile row


// The chart file: header, tables and tag read whole, tiles read on demand.
class CChartFileSource final : public IUpdChartSource {
 public:
  bool Open(const CStr& name, uint32_t& error) {
    uint64_t fileSize = 0;
    uint32_t index = 0, warnings = 0;
    if (!TCF2FileRead(name, fileSize, m_Version, index, m_Chart.Parts(), warnings, error))
      return false;
    if (m_Chart.mipmap.Count() == 0) return td::Fail(kErrFileFormat, error);
    m_FirstTile = m_Chart.mipmap.At(0).FirstTile;
    return m_File.Open(name, kFileModeRead | kFileShareRead, kFileBuffer, error);
  }

  uint32_t GetWidth() override { return static_cast<uint32_t>(m_Chart.header.Width); }
  uint32_t GetHeight() override { return static_cast<uint32_t>(m_Chart.header.Height); }

  void GetIdentity(CTCF2UpdChartDesc& identity) override {
    CTCF2Tag& tag = m_Chart.tag;
    identity.SetVersion(m_Version);
    identity.SetGUID(tag.GetGUID());
    identity.SetIdCode(tag.GetIdCode());
    // The texts are copied into the descriptor's own, so that running out of
    // memory is reported rather than leaving a text empty.
    identity.GetIdText1() = tag.Text(kTagIdText1);
    identity.GetIdText2() = tag.Text(kTagIdText2);
    identity.SetIdNumber(tag.GetIdNumber());
    identity.GetIdText3() = tag.Text(kTagIdText3);
    identity.GetIdText4() = tag.Text(kTagIdText4);
  }

  bool ReadTile(uint32_t index, std::vector<uint8_t>& bytes, uint32_t& error) override {
    const int64_t tile = int64_t{m_FirstTile} + index;
    if (tile > INT32_MAX || !m_Chart.tiles.Contains(static_cast<int32_t>(tile)))
      return td::Fail(kErrFileFormat, error);
    return TCF2FileReadTileData(m_File, bytes, m_Chart.tiles.At(static_cast<int32_t>(tile)), false,
                                error);
  }

 private:
  STCF2ChartObjects m_Chart;
  uint32_t m_Version = 0;
  uint32_t m_FirstTile = 0;
  CBufferedFileStream m_File;
};

// The bitmap loader held by value: destroyed as its own class.
class CBandLoader final : public CBmpLoader {
 public:
  using CBmpLoader::CBmpLoader;
};

// The new image: one band of whole rows in memory, top row first. Rows
// stored bottom-up are read in the file's order, which is the order the
// generator asks for the tile rows in; rows stored top-down (never
// compressed) are read from the band's own first row.
class CBmpImageSource final : public IUpdImageSource {
 public:
  // The headers and palette, as BitmapLoadHeader reads them.
  bool Open(const CStr& name, uint32_t& error) {
    return m_File.Open(name, kFileModeRead | kFileShareRead, kFileBuffer, error) &&
           ReadBmpHeader(m_File, m_Header, m_Palette, error);
  }

  uint32_t GetWidth() override { return static_cast<uint32_t>(m_Header.width); }
  uint32_t GetHeight() override {
    return static_cast<uint32_t>(m_Header.height < 0 ? -int64_t{m_Header.height} : m_Header.height);
  }

  bool ReadArea(uint32_t x, uint32_t y, uint32_t width, uint32_t height, uint32_t* pixels,
                uint32_t& error) override {
    error = kErrNone;
    if ((m_HasBand && y == m_BandY) || ReadBand(y, height, error)) {
      const size_t stride = GetWidth();
      for (uint32_t row = 0; row < height; ++row)
        std::memcpy(pixels + size_t{row} * width, &m_Band[(m_FirstRow + row) * stride + x],
                    size_t{width} * 4);
      return true;
    }
    return false;
  }

 private:
  // Rows [y, y + rows) into the band.
  bool ReadBand(uint32_t y, uint32_t rows, uint32_t& error) {
    if (!m_Described && !Describe(error)) return false;
    m_HasBand = false;
    const SPixelBufferDesc band = {pfA8R8G8B8,
                                   m_Source.desc.width * 4,
                                   m_Source.desc.width,
                                   static_cast<int32_t>(m_BandHeight),
                                   m_Source.desc.width * 4,
                                   -m_Source.desc.width * 4};
    if (m_Source.BottomUp()) {
      // Only the next rows of the file can be read; they fill the band's bottom.
      if (rows > m_BandHeight || uint64_t{y} + rows != m_RowsAbove) return td::Fail(kErrUnknown, error);
      if (!m_Loader) m_Loader.emplace(m_File, m_Source, m_Palette, band, 1, error);
      m_FirstRow = m_BandHeight - rows;
      m_RowsAbove = y;
    } else {
      SImageSource window = m_Source;
      window.dataOffset += int64_t{y} * m_Source.desc.stride;
      window.desc.height = static_cast<int32_t>(rows);
      m_Loader.emplace(m_File, window, m_Palette, band, 1, error);
      m_FirstRow = 0;
    }
    m_HasBand = error == kErrNone &&
                m_Loader->ReadRows(m_Band.data(), static_cast<int32_t>(rows), nullptr, error);
    m_BandY = y;
    return m_HasBand;
  }

  // The pixel description, checked against the file, and the band's memory
  // (within what a bitmap may hold).
  bool Describe(uint32_t& error) {
    if (!BmpImageSource(m_Header, false, m_File, m_Source, error)) return false;
    m_BandHeight = std::min<uint32_t>(kBandRows, static_cast<uint32_t>(m_Source.desc.height));
    if (uint64_t{m_BandHeight} * static_cast<uint32_t>(m_Source.desc.width) * 4 > kMaxBitmapBytes)
      return td::Fail(kErrUnknown, error);
    m_Described = true;
    m_RowsAbove = static_cast<uint32_t>(m_Source.desc.height);
    m_Band.resize(size_t{m_BandHeight} * static_cast<uint32_t>(m_Source.desc.width));
    return true;
  }

  CBufferedFileStream m_File;
  SBmpHeader m_Header = {};
  uint8_t m_Palette[kPaletteBytes] = {};
  SImageSource m_Source = {};
  std::optional<CBandLoader> m_Loader;
  std::vector<uint32_t> m_Band;
  bool m_Described = false;
  bool m_HasBand = false;
  uint32_t m_BandHeight = 0;
  uint32_t m_BandY = 0;
  uint32_t m_FirstRow = 0;   // the band's top row in m_Band
  uint32_t m_RowsAbove = 0;  // bottom-up: rows above those read so far
};

}  // namespace

bool UpdFileGenerateFromFiles(const CStr& updateFileName, const CStr& imageFileName,
                              const CStr& chartFileName, const SUpdGenerateInput& input,
                              const CZip* zip, const SProgress* progress, uint64_t& rawBytes,
                              uint64_t& compressedBytes, uint32_t& error) {
  rawBytes = compressedBytes = 0;
  CBmpImageSource image;
  CChartFileSource chart;
  return image.Open(imageFileName, error) && chart.Open(chartFileName, error) &&
         UpdFileGenerate(updateFileName, image, chart, input, zip, progress, rawBytes,
                         compressedBytes, error);
}
