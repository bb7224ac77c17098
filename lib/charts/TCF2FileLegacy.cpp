#include "lib/charts/TCF2FileLegacy.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "lib/charts/TCF2Records1002.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/format/Numeric.h"
#include "lib/foundation/streams/StreamFunctions.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr int32_t kLegacyLevels = 5;
constexpr uint32_t kTileSide = 256;
constexpr uint64_t kV1TablePosition = 84;  // after tag position, levels and count
constexpr uint64_t kCheckSize = 2;

#pragma pack(push, 4)
struct SLevelRecordV1 {
  uint32_t Width, Height;
  uint16_t TilesAcross, TilesDown;
};
#pragma pack(pop)
static_assert(sizeof(SLevelRecordV1) == 12);


uint64_t FileSize(CStream& stream) {
  const int64_t size = stream.GetSize();
  return size > 0 ? static_cast<uint64_t>(size) : 0;
}

// count records of T from the stream's position, when they fit the bytes left.
template <class T>
bool BlockFits(CStream& stream, uint64_t count, uint64_t fileSize) {
  const int64_t at = stream.GetPosition();
  size_t bytes = 0;
  return at >= 0 && static_cast<uint64_t>(at) <= fileSize &&
         count <= (fileSize - static_cast<uint64_t>(at)) / sizeof(T) &&
         td::CheckedBlockBytes(static_cast<int64_t>(count), sizeof(T), bytes);
}

// A block of count records from the current position; the count is checked
// against the bytes left before anything is allocated.
template <class T>
bool ReadBlock(CStream& stream, uint64_t count, uint64_t fileSize, std::vector<T>& records,
               uint32_t& error) {
  if (!BlockFits<T>(stream, count, fileSize)) return td::Fail(kErrFileFormat, error);
  records.resize(static_cast<size_t>(count));
  return count == 0 ||
         stream.ReadBuf(records.data(), static_cast<int32_t>(count * sizeof(T)), error);
}

// A stored tile from start on: inside the file, 1 byte up to the largest
// compressed tile.
bool TileFits(uint64_t position, uint64_t length, uint64_t start, uint64_t fileSize) {
  return position >= start && position <= fileSize && length >= 1 && length <= kTileStreamLimit &&
         length <= fileSize - position;
}

void SetTileBoth(CTCF2TileTable& tiles, int32_t tile, uint64_t position, uint64_t length) {
  const auto low = static_cast<uint32_t>(position), high = static_cast<uint32_t>(position >> 32);
  tiles.SetTile(tile, low, high, static_cast<uint32_t>(length), 0);
  tiles.SetUpdateTile(tile, low, high, static_cast<uint32_t>(length), 0);
}

void SetUpdateCopy(CTCF2TileTable& tiles, int32_t tile, uint64_t position, uint64_t length) {
  tiles.SetUpdateTile(tile, static_cast<uint32_t>(position), static_cast<uint32_t>(position >> 32),
                      static_cast<uint32_t>(length), 0);
}

void StartHeader(STCF2FileHeader& header) {
  std::fill_n(reinterpret_cast<uint8_t*>(&header), sizeof header, 0xFF);
}

void FinishHeader(STCF2FileHeader& header, const CTCF2MipmapTable& mipmap, uint64_t tagPosition,
                  uint64_t fileSize, uint32_t updates) {
  header.TagSection = {tagPosition, fileSize - tagPosition};
  header.TableACount = mipmap.TilesOf(0);
  header.TableBCount = mipmap.GetTotalTiles() - uint64_t{mipmap.TilesOf(0)};
  header.UpdateTableCount = updates;
  header.Width = static_cast<int32_t>(mipmap.At(0).Width);
  header.Height = static_cast<int32_t>(mipmap.At(0).Height);
  header.LevelCount = kLegacyLevels;
}

bool SeekTo(CStream& stream, uint64_t position, uint32_t& error) {
  if (stream.Seek(static_cast<int64_t>(position), kSeekBegin) == static_cast<int64_t>(position))
    return true;
  return td::Fail(kErrFileSeek, error);
}

// A side of `side` pixels in `tiles` tiles of 1..256 pixels each.
bool SideFits(uint32_t side, uint16_t tiles) {
  return tiles >= 1 && side <= uint64_t{kTileSide} * tiles &&
         side > uint64_t{kTileSide} * (tiles - 1u) && side <= INT32_MAX;
}

// The stored levels replace the built ones; their tile counts must add up
// to N.
bool ReadLevelsV1(CStream& stream, uint64_t fileSize, CTCF2MipmapTable& mipmap, uint64_t& total,
                  uint32_t& error) {
  std::vector<SLevelRecordV1> levels;
  if (!ReadBlock(stream, kLegacyLevels, fileSize, levels, error)) return false;
  for (const SLevelRecordV1& l : levels)
    if (!SideFits(l.Width, l.TilesAcross) || !SideFits(l.Height, l.TilesDown))
      return td::Fail(kErrFileFormat, error);
  mipmap.BuildLevels(kLegacyLevels, static_cast<int32_t>(levels[0].Width),
                     static_cast<int32_t>(levels[0].Height));
  if (mipmap.Count() != kLegacyLevels) return td::Fail(kErrFileFormat, error);
  total = 0;
  for (int32_t i = 0; i < kLegacyLevels; ++i) {
    const SLevelRecordV1& l = levels[static_cast<size_t>(i)];
    const STCF2Mipmap record{l.Width, l.Height, l.TilesAcross, l.TilesDown,
                             static_cast<uint32_t>(total)};
    mipmap.SetMipmap(i, &record);
    total += uint64_t{l.TilesAcross} * l.TilesDown;
  }
  return true;
}

// Each tile runs up to the next greater position, the last one up to the
// tag area.
bool SetLengthsV1(const std::vector<uint64_t>& positions, uint64_t tagPosition, uint64_t start,
                  uint64_t fileSize, CTCF2TileTable& tiles, uint32_t& error) {
  std::vector<uint32_t> order(positions.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(),
            [&](uint32_t a, uint32_t b) { return positions[a] < positions[b]; });
  for (size_t k = 0; k < order.size(); ++k) {
    const uint64_t position = positions[order[k]];
    const uint64_t end = k + 1 < order.size() ? positions[order[k + 1]] : tagPosition;
    if (end <= position || !TileFits(position, end - position, start, fileSize))
      return td::Fail(kErrFileFormat, error);
    SetTileBoth(tiles, static_cast<int32_t>(order[k]), position, end - position);
  }
  return true;
}

bool ReadTilesV2(CStream& stream, uint64_t count, uint64_t fileSize, CTCF2TileTable& tiles,
                 uint32_t& error) {
  std::vector<STCF2TileRecordV2> records;
  if (!ReadBlock(stream, count, fileSize, records, error)) return false;
  const auto end = static_cast<uint64_t>(stream.GetPosition());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!TileFits(records[i].Position, records[i].Length, end, fileSize))
      return td::Fail(kErrFileFormat, error);
    SetTileBoth(tiles, static_cast<int32_t>(i), records[i].Position, records[i].Length);
  }
  return true;
}

bool ReadUpdatesV2(CStream& stream, uint32_t levelZero, uint64_t fileSize, CTCF2TileTable& tiles,
                   uint32_t& updates, uint32_t& error) {
  if (!stream.ReadDWORD(updates, error)) return false;
  if (updates > levelZero) return td::Fail(kErrFileFormat, error);
  std::vector<STCF2UpdateRecordV2> records;
  if (!ReadBlock(stream, updates, fileSize, records, error)) return false;
  const auto end = static_cast<uint64_t>(stream.GetPosition());
  for (const STCF2UpdateRecordV2& r : records) {
    if (r.Tile >= levelZero || !TileFits(r.Position, r.Length, end, fileSize))
      return td::Fail(kErrFileFormat, error);
    SetUpdateCopy(tiles, static_cast<int32_t>(r.Tile), r.Position, r.Length);
  }
  return true;
}

// ---- tag areas ----

CStr ReadScrambled(CStream& in, uint32_t key) { return StrScramble(key, StreamReadStr(in)); }

void ReadText(CStream& in, CTCF2Tag& tag, ETCF2TagText which, uint32_t key, uint32_t warnIfEmpty,
              uint32_t& warnings) {
  const CStr text = key ? ReadScrambled(in, key) : StreamReadStr(in);
  if (text.GetLength() == 0) warnings |= warnIfEmpty;
  tag.SetText(which, &text);
}

// Copies the area from the stream's position up to `tail` bytes before the
// end into the memory stream.
bool CopyArea(CStream& stream, uint64_t tail, CMemoryStream& area, uint32_t& error) {
  const uint64_t fileSize = FileSize(stream);
  const int64_t at = stream.GetPosition();
  if (at < 0 || fileSize < tail || static_cast<uint64_t>(at) > fileSize - tail)
    return td::Fail(kErrFileFormat, error);
  const auto length = static_cast<int64_t>(fileSize - tail - static_cast<uint64_t>(at));
  area.Reserve(length);  // running out of memory is no read error
  return area.CopyFrom(stream, length, error) == length;
}

bool ReadCalibrationCount(int32_t stored, int32_t& count, uint32_t& error) {
  if (stored != 2 && stored != 3) return td::Fail(kErrCalPointCount, error);
  count = stored;
  return true;
}

void SetCalibration(CTCF2Tag& tag, int32_t count, const SPointD* pix, const SPointD* map) {
  tag.SetCalibration(count, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
}

void ReadFloatPoints(CStream& in, int32_t count, SPointD* points) {
  for (int32_t i = 0; i < count; ++i) {
    const S2DF p = StreamRead2DF(in);
    points[i] = {p.X, p.Y};
  }
}

void ReadDoublePoints(CStream& in, int32_t count, SPointD* points) {
  for (int32_t i = 0; i < count; ++i) {
    const S2DD p = StreamRead2DD(in);
    points[i] = {p.X, p.Y};
  }
}

std::vector<SGeo2D> ReadExtendedPositions(CStream& in, int32_t count) {
  std::vector<SGeo2D> positions(static_cast<size_t>(count));
  for (SGeo2D& p : positions) {
    p.lat = StreamReadExtended(in);
    p.lon = StreamReadExtended(in);
  }
  return positions;
}

// Mercator from positions and a datum, or the RD grid from map points.
bool ReadOldProjection(CStream& in, bool isMercator, int32_t count, const SPointD* pix,
                       uint32_t datumKey, CTCF2Tag& tag, uint32_t& error) {
  SPointD map[3] = {};
  SGeodeticRef ref;
  if (isMercator) {
    const std::vector<SGeo2D> positions = ReadExtendedPositions(in, count);
    const CStr name = datumKey ? ReadScrambled(in, datumKey) : StreamReadStr(in);
    const SGeodeticDatum* datum =
        datumKey ? GeodeticDatumFindByCode(name.c_str()) : GeodeticDatumFindByOldName(name.c_str());
    if (!datum) return td::Fail(kErrDatumUnknown, error);
    GeodeticRefInitMercator(ref, 0, *datum);
    for (int32_t i = 0; i < count; ++i)
      GeoToMercator(map[i], positions[static_cast<size_t>(i)], ref);
  } else {
    ReadDoublePoints(in, count, map);
    GeodeticRefInitRD(ref);
  }
  SetCalibration(tag, count, pix, map);
  tag.SetGeodeticRef(&ref);
  return true;
}

bool ReadTagAreaV1(CStream& in, CTCF2Tag& tag, CTCF2Bounds& bounds, uint32_t& warnings,
                   uint32_t& error) {
  enum : int32_t { kCodeMercator = 1, kCodeRD = 3 };
  TCF2ReadBounds1002(in, bounds, warnings);
  for (ETCF2TagText which : {kTagText1, kTagIdText1, kTagText12, kTagText13, kTagText8, kTagText7})
    ReadText(in, tag, which, 0, 0, warnings);
  int32_t count = 0;
  if (!ReadCalibrationCount(StreamReadLong(in), count, error)) return false;
  SPointD pix[3] = {};
  ReadFloatPoints(in, count, pix);
  const int32_t code = StreamReadLong(in);
  if (code != kCodeMercator && code != kCodeRD) return td::Fail(kErrProjectionUnknown, error);
  if (!ReadOldProjection(in, code == kCodeMercator, count, pix, 0, tag, error)) return false;
  tag.SetFlag(true);
  return true;
}

// Rows 1 to 15 of the 1.0.0.1/2 tag area.
void ReadIdentityV2(CStream& in, bool v3, CTCF2Tag& tag, uint32_t& warnings) {
  TCF2TagReadIdNumbers(in, tag, warnings);
  ReadText(in, tag, kTagIdText4, kTCF2KeyK1, 0, warnings);
  if (v3) ReadText(in, tag, kTagIdText3, kTCF2KeyK1, 0, warnings);
  ReadText(in, tag, kTagIdText2, kTCF2KeyK2, 0, warnings);
  ReadText(in, tag, kTagText1, kTCF2KeyK3, kTCF2WarnText1Empty, warnings);
  ReadText(in, tag, kTagIdText1, kTCF2KeyK4, v3 ? 0u : uint32_t{kTCF2WarnIdText1Empty}, warnings);
  ReadText(in, tag, kTagText12, kTCF2KeyK2, 0, warnings);
  ReadText(in, tag, kTagText13, kTCF2KeyK1, 0, warnings);
  ReadText(in, tag, kTagText8, kTCF2KeyK3, 0, warnings);
  ReadText(in, tag, kTagText7, kTCF2KeyK4, 0, warnings);
  tag.SetValueU16(static_cast<uint16_t>(StreamReadLong(in)));
  ReadText(in, tag, kTagText4, kTCF2KeyK2, 0, warnings);
  tag.SetDate(TCF2ReadDateText(in, kTCF2KeyK4, kTCF2WarnDate, warnings));
}

// Row 16: present when value 1 is below 2 pi.
void ReadOptionalValues(CStream& in, bool v3, CTCF2Tag& tag, uint32_t& warnings) {
  double a = 0, b = 0;
  bool present = false;
  if (v3) {
    a = StreamReadDouble(in);
    b = StreamReadDouble(in);
    present = a < 6.283185307179586;
  } else {
    const float fa = StreamReadFloat(in);
    const float fb = StreamReadFloat(in);
    present = fa < 6.2831855f;
    a = fa;
    b = fb;
  }
  const double date = TCF2ReadDateText(in, kTCF2KeyK1, kTCF2WarnOptDate, warnings);
  tag.SetOptValues(present, a, b, date);
}

// Row 17 of 1.0.0.1: the projection record.
bool ReadProjectionV2(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  const uint8_t code = StreamReadBYTE(in);
  if (code != kTCF2Proj1002Mercator && code != kTCF2Proj1002RD)
    return td::Fail(kErrProjectionUnknown, error);
  int32_t count = 0;
  if (!ReadCalibrationCount(StreamReadBYTE(in) + 2, count, error)) return false;
  SPointD pix[3] = {};
  ReadFloatPoints(in, count, pix);
  return ReadOldProjection(in, code == kTCF2Proj1002Mercator, count, pix, kTCF2KeyK2, tag, error);
}

// Rows 17 and 18 of 1.0.0.2.
bool ReadProjectionV3(CStream& in, int32_t width, int32_t height, CTCF2Tag& tag, uint32_t& error) {
  const uint8_t code = StreamReadBYTE(in);
  if (code > kTCF2Proj1002TM) return td::Fail(kErrProjectionUnknown, error);
  int32_t count = 0;
  if (!ReadCalibrationCount(StreamReadBYTE(in) + 2, count, error)) return false;
  SPointD pix[3] = {}, map[3] = {};
  ReadDoublePoints(in, count, pix);
  ReadDoublePoints(in, count, map);
  SetCalibration(tag, count, pix, map);
  return TCF2ReadProjection1002(in, code, width, height, tag, error);
}

// Row 24 of 1.0.0.1: type 0 only, both texts scrambled.
bool ReadLinksV2(CStream& in, CTCF2Tag& tag, uint32_t& error) {
  const int32_t count = StreamReadLong(in);
  for (int32_t i = 0; i < count; ++i) {
    if (StreamReadBYTE(in) != kLinkFile) return td::Fail(kErrLinkTypeUnknown, error);
    const CStr file = ReadScrambled(in, kTCF2KeyK1);
    const CStr description = ReadScrambled(in, kTCF2KeyK3);
    tag.AppendLink(kLinkFile, file, description);
  }
  return true;
}

bool ReadTagAreaV2(CStream& in, bool v3, int32_t width, int32_t height, CTCF2Tag& tag,
                   CTCF2UpdateTag& updateTag, CTCF2Bounds& bounds, uint32_t& warnings,
                   uint32_t& error) {
  ReadIdentityV2(in, v3, tag, warnings);
  ReadOptionalValues(in, v3, tag, warnings);
  if (!(v3 ? ReadProjectionV3(in, width, height, tag, error) : ReadProjectionV2(in, tag, error)))
    return false;
  TCF2ReadBounds1002(in, bounds, warnings);
  tag.SetFlag(StreamReadBool(in));
  if (!TCF2TagReadKind(in, tag, error)) return false;
  updateTag.SetDateTime3(TCF2ReadDateText(in, kTCF2KeyK4, kTCF2WarnUpdateTime3, warnings));
  const CStr text = ReadScrambled(in, kTCF2KeyK4);
  updateTag.TakeText(text);
  return v3 ? TCF2ReadLinks1002(in, tag, error) : ReadLinksV2(in, tag, error);
}

// The plain 1.0.0.1/2 tag area from the stream's position.
bool ReadScrambledArea(CStream& stream, CMemoryStream& area, uint32_t& error) {
  if (!CopyArea(stream, kCheckSize, area, error)) return false;
  uint16_t check = 0;
  if (!stream.ReadWORD(check, error)) return false;
  TCF2ScrambleTagArea(area.GetData(), static_cast<size_t>(area.GetSize()), check);
  area.Seek(0, kSeekBegin);
  return true;
}

bool ReadTablesV2V3(CStream& stream, bool v3, int32_t width, int32_t height, CTCF2Tag& tag,
                    CTCF2UpdateTag& updateTag, CTCF2Bounds& bounds, uint32_t& warnings,
                    uint32_t& error) {
  CMemoryStream area;
  if (!ReadScrambledArea(stream, area, error)) return false;
  tag.ClearFields();
  return ReadTagAreaV2(area, v3, width, height, tag, updateTag, bounds, warnings, error);
}

// ---- writing the 1.0.0.2 tag area ----

void WriteScrambled(CStream& out, uint32_t key, const CStr& text) {
  StreamWriteStr(out, StrScramble(key, text));
}

void WriteIdentityV3(CStream& out, CTCF2Tag& tag) {
  StreamWriteGUID(out, *tag.GetGUID());
  StreamWriteDWORD(out, tag.GetIdNumber());
  StreamWriteLong(out, tag.GetIdCode());
  const struct {
    ETCF2TagText which;
    uint32_t key;
  } texts[] = {{kTagIdText4, kTCF2KeyK1}, {kTagIdText3, kTCF2KeyK1}, {kTagIdText2, kTCF2KeyK2},
               {kTagText1, kTCF2KeyK3},   {kTagIdText1, kTCF2KeyK4}, {kTagText12, kTCF2KeyK2},
               {kTagText13, kTCF2KeyK1},  {kTagText8, kTCF2KeyK3},   {kTagText7, kTCF2KeyK4}};
  for (const auto& t : texts) WriteScrambled(out, t.key, tag.Text(t.which));
  StreamWriteLong(out, tag.GetValueU16());
  WriteScrambled(out, kTCF2KeyK2, tag.Text(kTagText4));
  TCF2WriteDateText(out, kTCF2KeyK4, tag.GetDate());
  constexpr double kAbsent = 1e37;  // not below 2 pi
  StreamWriteDouble(out, tag.HasOptValues() ? tag.GetOptValue1() : kAbsent);
  StreamWriteDouble(out, tag.GetOptValue2());
  TCF2WriteDateText(out, kTCF2KeyK1, tag.GetOptValue3());
}

bool WriteCalibrationV3(CStream& out, CTCF2Tag& tag, uint32_t& error) {
  int32_t count = 0;
  SPointD pix[3], map[3];
  tag.GetCalibration(&count, &pix[0], &pix[1], &pix[2], &map[0], &map[1], &map[2]);
  uint8_t code = 0;
  if (!TCF2Projection1002Code(tag.Ref(), code, error)) return false;
  if (count != 2 && count != 3) return td::Fail(kErrCalPointCount, error);
  StreamWriteBYTE(out, code);
  StreamWriteBYTE(out, static_cast<uint8_t>(count - 2));
  for (int32_t i = 0; i < count; ++i) StreamWrite2DD(out, S2DD{pix[i].x, pix[i].y});
  for (int32_t i = 0; i < count; ++i) StreamWrite2DD(out, S2DD{map[i].x, map[i].y});
  return TCF2WriteProjection1002(out, tag.Ref(), error);
}

bool WritePlainAreaV3(CStream& out, CTCF2Tag& tag, CTCF2Bounds& bounds, CTCF2UpdateTag& updateTag,
                      uint32_t& error) {
  if (tag.GetKind() < 0 || tag.GetKind() > 2) return td::Fail(kErrSourceFormatUnknown, error);
  WriteIdentityV3(out, tag);
  if (!WriteCalibrationV3(out, tag, error)) return false;
  TCF2WriteBounds1002(out, bounds);
  StreamWriteBool(out, tag.GetFlag());
  if (!TCF2TagWriteKind(out, tag, error)) return false;
  TCF2WriteDateText(out, kTCF2KeyK4, updateTag.GetDateTime3());
  WriteScrambled(out, kTCF2KeyK4, *updateTag.GetText());
  TCF2WriteLinks1002(out, tag);
  return true;
}

uint16_t ByteSum(const uint8_t* data, size_t count) {
  uint32_t sum = 0;
  for (size_t i = 0; i < count; ++i) sum += data[i];
  return static_cast<uint16_t>(sum);
}

}  // namespace

bool TCF2FileWriteTagV3(CStream& stream, CTCF2Tag& tag, CTCF2Bounds& bounds,
                        CTCF2UpdateTag& updateTag, uint32_t& error) {
  CMemoryStream plain;
  if (!WritePlainAreaV3(plain, tag, bounds, updateTag, error)) return false;
  const int64_t start = stream.GetPosition();
  auto* bytes = static_cast<uint8_t*>(plain.GetData());
  const auto size = static_cast<size_t>(plain.GetSize());
  const uint16_t check = ByteSum(bytes, size);
  TCF2ScrambleTagArea(bytes, size, check);
  const auto position = static_cast<uint64_t>(start);
  if (!stream.WriteBuf(bytes, static_cast<int32_t>(size), error) ||
      !stream.WriteBuf(&check, 2, error))
    return false;
  const int64_t end = stream.GetPosition();
  return SeekTo(stream, kTCF2HeaderPosition, error) && stream.WriteBuf(&position, 8, error) &&
         SeekTo(stream, static_cast<uint64_t>(end), error);
}

void TCF2ScrambleTagArea(void* data, size_t byteCount, uint16_t check) {
  const uint32_t start = (check & 0xFFu) ^ (check >> 8);
  ScrambleBytes(start - 1, data, byteCount);  // byte i with start + i
}

bool TCF2FileReadHeaderV1(CStream& stream, STCF2FileHeader& header, CTCF2MipmapTable& mipmap,
                          CTCF2TileTable& tiles, uint32_t& error) {
  const uint64_t fileSize = FileSize(stream);
  StartHeader(header);
  uint64_t tagPosition = 0, total = 0;
  uint32_t count = 0;
  if (!stream.ReadBuf(&tagPosition, 8, error) ||
      !ReadLevelsV1(stream, fileSize, mipmap, total, error) || !stream.ReadDWORD(count, error))
    return false;
  if (count != total || !BlockFits<uint64_t>(stream, count, fileSize) ||
      !tiles.BuildFrom(static_cast<int32_t>(count), mipmap))
    return td::Fail(kErrFileFormat, error);
  std::vector<uint64_t> positions;
  if (!ReadBlock(stream, count, fileSize, positions, error)) return false;
  const uint64_t start = kV1TablePosition + 8 * uint64_t{count};
  if (tagPosition < start || tagPosition > fileSize ||
      !SetLengthsV1(positions, tagPosition, start, fileSize, tiles, error))
    return td::Fail(kErrFileFormat, error);
  FinishHeader(header, mipmap, tagPosition, fileSize, 0);
  return SeekTo(stream, tagPosition, error);
}

bool TCF2FileReadHeaderV2(CStream& stream, STCF2FileHeader& header, CTCF2MipmapTable& mipmap,
                          CTCF2TileTable& tiles, uint32_t& error) {
  const uint64_t fileSize = FileSize(stream);
  StartHeader(header);
  uint64_t tagPosition = 0;
  int32_t width = 0, height = 0;
  if (!stream.ReadBuf(&tagPosition, 8, error)) return false;
  if (tagPosition < kTCF2V2TablePosition || fileSize < kCheckSize ||
      tagPosition > fileSize - kCheckSize)
    return td::Fail(kErrFileFormat, error);
  if (!stream.ReadLong(width, error) || !stream.ReadLong(height, error)) return false;
  if (width < 1) return td::Fail(kErrChartWidth, error);
  if (height < 1) return td::Fail(kErrChartHeight, error);
  uint32_t count = 0, updates = 0;
  const uint32_t total = mipmap.BuildLevels(kLegacyLevels, width, height);
  if (mipmap.Count() != kLegacyLevels) return td::Fail(kErrFileFormat, error);
  if (!stream.ReadDWORD(count, error)) return false;
  if (count != total || !BlockFits<STCF2TileRecordV2>(stream, count, fileSize) ||
      !tiles.BuildFrom(static_cast<int32_t>(total), mipmap))
    return td::Fail(kErrFileFormat, error);
  if (!ReadTilesV2(stream, count, fileSize, tiles, error) ||
      !ReadUpdatesV2(stream, mipmap.TilesOf(0), fileSize, tiles, updates, error))
    return false;
  FinishHeader(header, mipmap, tagPosition, fileSize, updates);
  return SeekTo(stream, tagPosition, error);
}

bool TCF2FileReadTablesV1(CStream& stream, CTCF2Tag& tag, CTCF2UpdateTag&, CTCF2Bounds& bounds,
                          uint32_t& warnings, uint32_t& error) {
  CMemoryStream area;
  if (!CopyArea(stream, 0, area, error)) return false;
  area.Seek(0, kSeekBegin);
  tag.ClearFields();
  return ReadTagAreaV1(area, tag, bounds, warnings, error);
}

bool TCF2FileReadTablesV2(CStream& stream, CTCF2Tag& tag, CTCF2UpdateTag& updateTag,
                          CTCF2Bounds& bounds, uint32_t& warnings, uint32_t& error) {
  return ReadTablesV2V3(stream, false, 0, 0, tag, updateTag, bounds, warnings, error);
}

bool TCF2FileReadTablesV3(CStream& stream, int32_t width, int32_t height, CTCF2Tag& tag,
                          CTCF2UpdateTag& updateTag, CTCF2Bounds& bounds, uint32_t& warnings,
                          uint32_t& error) {
  return ReadTablesV2V3(stream, true, width, height, tag, updateTag, bounds, warnings, error);
}
