// Streams over a caller's block of fixed size, which they do not own:
// CPointerStream writes into it, CConstPointerStream only reads.
#pragma once

#include "lib/foundation/streams/MemoryBlockStream.h"

class CPointerStream : public CMemoryBlockStream {
 public:
  TD_DELETE_THIS(CPointerStream)

  CPointerStream(void* data, int64_t size);

  bool TD_STDCALL SetSize(int64_t size) override;  // the size is fixed: false
  // Writes what fits before the end of the block.
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override;
};

class CConstPointerStream : public CPointerStream {
 public:
  TD_DELETE_THIS(CConstPointerStream)

  CConstPointerStream(const void* data, int64_t size);

  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override;  // 0
};
