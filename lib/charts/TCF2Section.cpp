#include "lib/charts/TCF2Section.h"

#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"

namespace {

constexpr uint32_t kSectionKey = 0x3A;  // the first byte is XORed with 0x3B
constexpr uint64_t kChecksumSize = 4;

}  // namespace

void TCF2ScrambleSection(void* data, size_t byteCount) {
  ScrambleBytes(kSectionKey, data, byteCount);
}

bool TCF2ReadSection(CStream& file, uint64_t size, uint64_t position, CMemoryStream& payload,
                     uint32_t& error) {
  const int64_t fileSize = file.GetSize();
  if (size < kChecksumSize || fileSize < 0 || position > static_cast<uint64_t>(fileSize) ||
      size > static_cast<uint64_t>(fileSize) - position) {
    error = kErrFileFormat;
    return false;
  }
  if (file.Seek(static_cast<int64_t>(position), kSeekBegin) != static_cast<int64_t>(position)) {
    error = kErrFileSeek;
    return false;
  }
  const auto length = static_cast<int64_t>(size - kChecksumSize);
  payload.Reserve(length);  // running out of memory is no read error
  if (payload.CopyFrom(file, length, error) != length) return false;
  uint32_t stored = 0;
  if (!file.ReadDWORD(stored, error)) return false;
  if (XorChecksum32(payload.GetData(), static_cast<size_t>(length)) != stored) {
    error = kErrFileChecksum;
    return false;
  }
  TCF2ScrambleSection(payload.GetData(), static_cast<size_t>(length));
  payload.Seek(0, kSeekBegin);
  return true;
}

bool TCF2WriteSection(CStream& file, CMemoryStream& payload, uint32_t& error) {
  const int64_t length = payload.GetSize();
  TCF2ScrambleSection(payload.GetData(), static_cast<size_t>(length));
  payload.Seek(0, kSeekBegin);
  if (file.CopyFrom(payload, length, error) != length) return false;
  return file.WriteDWORD(XorChecksum32(payload.GetData(), static_cast<size_t>(length)), error);
}
