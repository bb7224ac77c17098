// A memory stream that refuses to grow beyond a fixed number of bytes: the
// destination of inflated data, which a few hostile bytes could otherwise
// blow up to gigabytes.
#pragma once

#include "lib/foundation/streams/MemoryStream.h"

class CCappedMemoryStream final : public CMemoryStream {
 public:
  TD_DELETE_THIS(CCappedMemoryStream)

  explicit CCappedMemoryStream(int64_t cap) : m_Cap(cap) {}
  ~CCappedMemoryStream() = default;

  // Beyond the cap nothing is written, -1 is returned and the stream
  // remembers that it overflowed.
  bool TD_STDCALL SetSize(int64_t size) override;
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override;

  bool Overflowed() const { return m_Overflowed; }
  // Empties the stream and forgets an overflow, keeping the memory for reuse.
  void Rewind() {
    m_Size = m_Position = 0;
    m_Overflowed = false;
  }

 private:
  int64_t m_Cap;
  bool m_Overflowed = false;
};
