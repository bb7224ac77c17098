// A growable block of memory that the stream owns.
#pragma once

#include "lib/foundation/streams/MemoryBlockStream.h"

class CMemoryStream : public CMemoryBlockStream {
 public:
  TD_DELETE_THIS(CMemoryStream)

  CMemoryStream();
  explicit CMemoryStream(int64_t size);
  ~CMemoryStream();
  CMemoryStream(const CMemoryStream&) = delete;
  CMemoryStream& operator=(const CMemoryStream&) = delete;

  // Reallocates to exactly size bytes; false when refused or out of memory.
  bool TD_STDCALL SetSize(int64_t size) override;
  // Grows the block when needed; -1 when it cannot.
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override;

  // Room for bytes more from the position on, so that writing them cannot
  // fail for want of memory; throws std::bad_alloc when there is none.
  void Reserve(int64_t bytes);
  void Clear();
  int64_t GetCapacity() const { return m_Capacity; }

 private:
  bool Reallocate(int64_t capacity);

  int64_t m_Capacity = 0;
};
