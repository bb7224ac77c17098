#include "lib/charts/TCF2FileTables.h"

#include <cstdint>

#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/Numeric.h"

namespace {


// count records of recordSize bytes from position lie inside the file.
bool TableInFile(uint64_t position, uint64_t count, uint64_t recordSize, uint64_t fileSize) {
  return position <= fileSize && count <= (fileSize - position) / recordSize;
}

bool Refuse(uint32_t& error) {
  error = kErrFileFormat;
  return false;
}

// The header's counts agree with the levels and every table fits the file.
bool HeaderFitsFile(const STCF2FileHeader& h, uint32_t totalTiles, uint32_t levelZeroTiles,
                    uint64_t fileSize) {
  return h.TableACount == levelZeroTiles &&
         h.TableBCount == totalTiles - uint64_t{levelZeroTiles} &&
         TableInFile(h.TableAPosition, h.TableACount, sizeof(STCF2FileTileEntry), fileSize) &&
         TableInFile(h.UpdateTablePosition, td::Low(h.UpdateTableCount), sizeof(STCF2FileUpdateEntry),
                     fileSize) &&
         TableInFile(h.TableBPosition, h.TableBCount, sizeof(STCF2FileTileEntry), fileSize);
}

template <class T>
bool ReadRecords(CStream& stream, uint64_t position, uint32_t count, std::vector<T>& records,
                 uint32_t& error) {
  size_t bytes = 0;
  if (!td::CheckedBlockBytes(count, sizeof(T), bytes)) return Refuse(error);
  records.resize(count);
  if (count == 0) return true;
  if (stream.Seek(static_cast<int64_t>(position), kSeekBegin) != static_cast<int64_t>(position)) {
    error = kErrFileSeek;
    return false;
  }
  return stream.ReadBuf(records.data(), static_cast<int32_t>(bytes), error);
}

// Sets both copies of tiles first.. from the entries of table A or B.
bool SetTiles(const std::vector<STCF2FileTileEntry>& entries, uint32_t first, uint64_t fileSize,
              CTCF2TileTable& tiles, uint32_t& error) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const STCF2FileTileEntry& e = entries[i];
    if (!TCF2TileIsInFile(e.Offset, e.ColourSize, e.AlphaSize, fileSize)) return Refuse(error);
    const auto tile = static_cast<int32_t>(first + i);
    tiles.SetTile(tile, td::Low(e.Offset), td::High(e.Offset), e.ColourSize, e.AlphaSize);
    tiles.SetUpdateTile(tile, td::Low(e.Offset), td::High(e.Offset), e.ColourSize, e.AlphaSize);
  }
  return true;
}

bool SetUpdateTiles(const std::vector<STCF2FileUpdateEntry>& entries, uint64_t levelZeroTiles,
                    uint64_t fileSize, CTCF2TileTable& tiles, uint32_t& error) {
  for (size_t i = entries.size(); i-- > 0;) {
    const STCF2FileUpdateEntry& e = entries[i];
    if (e.Tile >= levelZeroTiles ||
        !TCF2TileIsInFile(e.Offset, e.ColourSize, e.AlphaSize, fileSize))
      return Refuse(error);
    tiles.SetUpdateTile(static_cast<int32_t>(e.Tile), td::Low(e.Offset), td::High(e.Offset), e.ColourSize,
                        e.AlphaSize);
  }
  return true;
}

bool WriteBlock(CStream& stream, const void* data, size_t size, uint32_t& error) {
  return size == 0 || stream.WriteBuf(data, static_cast<int32_t>(size), error);
}

STCF2FileTileEntry NormalCopy(const STCF2TileTableEntry& e) {
  return {e.Offset, e.ColourSize, e.AlphaSize};
}

}  // namespace

bool TCF2TileIsInFile(uint64_t offset, uint32_t colourSize, uint32_t alphaSize, uint64_t fileSize) {
  return colourSize >= 1 && colourSize <= kTileColourStreamLimit && alphaSize >= 1 &&
         alphaSize <= kTileAlphaStreamLimit && offset <= fileSize &&
         uint64_t{colourSize} + alphaSize <= fileSize - offset;
}

uint32_t TCF2UpdatedTileCount(const CTCF2TileTable& tiles, int32_t levelZero) {
  uint32_t count = 0;
  for (int32_t tile = 0; tile < levelZero; ++tile)
    if (tiles.At(tile).UpdateOffset != tiles.At(tile).Offset) ++count;
  return count;
}

bool TCF2FileReadTablesV4(CStream& stream, const STCF2FileHeader& header, CTCF2MipmapTable& mipmap,
                          CTCF2TileTable& tiles, uint32_t& error) {
  const int64_t size = stream.GetSize();
  const uint64_t fileSize = size > 0 ? static_cast<uint64_t>(size) : 0;
  const uint32_t total =
      mipmap.BuildLevels(static_cast<int32_t>(header.LevelCount), header.Width, header.Height);
  if (mipmap.Count() == 0 || !HeaderFitsFile(header, total, mipmap.TilesOf(0), fileSize))
    return Refuse(error);
  if (!tiles.BuildFrom(static_cast<int32_t>(total), mipmap)) return Refuse(error);
  const auto aCount = static_cast<uint32_t>(header.TableACount);
  std::vector<STCF2FileTileEntry> entries;
  std::vector<STCF2FileUpdateEntry> updates;
  return ReadRecords(stream, header.TableAPosition, aCount, entries, error) &&
         SetTiles(entries, 0, fileSize, tiles, error) &&
         ReadRecords(stream, header.UpdateTablePosition, td::Low(header.UpdateTableCount), updates,
                     error) &&
         SetUpdateTiles(updates, aCount, fileSize, tiles, error) &&
         ReadRecords(stream, header.TableBPosition, static_cast<uint32_t>(header.TableBCount),
                     entries, error) &&
         SetTiles(entries, aCount, fileSize, tiles, error);
}

bool TCF2FileWriteTablesA(CStream& stream, STCF2FileHeader& header, const CTCF2MipmapTable& mipmap,
                          const CTCF2TileTable& tiles, uint32_t& error) {
  const int64_t start = stream.GetPosition();
  const uint32_t count = mipmap.TilesOf(0);
  std::vector<STCF2FileTileEntry> entries;
  entries.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    entries.push_back(NormalCopy(tiles.At(static_cast<int32_t>(i))));
  if (!WriteBlock(stream, entries.data(), entries.size() * sizeof entries[0], error)) return false;
  header.TableAPosition = static_cast<uint64_t>(start);
  header.TableACount = count;
  header.TableASize = static_cast<uint64_t>(stream.GetPosition() - start);
  return true;
}

bool TCF2FileWriteTablesB(CStream& stream, STCF2FileHeader& header, const CTCF2MipmapTable& mipmap,
                          const CTCF2TileTable& tiles, uint32_t& error) {
  const auto levelZero = static_cast<int32_t>(mipmap.TilesOf(0));
  std::vector<STCF2FileUpdateEntry> updates;
  for (int32_t i = levelZero - 1; i >= 0; --i) {
    const STCF2TileTableEntry& e = tiles.At(i);
    if (e.UpdateOffset != e.Offset)
      updates.push_back(
          {static_cast<uint32_t>(i), e.UpdateOffset, e.UpdateColourSize, e.UpdateAlphaSize});
  }
  const int64_t updateStart = stream.GetPosition();
  if (!WriteBlock(stream, updates.data(), updates.size() * sizeof updates[0], error)) return false;
  header.UpdateTablePosition = static_cast<uint64_t>(updateStart);
  header.UpdateTableSize = static_cast<uint64_t>(stream.GetPosition() - updateStart);
  std::vector<STCF2FileTileEntry> entries;
  for (int32_t i = levelZero; i < tiles.Count(); ++i) entries.push_back(NormalCopy(tiles.At(i)));
  const int64_t bStart = stream.GetPosition();
  if (!WriteBlock(stream, entries.data(), entries.size() * sizeof entries[0], error)) return false;
  header.TableBPosition = static_cast<uint64_t>(bStart);
  header.TableBSize = static_cast<uint64_t>(stream.GetPosition() - bStart);
  return true;
}
