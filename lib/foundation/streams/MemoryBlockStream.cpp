#include "lib/foundation/streams/MemoryBlockStream.h"

#include <algorithm>
#include <cstring>

int32_t CMemoryBlockStream::Fitting(int32_t count) const {
  if (count < 1 || m_Position >= m_Size) return 0;
  return static_cast<int32_t>(std::min<int64_t>(count, m_Size - m_Position));
}

int32_t TD_STDCALL CMemoryBlockStream::Read(void* buffer, int32_t count) {
  const int32_t n = Fitting(count);
  if (n == 0) return 0;
  std::memcpy(buffer, m_Data + m_Position, n);
  m_Position += n;
  return n;
}

int64_t TD_STDCALL CMemoryBlockStream::Seek(int64_t offset, int32_t origin) {
  int64_t base;
  switch (origin) {
    case 0: base = 0; break;
    case 1: base = m_Position; break;
    case 2: base = m_Size; break;
    default: return -1;
  }
  // Compare before adding so that a hostile offset cannot overflow.
  if (offset < -base || offset > m_Size - base) return -1;
  m_Position = base + offset;
  return m_Position;
}
