#include "lib/charts/TCF2TileJob.h"

#include <algorithm>
#include <new>

#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/charts/UpdateFile.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/Numeric.h"

namespace {

constexpr uint32_t kHalfTile = kTileSide / 2;



int32_t TileIndex(const STCF2Mipmap& level, uint32_t x, uint32_t y) {
  return static_cast<int32_t>(level.FirstTile + y * level.TilesAcross + x);
}

bool ReturnToEnd(CStream& output, uint32_t& error) {
  if (output.Seek(0, kSeekEnd) < 0) return td::Fail(kErrFileSeek, error);
  return true;
}

// A stored tile keeps only whether a pixel is transparent.
void AlphaAsStored(CBmp32& bitmap) {
  uint32_t* pixels = bitmap.Pixels();
  const size_t count = size_t(bitmap.Width()) * size_t(bitmap.Height());
  for (size_t i = 0; i < count; ++i)
    if (pixels[i] >> 24 != 0) pixels[i] |= kAlphaOpaque;
}

bool MarkPatchedTiles(STCF2TileJob& job, uint32_t& error) {
  const uint32_t level0 = job.Mipmap->TilesOf(0);
  const int32_t records = job.Update->GetRecordCount();
  for (int32_t i = 0; i < records; ++i)
    if (job.Update->GetRecordTileIndex(i) >= level0) return td::Fail(kErrFileFormat, error);
  for (int32_t i = 0; i < records; ++i) {
    const int32_t tile = static_cast<int32_t>(job.Update->GetRecordTileIndex(i));
    if (job.Tiles->At(tile).UpdateOffset == kTCF2MissingTile) continue;
    job.Tiles->SetUpdateTile(tile, td::Low(kTCF2MissingTile), td::High(kTCF2MissingTile), 0, 0);
    ++job.ToMake;
  }
  return true;
}

void CountMissingTiles(STCF2TileJob& job) {
  const int32_t first = static_cast<int32_t>(job.Mipmap->TilesOf(0));
  for (int32_t tile = first; tile < job.Tiles->Count(); ++tile)
    if (job.Tiles->At(tile).Offset == kTCF2MissingTile) ++job.ToMake;
}

// Codes the bitmap, appends it to the output and counts it as made. Offset
// and sizes come back for the caller's table entry.
bool StoreTile(STCF2TileJob& job, const CBmp32& bitmap, uint64_t& offset, uint32_t& colour,
               uint32_t& alpha, uint32_t& error) {
  const uint32_t code =
      job.Encoder->Compress(job.Code.data(), job.Code.size(), bitmap.Pixels(),
                            uint32_t(bitmap.Width()), uint32_t(bitmap.Height()), colour, alpha);
  if (code != 0) return td::Fail(code, error);
  const int64_t position = job.Output->GetPosition();
  if (!job.Output->WriteBuf(job.Code.data(), static_cast<int32_t>(colour + alpha), error))
    return false;
  offset = static_cast<uint64_t>(position);
  ++job.Made;
  td::ProgressCall(&job.Stage, static_cast<float>(double(job.Made) / job.ToMake), 0, &error);
  return error == 0;
}

// One copy of the tile read back from the output and decoded with its alpha
// into the bitmap; the output is left at its end.
bool DecodeCopy(STCF2TileJob& job, const STCF2TileTableEntry& entry, bool useUpdate, CBmp32& bitmap,
                uint32_t& error) {
  if (!TCF2FileReadTileData(*job.Output, job.Data, entry, useUpdate, error) ||
      !ReturnToEnd(*job.Output, error))
    return false;
  bitmap.Resize(entry.Width, entry.Height);
  STileDecodeInfo info;
  if (CTileDecoder::Decode(bitmap.Pixels(), entry.Width, entry.Height, job.Data.data(),
                           job.Data.size(), true, info) != 0)
    return td::Fail(kErrFileFormat, error);
  return true;
}

// The tile's normal copy patched by the update.
bool DecodeAndPatch(STCF2TileJob& job, int32_t tile, CBmp32& bitmap, uint32_t& error) {
  const STCF2TileTableEntry& entry = job.Tiles->At(tile);
  return job.Update->ReadTilePatch(job.Patch, static_cast<uint32_t>(tile), job.Zip, error) &&
         DecodeCopy(job, entry, false, bitmap, error) &&
         ApplyTilePatch(bitmap.Pixels(), entry.Width, entry.Height, job.Update->GetFormat(),
                        job.Patch.GetData(), job.Patch.GetSize(), error);
}

bool MakePatchedTile(STCF2TileJob& job, int32_t tile, CBmp32& bitmap, uint32_t& error) {
  uint64_t offset;
  uint32_t colour, alpha;
  if (!DecodeAndPatch(job, tile, bitmap, error) ||
      !StoreTile(job, bitmap, offset, colour, alpha, error))
    return false;
  job.Tiles->SetUpdateTile(tile, td::Low(offset), td::High(offset), colour, alpha);
  return true;
}

// Copies source into bitmap with its top-left corner at (left, top), clipped.
void CopyInto(CBmp32& bitmap, const CBmp32& source, uint32_t left, uint32_t top) {
  const uint32_t width = std::min<uint32_t>(source.Width(), uint32_t(bitmap.Width()) - left);
  const uint32_t height = std::min<uint32_t>(source.Height(), uint32_t(bitmap.Height()) - top);
  for (uint32_t y = 0; y < height; ++y)
    std::copy_n(source.Row(int32_t(y)), width, bitmap.Row(int32_t(top + y)) + left);
}

// The tile filled from its up to four children on the level above, halved.
bool FillFromChildren(STCF2TileJob& job, int32_t level, uint32_t x, uint32_t y, CBmp32& bitmap,
                      uint32_t& error) {
  const STCF2Mipmap& above = job.Mipmap->At(level - 1);
  CBmp32 child(0, 0, false);
  CBmp32 half(0, 0, false);
  for (uint32_t dy = 0; dy < 2; ++dy) {
    for (uint32_t dx = 0; dx < 2; ++dx) {
      const uint32_t cx = 2 * x + dx, cy = 2 * y + dy;
      if (cx >= above.TilesAcross || cy >= above.TilesDown) continue;
      if (!TileJobMakeTile(job, level - 1, cx, cy, child, error)) return false;
      child.ReduceInto(half, 2, true);
      CopyInto(bitmap, half, dx * kHalfTile, dy * kHalfTile);
    }
  }
  return true;
}

bool MakeMissingTile(STCF2TileJob& job, int32_t level, uint32_t x, uint32_t y, int32_t tile,
                     CBmp32& bitmap, uint32_t& error) {
  if (level == 0) return td::Fail(kErrFileFormat, error);  // level 0 is never made
  const STCF2TileTableEntry& entry = job.Tiles->At(tile);
  bitmap.Resize(entry.Width, entry.Height);
  std::fill_n(bitmap.Pixels(), size_t(entry.Width) * entry.Height, 0u);
  uint64_t offset;
  uint32_t colour, alpha;
  if (!FillFromChildren(job, level, x, y, bitmap, error)) return false;
  AlphaAsStored(bitmap);
  if (!StoreTile(job, bitmap, offset, colour, alpha, error)) return false;
  job.Tiles->SetTile(tile, td::Low(offset), td::High(offset), colour, alpha);
  job.Tiles->SetUpdateTile(tile, td::Low(offset), td::High(offset), colour, alpha);
  return true;
}

}  // namespace

bool TileJobInit(STCF2TileJob& job, CStream& output, CTCF2MipmapTable& mipmap,
                 CTCF2TileTable& tiles, CTCF2Update* update, const CZip* zip, uint32_t& error) {
  job.Mipmap = &mipmap;
  job.Tiles = &tiles;
  job.Output = &output;
  job.Update = update;
  job.Zip = zip;
  job.ToMake = 0;
  job.Made = 0;
  job.Stage = {};
  if (update && !MarkPatchedTiles(job, error)) return false;
  CountMissingTiles(job);
  error = 0;
  return true;
}

bool TileJobRun(STCF2TileJob& job, const SProgress* progress, uint32_t& error) {
  job.Stage = {};
  if (progress) td::ProgressStageInit(&job.Stage, progress, 1.0f, 0);
  if (!job.Encoder) job.Encoder = std::make_unique<CTileEncoder>();
  job.Code.resize(kTileCodeBufferSize);
  error = 0;
  const int32_t last = job.Mipmap->Count() - 1;
  if (last < 0) return true;
  const STCF2Mipmap& level = job.Mipmap->At(last);
  CBmp32 bitmap(0, 0, false);
  for (uint32_t y = level.TilesDown; y-- > 0;)
    for (uint32_t x = level.TilesAcross; x-- > 0;)
      if (!TileJobMakeTile(job, last, x, y, bitmap, error)) return false;
  return true;
}

bool TileJobMakeTile(STCF2TileJob& job, int32_t level, uint32_t x, uint32_t y, CBmp32& bitmap,
                     uint32_t& error) {
  const int32_t tile = TileIndex(job.Mipmap->At(level), x, y);
  const STCF2TileTableEntry& entry = job.Tiles->At(tile);
  if (level == 0 && entry.UpdateOffset == kTCF2MissingTile)
    return MakePatchedTile(job, tile, bitmap, error);
  if (entry.Offset == kTCF2MissingTile)
    return MakeMissingTile(job, level, x, y, tile, bitmap, error);
  return DecodeCopy(job, entry, true, bitmap, error);
}
