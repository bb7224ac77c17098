#include "lib/charts/TCF2FileUpdate.h"

#include <algorithm>
#include <vector>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2FileLegacy.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2FileTables.h"
#include "lib/charts/TCF2Section.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TCF2TileJob.h"
#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/Numeric.h"

namespace {

constexpr int32_t kStreamBuffer = 32768;
constexpr uint64_t kCopyBlock = 65536;



bool SeekTo(CStream& stream, uint64_t position, uint32_t& error) {
  if (stream.Seek(static_cast<int64_t>(position), kSeekBegin) == static_cast<int64_t>(position))
    return true;
  return td::Fail(kErrFileSeek, error);
}

// The level-0 tiles the update patches, each counted once however many of
// its records name it.
uint32_t PatchedTileCount(const CTCF2Update& update, uint32_t levelZero) {
  std::vector<bool> seen(levelZero);
  uint32_t count = 0;
  for (int32_t i = 0; i < update.GetRecordCount(); ++i) {
    const uint32_t tile = update.GetRecordTileIndex(i);
    if (tile < levelZero && !seen[tile]) {
      seen[tile] = true;
      ++count;
    }
  }
  return count;
}

// One chart being rewritten with an update: the new file beside the chart,
// the chart open for reading, the two progress stages (level-0 tiles copied,
// then tiles made) and the tile job.
class CChartRewrite {
 public:
  CChartRewrite(CTCF2Update& update, const CZip* zip, const SProgress* progress)
      : m_Update(update), m_Zip(zip) {
    if (progress) m_Parent = *progress;
  }

  // Starts the first stage, weighed by the level-0 tiles against the tiles
  // to make, reports 0, creates the temporary file and opens the chart.
  bool Open(const CStr& chartName, const CTCF2MipmapTable& mipmap, uint32_t& error) {
    m_LevelZero = mipmap.TilesOf(0);
    const double made = double(mipmap.GetTotalTiles()) - m_LevelZero +
                        PatchedTileCount(m_Update, mipmap.TilesOf(0));
    m_CopyWeight = static_cast<float>(m_LevelZero / (m_LevelZero + made));
    td::ProgressStageInit(&m_Stage, &m_Parent, m_CopyWeight, 0);
    return Report(0, error) && m_Writer.Open(chartName, kStreamBuffer, error) &&
           m_Chart.Open(chartName, kFileModeRead | kFileShareRead, kStreamBuffer, error);
  }

  CStream& Out() { return m_Writer.Stream(); }

  // Appends the normal copy of a level-0 tile and enters it as both copies
  // of the tile's new entry. split: the tile of an older file, its streams
  // told apart by decoding it; else the bytes as stored.
  bool CopyTile(const CTCF2TileTable& from, CTCF2TileTable& to, int32_t tile, bool split,
                uint32_t& error) {
    const STCF2TileTableEntry& own = from.At(tile);
    const uint64_t offset = static_cast<uint64_t>(Out().GetPosition());
    uint32_t colour = own.ColourSize, alpha = own.AlphaSize;
    if (!TCF2FileReadTileData(m_Chart, m_Data, own, false, error)) return false;
    const bool copied =
        split ? TCF2FileWriteSplitTile(Out(), m_Data, own.Width, own.Height, m_Pixels, colour,
                                       alpha, error)
              : Out().WriteBuf(m_Data.data(), static_cast<int32_t>(m_Data.size()), error);
    if (!copied) return false;
    to.SetTile(tile, td::Low(offset), td::High(offset), colour, alpha);
    to.SetUpdateTile(tile, td::Low(offset), td::High(offset), colour, alpha);
    return Report(++m_Copied / m_LevelZero, error);
  }

  // Marks every tile above level 0 missing, starts the second stage and runs
  // the tile job with the update: patched level-0 tiles and every tile above
  // are appended to the new file.
  bool MakeTiles(CTCF2MipmapTable& mipmap, CTCF2TileTable& tiles, uint32_t& error) {
    for (auto tile = static_cast<int32_t>(mipmap.TilesOf(0)); tile < tiles.Count(); ++tile) {
      tiles.SetTile(tile, td::Low(kTCF2MissingTile), td::High(kTCF2MissingTile), 0, 0);
      tiles.SetUpdateTile(tile, td::Low(kTCF2MissingTile), td::High(kTCF2MissingTile), 0, 0);
    }
    td::ProgressStageNext(&m_Stage, 1.0f - m_CopyWeight, 0);
    STCF2TileJob job;
    return TileJobInit(job, Out(), mipmap, tiles, &m_Update, m_Zip, error) &&
           TileJobRun(job, &m_Stage, error);
  }

  // The update's text (its compressed block) and date-time (as date-time 3).
  bool ReadUpdateTag(CTCF2UpdateTag& tag, uint32_t& error) {
    CStr text;
    if (!m_Update.ReadCompressedBlock(text, m_Zip, error)) return false;
    tag.TakeText(text);
    tag.SetDateTime3(m_Update.GetDateTime());
    return true;
  }

  // Appends size bytes of the chart from position on.
  bool CopyChartBytes(uint64_t position, uint64_t size, uint32_t& error) {
    if (!SeekTo(m_Chart, position, error)) return false;
    m_Data.resize(kCopyBlock);
    for (uint64_t left = size; left > 0;) {
      const auto block = static_cast<int32_t>(std::min(left, kCopyBlock));
      if (!m_Chart.ReadBuf(m_Data.data(), block, error) ||
          !Out().WriteBuf(m_Data.data(), block, error))
        return false;
      left -= static_cast<uint64_t>(block);
    }
    return true;
  }

  // Closes the chart, then completes the new file and puts it in the
  // chart's place in one step.
  bool Commit(uint32_t& error) {
    m_Chart.Close();  // only read: nothing to lose
    return m_Writer.Commit(error);
  }

 private:
  bool Report(double fraction, uint32_t& error) {
    td::ProgressCall(&m_Stage, static_cast<float>(fraction), 0, &error);
    return error == 0;
  }

  CTCF2Update& m_Update;
  const CZip* m_Zip;
  SProgress m_Parent = {};  // no callback: nothing is reported
  SProgress m_Stage = {};
  float m_CopyWeight = 1.0f;
  double m_LevelZero = 0;
  double m_Copied = 0;
  CAtomicFileWriter m_Writer;
  CBufferedFileStream m_Chart;
  std::vector<uint8_t> m_Data;
  std::vector<uint32_t> m_Pixels;
};

// ---- version 2.0.0.0 ----

bool WriteSectionsV4(CChartRewrite& rewrite, const STCF2FileHeader& old, STCF2FileHeader& header,
                     const CTCF2UpdateTag& previous, uint32_t& error) {
  CTCF2UpdateTag tag;
  if (!rewrite.ReadUpdateTag(tag, error)) return false;
  tag.SetDateTime1(NowUTC());
  tag.SetDateTime2(previous.Time(1));
  CStream& out = rewrite.Out();
  return TCF2RecordSection(out, header.UpdateTagSection, error,
                           [&] { return TCF2FileWriteUpdateTagV4(out, tag, error); }) &&
         TCF2RecordSection(out, header.BoundsSection, error,
                           [&] {
                             return rewrite.CopyChartBytes(old.BoundsSection.Position,
                                                           old.BoundsSection.Size, error);
                           }) &&
         TCF2RecordSection(out, header.TagSection, error, [&] {
           return rewrite.CopyChartBytes(old.TagSection.Position, old.TagSection.Size, error);
         });
}

// ---- version 1.0.0.2 ----

template <class T>
bool WriteRecords(CStream& out, const std::vector<T>& records, uint32_t& error) {
  return records.empty() ||
         out.WriteBuf(records.data(), static_cast<int32_t>(records.size() * sizeof(T)), error);
}

// Magic, version, a zero tag-area position, width and height, then room for
// the tile records and the update records.
bool WriteHeaderV3(CStream& out, const CTCF2MipmapTable& mipmap, uint32_t tileCount,
                   uint32_t updateCount, uint32_t& error) {
  const uint64_t tagPosition = 0;
  return TCF2FileWriteMagic(out, kTCF2Index1002, error) && out.WriteBuf(&tagPosition, 8, error) &&
         out.WriteLong(static_cast<int32_t>(mipmap.At(0).Width), error) &&
         out.WriteLong(static_cast<int32_t>(mipmap.At(0).Height), error) &&
         out.WriteDWORD(tileCount, error) &&
         WriteRecords(out, std::vector<STCF2TileRecordV2>(tileCount), error) &&
         out.WriteDWORD(updateCount, error) &&
         WriteRecords(out, std::vector<STCF2UpdateRecordV2>(updateCount), error);
}

// The tile records and the update records over the room the header left,
// then back to the end. The update records name the tiles whose update copy
// moved; there must be as many as the room was made for.
bool WriteTablesV3(CStream& out, const CTCF2TileTable& tiles, uint32_t levelZero,
                   uint32_t updateCount, uint32_t& error) {
  std::vector<STCF2TileRecordV2> records;
  std::vector<STCF2UpdateRecordV2> updates;
  for (int32_t tile = 0; tile < tiles.Count(); ++tile) {
    const STCF2TileTableEntry& e = tiles.At(tile);
    records.push_back({e.Offset, uint64_t{e.ColourSize} + e.AlphaSize});
    if (static_cast<uint32_t>(tile) < levelZero && e.UpdateOffset != e.Offset)
      updates.push_back({static_cast<uint32_t>(tile), e.UpdateOffset,
                         uint64_t{e.UpdateColourSize} + e.UpdateAlphaSize});
  }
  if (updates.size() != updateCount) return td::Fail(kErrFileFormat, error);
  const int64_t end = out.GetPosition();
  return SeekTo(out, kTCF2V2TablePosition, error) && WriteRecords(out, records, error) &&
         out.WriteDWORD(updateCount, error) && WriteRecords(out, updates, error) &&
         SeekTo(out, static_cast<uint64_t>(end), error);
}

}  // namespace

bool TCF2FileUpdate(const CStr& chartName, CTCF2Update& update, uint8_t& flag, const CZip* zip,
                    const SProgress* progress, uint32_t& error) {
  flag = 0;
  STCF2ChartObjects chart;
  uint64_t fileSize = 0;
  uint32_t version = 0, index = 0, warnings = 0;
  if (!TCF2FileRead(chartName, fileSize, version, index, chart.Parts(), warnings, error))
    return false;
  if (index < kTCF2Index1002) return td::Fail(kErrTcf2Version, error);
  if (!update.CheckChart(*chart.tag.GetGUID(), chart.mipmap.TilesOf(0), error)) return false;
  if (index == kTCF2Index1002)
    return TCF2FileMergeUpdateV3(chartName, chart.mipmap, chart.tiles, chart.tag, chart.bounds,
                                 update, zip, progress, error);
  return TCF2FileApplyUpdateV4(chartName, chart.header, chart.tiles, chart.updateTag, update, zip,
                               progress, error);
}

bool TCF2FileApplyUpdateV4(const CStr& chartName, const STCF2FileHeader& header,
                           const CTCF2TileTable& tiles, const CTCF2UpdateTag& previous,
                           CTCF2Update& update, const CZip* zip, const SProgress* progress,
                           uint32_t& error) {
  CTCF2MipmapTable mipmap;
  CTCF2TileTable newTiles;
  const uint32_t total =
      mipmap.BuildLevels(static_cast<int32_t>(header.LevelCount), header.Width, header.Height);
  if (total == 0 || !newTiles.BuildFrom(static_cast<int32_t>(total), mipmap) ||
      tiles.Count() < static_cast<int32_t>(mipmap.TilesOf(0)))
    return td::Fail(kErrFileFormat, error);
  STCF2FileHeader out = {};
  out.Width = header.Width;
  out.Height = header.Height;
  out.LevelCount = static_cast<uint32_t>(mipmap.Count());
  CChartRewrite rewrite(update, zip, progress);
  if (!rewrite.Open(chartName, mipmap, error)) return false;
  CStream& file = rewrite.Out();
  if (!TCF2FileWriteMagic(file, kTCF2Index2000, error) || !TCF2FileWriteHeader(file, out, error))
    return false;
  const auto levelZero = static_cast<int32_t>(mipmap.TilesOf(0));
  out.TileDataPosition = static_cast<uint64_t>(file.GetPosition());
  for (int32_t tile = levelZero; tile-- > 0;)
    if (!rewrite.CopyTile(tiles, newTiles, tile, false, error)) return false;
  out.TileDataSize = static_cast<uint64_t>(file.GetPosition()) - out.TileDataPosition;
  if (!TCF2FileWriteTablesA(file, out, mipmap, newTiles, error)) return false;
  out.UpdateTileDataPosition = static_cast<uint64_t>(file.GetPosition());
  if (!rewrite.MakeTiles(mipmap, newTiles, error)) return false;
  out.UpdateTileDataSize = static_cast<uint64_t>(file.GetPosition()) - out.UpdateTileDataPosition;
  out.UpdateTableCount = TCF2UpdatedTileCount(newTiles, levelZero);
  out.TableBCount = total - static_cast<uint64_t>(levelZero);
  return TCF2FileWriteTablesB(file, out, mipmap, newTiles, error) &&
         WriteSectionsV4(rewrite, header, out, previous, error) &&
         TCF2FileWriteHeader(file, out, error) && rewrite.Commit(error);
}

bool TCF2FileMergeUpdateV3(const CStr& chartName, CTCF2MipmapTable& mipmap,
                           const CTCF2TileTable& tiles, CTCF2Tag& tag, CTCF2Bounds& bounds,
                           CTCF2Update& update, const CZip* zip, const SProgress* progress,
                           uint32_t& error) {
  CTCF2TileTable newTiles(tiles);
  const uint32_t levelZero = mipmap.TilesOf(0);
  const uint32_t updateCount = PatchedTileCount(update, levelZero);
  CChartRewrite rewrite(update, zip, progress);
  if (!rewrite.Open(chartName, mipmap, error)) return false;
  CStream& file = rewrite.Out();
  if (!WriteHeaderV3(file, mipmap, static_cast<uint32_t>(tiles.Count()), updateCount, error))
    return false;
  for (int32_t tile = 0; tile < static_cast<int32_t>(levelZero); ++tile)
    if (!rewrite.CopyTile(tiles, newTiles, tile, true, error)) return false;
  CTCF2UpdateTag updateTag;
  return rewrite.MakeTiles(mipmap, newTiles, error) &&
         WriteTablesV3(file, newTiles, levelZero, updateCount, error) &&
         rewrite.ReadUpdateTag(updateTag, error) &&
         TCF2FileWriteTagV3(file, tag, bounds, updateTag, error) && rewrite.Commit(error);
}
