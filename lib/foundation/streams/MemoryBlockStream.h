// Reading and seeking over a block of memory: the common part of the memory
// stream and the pointer streams.
#pragma once

#include "lib/foundation/streams/Stream.h"

class CMemoryBlockStream : public CStream {
 public:
  int64_t TD_STDCALL GetPosition() override { return m_Position; }
  int64_t TD_STDCALL GetSize() override { return m_Size; }
  int32_t TD_STDCALL Read(void* buffer, int32_t count) override;
  // Refuses (-1, position unchanged) a target outside 0..size.
  int64_t TD_STDCALL Seek(int64_t offset, int32_t origin) override;

  uint8_t* GetData() const { return m_Data; }

 protected:
  CMemoryBlockStream(uint8_t* data, int64_t size) : m_Data(data), m_Size(size) {}
  ~CMemoryBlockStream() = default;
  // The count that fits between the position and the end, at least 0.
  int32_t Fitting(int32_t count) const;

  uint8_t* m_Data;
  int64_t m_Position = 0;
  int64_t m_Size;
};
