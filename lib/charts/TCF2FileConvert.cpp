#include "lib/charts/TCF2FileConvert.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2FileTables.h"
#include "lib/charts/TCF2Section.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TCF2TileJob.h"
#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/Numeric.h"

namespace {

constexpr int32_t kStreamBuffer = 32768;
constexpr int32_t kCopyBlock = 65536;



bool Progress(const SProgress& stage, double fraction, uint32_t& error) {
  td::ProgressCall(&stage, static_cast<float>(fraction), 0, &error);
  return error == 0;
}

// The whole source through the atomic writer; the source is closed before
// the target is replaced, so that it may be the same file.
bool CopyWhole(const CStr& source, const CStr& target, uint32_t& error) {
  CBufferedFileStream in;
  if (!in.Open(source, kFileModeRead | kFileShareRead, kStreamBuffer, error)) return false;
  return WriteFileReplacing(
      target,
      [&in](CStream& out, uint32_t& e) {
        std::vector<uint8_t> block(kCopyBlock);
        for (int32_t got; (got = in.Read(block.data(), kCopyBlock)) != 0;) {
          if (got < 0) return td::Fail(kErrFileRead, e);
          if (!out.WriteBuf(block.data(), got, e)) return false;
        }
        in.Close();
        return true;
      },
      error);
}

// The target's levels: as many as the larger of the automatic count and the
// source's, those the source has equal to its own, tile for tile.
bool BuildTargetTables(STCF2ChartObjects& chart, CTCF2MipmapTable& mipmap, CTCF2TileTable& tiles,
                       uint32_t& error) {
  const int32_t width = chart.header.Width, height = chart.header.Height;
  const int32_t levels = std::max(TCF2FileAutoLevelCount(width, height), chart.mipmap.Count());
  const uint32_t total = mipmap.BuildLevels(levels, width, height);
  if (total == 0 || !tiles.BuildFrom(static_cast<int32_t>(total), mipmap))
    return td::Fail(kErrFileFormat, error);
  for (int32_t level = 0; level < chart.mipmap.Count(); ++level)
    if (std::memcmp(&mipmap.At(level), &chart.mipmap.At(level), sizeof(STCF2Mipmap)) != 0)
      return td::Fail(kErrFileFormat, error);
  for (int32_t tile = 0; tile < chart.tiles.Count(); ++tile) {
    const STCF2TileTableEntry &own = chart.tiles.At(tile), &made = tiles.At(tile);
    if (own.Width != made.Width || own.Height != made.Height) return td::Fail(kErrFileFormat, error);
  }
  return true;
}

// One conversion of an older file whose objects have been read.
class CConversion {
 public:
  CConversion(STCF2ChartObjects& chart, const SProgress* progress) : m_Chart(chart) {
    if (progress) m_ParentProgress = *progress;
  }

  bool Run(const CStr& source, const CStr& target, uint32_t& error) {
    if (!BuildTargetTables(m_Chart, m_Mipmap, m_Tiles, error)) return false;
    StartCopyStage();
    if (!Progress(m_Stage, 0, error) || !m_Writer.Open(target, kStreamBuffer, error)) return false;
    CStream& out = m_Writer.Stream();
    m_Header.Width = m_Chart.header.Width;
    m_Header.Height = m_Chart.header.Height;
    m_Header.LevelCount = static_cast<uint32_t>(m_Mipmap.Count());
    return TCF2FileWriteMagic(out, kTCF2Index2000, error) &&
           TCF2FileWriteHeader(out, m_Header, error) &&
           m_Source.Open(source, kFileModeRead | kFileShareRead, kStreamBuffer, error) &&
           CopyTiles(error) && m_Source.Close() && MakeMissingTiles(error) &&
           WriteTablesAndSections(error) && TCF2FileWriteHeader(out, m_Header, error) &&
           m_Writer.Commit(error);
  }

 private:
  // Stage 1 weighs the tiles copied against the tiles made.
  void StartCopyStage() {
    const int32_t sourceTiles = m_Chart.tiles.Count();
    const double missing = double(m_Tiles.Count()) - sourceTiles;
    m_ToCopy = double(sourceTiles) + TCF2UpdatedTileCount(m_Chart.tiles, LevelZero());
    m_CopyWeight = static_cast<float>(m_ToCopy / (m_ToCopy + missing));
    td::ProgressStageInit(&m_Stage, &m_ParentProgress, m_CopyWeight, 0);
  }

  int32_t LevelZero() const { return static_cast<int32_t>(m_Mipmap.TilesOf(0)); }

  bool CopyTiles(uint32_t& error) {
    CStream& out = m_Writer.Stream();
    m_Header.TileDataPosition = static_cast<uint64_t>(out.GetPosition());
    for (int32_t tile = LevelZero(); tile-- > 0;)
      if (!CopyTile(tile, false, error)) return false;
    m_Header.TileDataSize = static_cast<uint64_t>(out.GetPosition()) - m_Header.TileDataPosition;
    if (!TCF2FileWriteTablesA(out, m_Header, m_Mipmap, m_Tiles, error)) return false;
    m_Header.UpdateTileDataPosition = static_cast<uint64_t>(out.GetPosition());
    for (int32_t tile = LevelZero(); tile-- > 0;)
      if (!CopyUpdateCopy(tile, error)) return false;
    for (int32_t tile = m_Chart.tiles.Count(); tile-- > LevelZero();)
      if (!CopyTile(tile, false, error)) return false;
    for (int32_t tile = m_Chart.tiles.Count(); tile < m_Tiles.Count(); ++tile) {
      m_Tiles.SetTile(tile, td::Low(kTCF2MissingTile), td::High(kTCF2MissingTile), 0, 0);
      m_Tiles.SetUpdateTile(tile, td::Low(kTCF2MissingTile), td::High(kTCF2MissingTile), 0, 0);
    }
    return true;
  }

  bool CopyUpdateCopy(int32_t tile, uint32_t& error) {
    const STCF2TileTableEntry& own = m_Chart.tiles.At(tile);
    if (own.UpdateOffset != own.Offset) return CopyTile(tile, true, error);
    const STCF2TileTableEntry& made = m_Tiles.At(tile);
    m_Tiles.SetUpdateTile(tile, td::Low(made.Offset), td::High(made.Offset), made.ColourSize,
                          made.AlphaSize);
    return true;
  }

  // Appends one copy of a source tile and enters it in the target table: the
  // normal copy as both copies, an update copy as the update copy.
  bool CopyTile(int32_t tile, bool useUpdate, uint32_t& error) {
    const STCF2TileTableEntry& own = m_Chart.tiles.At(tile);
    CStream& out = m_Writer.Stream();
    const uint64_t offset = static_cast<uint64_t>(out.GetPosition());
    uint32_t colour = 0, alpha = 0;
    if (!TCF2FileReadTileData(m_Source, m_Data, own, useUpdate, error) ||
        !TCF2FileWriteSplitTile(out, m_Data, own.Width, own.Height, m_Pixels, colour, alpha, error))
      return false;
    if (!useUpdate) m_Tiles.SetTile(tile, td::Low(offset), td::High(offset), colour, alpha);
    m_Tiles.SetUpdateTile(tile, td::Low(offset), td::High(offset), colour, alpha);
    return Progress(m_Stage, ++m_Copied / m_ToCopy, error);
  }

  bool MakeMissingTiles(uint32_t& error) {
    CStream& out = m_Writer.Stream();
    m_Header.UpdateTableCount = TCF2UpdatedTileCount(m_Tiles, LevelZero());
    m_Header.TableBCount = static_cast<uint64_t>(m_Tiles.Count() - LevelZero());
    td::ProgressStageNext(&m_Stage, 1.0f - m_CopyWeight, 0);
    STCF2TileJob job;
    if (!TileJobInit(job, out, m_Mipmap, m_Tiles, nullptr, nullptr, error) ||
        !TileJobRun(job, &m_Stage, error))
      return false;
    m_Header.UpdateTileDataSize =
        static_cast<uint64_t>(out.GetPosition()) - m_Header.UpdateTileDataPosition;
    return true;
  }

  bool WriteTablesAndSections(uint32_t& error) {
    CStream& out = m_Writer.Stream();
    if (m_Chart.bounds.GetCount() < 3) m_Chart.bounds.Clear();  // the image's rectangle
    return TCF2FileWriteTablesB(out, m_Header, m_Mipmap, m_Tiles, error) &&
           TCF2RecordSection(
               out, m_Header.UpdateTagSection, error,
               [&] { return TCF2FileWriteUpdateTagV4(out, m_Chart.updateTag, error); }) &&
           TCF2RecordSection(out, m_Header.BoundsSection, error,
                             [&] { return TCF2FileWriteBoundsV4(out, m_Chart.bounds, error); }) &&
           TCF2RecordSection(out, m_Header.TagSection, error,
                             [&] { return TCF2FileWriteTagV4(out, m_Chart.tag, error); });
  }

  STCF2ChartObjects& m_Chart;
  SProgress m_ParentProgress = {};  // no callback: nothing is reported
  SProgress m_Stage = {};
  float m_CopyWeight = 1.0f;
  double m_ToCopy = 0;
  double m_Copied = 0;
  CTCF2MipmapTable m_Mipmap;
  CTCF2TileTable m_Tiles;
  STCF2FileHeader m_Header = {};
  CAtomicFileWriter m_Writer;
  CBufferedFileStream m_Source;
  std::vector<uint8_t> m_Data;
  std::vector<uint32_t> m_Pixels;
};

}  // namespace

bool TCF2FileConvert(const CStr& source, const CStr& target, uint32_t targetIndex,
                     const SProgress* progress, uint32_t& error) {
  if (targetIndex < kTCF2Index1000 || targetIndex > kTCF2Index2000)
    return td::Fail(kErrTcf2Version, error);
  STCF2ChartObjects chart;
  uint64_t fileSize = 0;
  uint32_t version = 0, index = 0, warnings = 0;
  if (!TCF2FileRead(source, fileSize, version, index, chart.Parts(), warnings, error)) return false;
  if (index == targetIndex) return CopyWhole(source, target, error);
  if (targetIndex < kTCF2Index2000) return td::Fail(kErrTcf2Version, error);
  return CConversion(chart, progress).Run(source, target, error);
}
