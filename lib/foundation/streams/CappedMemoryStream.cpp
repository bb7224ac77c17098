#include "lib/foundation/streams/CappedMemoryStream.h"

bool TD_STDCALL CCappedMemoryStream::SetSize(int64_t size) {
  if (size > m_Cap) {
    m_Overflowed = true;
    return false;
  }
  return CMemoryStream::SetSize(size);
}

int32_t TD_STDCALL CCappedMemoryStream::Write(const void* buffer, int32_t count) {
  if (count > 0 && GetPosition() + count > m_Cap) {
    m_Overflowed = true;
    return -1;
  }
  return CMemoryStream::Write(buffer, count);
}
