#include "lib/charts/TCF2File.h"

#include <algorithm>
#include <cstring>

#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr char kMagic[8] = {'T', 'd', 'm', ' ', 'T', 'C', 'F', '2'};

// Packed version of each format index.
constexpr uint32_t kVersions[kTCF2IndexCount] = {0, 0x01000000, 0x01000001, 0x01000002,
                                                 kTCF2Version2000};

}  // namespace

uint32_t TCF2FileVersionToIndex(uint32_t version) {
  for (uint32_t index = kTCF2Index2000; index >= kTCF2Index1000; --index)
    if (kVersions[index] == version) return index;
  return kTCF2IndexUnknown;
}

int32_t TCF2FileAutoLevelCount(int32_t width, int32_t height) {
  const uint64_t side = static_cast<uint64_t>(std::max(std::max(width, height), 1));
  int32_t count = 1;
  for (uint64_t m = side; m > 1; ++count) m = (side + (uint64_t{1} << count) - 1) >> count;
  return count;
}

bool TCF2FileReadMagic(CStream& stream, uint32_t& version, uint32_t& index, uint32_t& error) {
  version = 0;
  index = kTCF2IndexUnknown;
  char magic[sizeof kMagic];
  if (!stream.ReadBuf(magic, sizeof magic, error)) return false;
  if (std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
    error = kErrFileHeader;
    return false;
  }
  uint32_t stored = 0;
  if (!stream.ReadVersion(stored, error)) return false;
  const uint32_t found = TCF2FileVersionToIndex(stored);
  if (found == kTCF2IndexUnknown) {
    error = stored > kTCF2Version2000 ? kErrFileVersionNewer : kErrFileVersionUnknown;
    return false;
  }
  version = stored;
  index = found;
  return true;
}

uint64_t TCF2FileOpenRead(const CStr& name, uint32_t& version, uint32_t& index, CFileStream& stream,
                          uint32_t& error) {
  version = 0;
  index = kTCF2IndexUnknown;
  if (!stream.Open(name, kFileModeRead | kFileShareRead, error)) return 0;
  const int64_t size = stream.GetSize();
  if (!TCF2FileReadMagic(stream, version, index, error)) return 0;
  return static_cast<uint64_t>(std::max<int64_t>(size, 0));
}

bool TCF2FileReadHeaderV4(CStream& stream, STCF2FileHeader& header, uint32_t& error) {
  if (stream.Seek(kTCF2HeaderPosition, kSeekBegin) != kTCF2HeaderPosition) {
    error = kErrFileSeek;
    return false;
  }
  if (!stream.ReadBuf(&header, sizeof header, error)) return false;
  if (header.Width < 1)
    error = kErrChartWidth;
  else if (header.Height < 1)
    error = kErrChartHeight;
  else if (static_cast<int32_t>(header.LevelCount) < 1 ||
           static_cast<int32_t>(header.LevelCount) > kTCF2MaxLevels)
    error = kErrChartMipmapCount;
  return error == 0;
}

bool TCF2FileWriteMagic(CStream& stream, uint32_t index, uint32_t& error) {
  if (index < kTCF2Index1000 || index > kTCF2Index2000) {
    error = kErrTcf2Version;
    return false;
  }
  uint8_t block[kTCF2HeaderPosition];
  std::memcpy(block, kMagic, sizeof kMagic);
  std::memcpy(block + sizeof kMagic, &kVersions[index], 4);
  return stream.WriteBuf(block, sizeof block, error);
}

bool TCF2FileWriteHeader(CStream& stream, const STCF2FileHeader& header, uint32_t& error) {
  if (stream.Seek(kTCF2HeaderPosition, kSeekBegin) != kTCF2HeaderPosition) {
    error = kErrFileSeek;
    return false;
  }
  return stream.WriteBuf(&header, sizeof header, error);
}
