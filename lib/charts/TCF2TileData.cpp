#include "lib/charts/TCF2TileData.h"

#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"

namespace {


}  // namespace

bool TCF2FileReadTileData(CStream& stream, std::vector<uint8_t>& buffer,
                          const STCF2TileTableEntry& entry, bool useUpdate, uint32_t& error) {
  const uint64_t offset = useUpdate ? entry.UpdateOffset : entry.Offset;
  const uint64_t size = useUpdate ? uint64_t{entry.UpdateColourSize} + entry.UpdateAlphaSize
                                  : uint64_t{entry.ColourSize} + entry.AlphaSize;
  const int64_t streamSize = stream.GetSize();
  if (size == 0 || size > kTileStreamLimit || streamSize < 0 ||
      offset > static_cast<uint64_t>(streamSize) ||
      size > static_cast<uint64_t>(streamSize) - offset)
    return td::Fail(kErrFileFormat, error);
  if (stream.Seek(static_cast<int64_t>(offset), kSeekBegin) != static_cast<int64_t>(offset))
    return td::Fail(kErrFileSeek, error);
  buffer.resize(size);
  return stream.ReadBuf(buffer.data(), static_cast<int32_t>(size), error);
}

bool TCF2FileWriteSplitTile(CStream& out, const std::vector<uint8_t>& data, uint32_t width,
                            uint32_t height, std::vector<uint32_t>& pixels, uint32_t& colour,
                            uint32_t& alpha, uint32_t& error) {
  pixels.resize(kTilePixels);
  STileDecodeInfo info;
  if (CTileDecoder::DecodeStored(pixels.data(), width, height, data.data(), data.size(), info) != 0)
    return td::Fail(kErrFileFormat, error);
  colour = info.colourSize;
  alpha = static_cast<uint32_t>(data.size() - colour);
  if (!out.WriteBuf(data.data(), static_cast<int32_t>(data.size()), error)) return false;
  if (alpha != 0) return true;
  alpha = sizeof kTCF2OpaqueAlphaStream;
  return out.WriteBuf(kTCF2OpaqueAlphaStream, sizeof kTCF2OpaqueAlphaStream, error);
}

bool TCF2FileReadTilePixels(CStream& stream, uint32_t* pixels, const STCF2TileTableEntry& entry,
                            bool hasAlpha, std::vector<uint8_t>& buffer, uint32_t& error) {
  if (!TCF2FileReadTileData(stream, buffer, entry, true, error)) return false;
  STileDecodeInfo info;
  error = CTileDecoder::Decode(pixels, entry.Width, entry.Height, buffer.data(), buffer.size(),
                               hasAlpha, info);
  return error == 0;
}

bool TCF2FileReadTileBitmap(CStream& stream, CBmp32& bitmap, const STCF2TileTableEntry& entry,
                            bool hasAlpha, std::vector<uint8_t>& buffer, uint32_t& error) {
  bitmap.Resize(entry.Width, entry.Height);
  return TCF2FileReadTilePixels(stream, bitmap.GetBits(), entry, hasAlpha, buffer, error);
}
