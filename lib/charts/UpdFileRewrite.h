// Rewrites the blocks of an update file of version 1.1.0.0: patches, record
// table and chart descriptor are copied unchanged, each block is kept,
// replaced or dropped. The new file replaces the old one in one step only when
// all of it was written; on any failure the old file stays as it was and no
// temporary file is left.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Zip.h"

// A block's new bytes; when replace is set and size is 0 the block is dropped.
struct SUpdBlockChange {
  const void* bytes;
  int32_t size;
  bool replace;
};

// Format 1 is refused with 0x10019. With keepFileTimes the new file gets the
// old one's times (where the system can set them).
bool UpdFileRewrite(const CStr& updateFileName, const CStr& text, bool replaceText,
                    SUpdBlockChange blockA, SUpdBlockChange blockB, bool keepFileTimes,
                    const CZip* zip, uint32_t& error);
