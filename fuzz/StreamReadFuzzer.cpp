// Reads arbitrary bytes through the readers of a pointer stream. The input
// is its own script: each step reads an operation byte, then that reader's
// fields from the bytes after it. Hostile lengths and counts must end in an
// error code or a stream or link-list exception; the sanitizers and
// libFuzzer's limits catch crashes, huge allocations and hangs.

#include <cstdlib>
#include <cstring>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/containers/LinkList.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/foundation/streams/StreamFunctions.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A fixed-width reader that throws must consume exactly its width, or throw
// when fewer bytes are left.
template <typename Read>
void ReadFixed(CStream& s, int64_t width, Read read) {
  const int64_t before = s.GetPosition();
  const bool fits = s.GetRemaining() >= width;
  try {
    read(s);
  } catch (const CStreamError&) {
    Check(!fits);
    throw;
  }
  Check(fits && s.GetPosition() == before + width);
}

void ReadTyped(CStream& s, uint8_t which) {
  switch (which % 15) {
    case 0: return ReadFixed(s, 1, [](CStream& s) { StreamReadBool(s); });
    case 1: return ReadFixed(s, 1, [](CStream& s) { StreamReadBYTE(s); });
    case 2: return ReadFixed(s, 2, [](CStream& s) { StreamReadWORD(s); });
    case 3: return ReadFixed(s, 2, [](CStream& s) { StreamReadShort(s); });
    case 4: return ReadFixed(s, 4, [](CStream& s) { StreamReadDWORD(s); });
    case 5: return ReadFixed(s, 4, [](CStream& s) { StreamReadLong(s); });
    case 6: return ReadFixed(s, 4, [](CStream& s) { StreamReadFloat(s); });
    case 7: return ReadFixed(s, 4, [](CStream& s) { StreamReadVersion(s); });
    case 8: return ReadFixed(s, 8, [](CStream& s) { StreamReadDouble(s); });
    case 9: return ReadFixed(s, 8, [](CStream& s) { StreamReadInt64(s); });
    case 10: return ReadFixed(s, 8, [](CStream& s) { StreamReadDateTime(s); });
    case 11: return ReadFixed(s, 8, [](CStream& s) { StreamRead2DF(s); });
    case 12: return ReadFixed(s, 16, [](CStream& s) { StreamRead2DD(s); });
    case 13: return ReadFixed(s, 16, [](CStream& s) { StreamReadGUID(s); });
    default: return ReadFixed(s, 10, [](CStream& s) { StreamReadExtended(s); });
  }
}

// A string never holds more characters than the bytes that were left.
void ReadString(CStream& s, uint8_t which) {
  const int64_t left = s.GetRemaining();
  CStr value;
  uint32_t error = 0;
  switch (which % 3) {
    case 0:
      if (!s.ReadStr(value, error)) Check(error == kErrFileRead || error == kErrFileFormat);
      break;
    case 1:
      if (!s.ReadShortStr(value, error)) Check(error == kErrFileRead);
      break;
    default:
      value = StreamReadStr(s);
  }
  Check(value.GetLength() <= left);
}

void CheckHeader(CStream& s) {
  uint32_t error = 0;
  if (!s.CheckHeader(CStr("TDLK"), error)) Check(error == kErrFileRead || error == kErrFileHeader);
}

// A seek outside the stream is refused and leaves the position alone.
void Seek(CStream& s) {
  const int64_t offset = StreamReadInt64(s);
  const int32_t origin = static_cast<int8_t>(StreamReadBYTE(s));
  const int64_t before = s.GetPosition();
  const int64_t result = s.Seek(offset, origin);
  Check(result == -1 ? s.GetPosition() == before : result == s.GetPosition());
}

// A list that loads saves back to exactly the bytes it was read from.
void LoadLinks(CStream& s, const uint8_t* data) {
  const int64_t start = s.GetPosition();
  TLinkList links;
  links.LoadFromStream(s);
  CMemoryStream saved;
  links.SaveToStream(saved);
  Check(saved.GetSize() == s.GetPosition() - start);
  Check(std::memcmp(saved.GetData(), data + start, static_cast<size_t>(saved.GetSize())) == 0);
}

void Step(CStream& s, const uint8_t* data) {
  const uint8_t op = StreamReadBYTE(s);
  switch (op % 5) {
    case 0: return ReadTyped(s, op / 5);
    case 1: return ReadString(s, op / 5);
    case 2: return CheckHeader(s);
    case 3: return Seek(s);
    default: return LoadLinks(s, data);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CConstPointerStream stream(data, static_cast<int64_t>(size));
  // A backward seek may replay steps; the cap keeps a script finite.
  for (int steps = 0; steps < 1000 && stream.GetRemaining() > 0; ++steps) {
    try {
      Step(stream, data);
    } catch (const CStreamError&) {
    } catch (const CLinkListError&) {
    }
    Check(stream.GetPosition() >= 0 && stream.GetPosition() <= stream.GetSize());
  }
  return 0;
}
