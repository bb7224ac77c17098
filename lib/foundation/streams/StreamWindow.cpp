#include "lib/foundation/streams/StreamWindow.h"

#include <algorithm>

#include "lib/foundation/files/FileSystem.h"

CStreamWindow::CStreamWindow(CStream& base, int64_t start, int64_t size)
    : m_Base(base), m_Start(start), m_Size(std::max<int64_t>(size, 0)) {}

int32_t TD_STDCALL CStreamWindow::Read(void* buffer, int32_t count) {
  const int32_t n =
      static_cast<int32_t>(std::clamp<int64_t>(m_Size - m_Position, 0, std::max(count, 0)));
  if (n == 0) return 0;
  if (m_Base.Seek(m_Start + m_Position, kSeekBegin) != m_Start + m_Position) return -1;
  const int32_t read = m_Base.Read(buffer, n);
  if (read > 0) m_Position += read;
  return read;
}

int64_t TD_STDCALL CStreamWindow::Seek(int64_t offset, int32_t origin) {
  int64_t target;
  switch (origin) {
    case kSeekBegin:
      target = offset;
      break;
    case kSeekCurrent:
      target = m_Position + offset;
      break;
    case kSeekEnd:
      target = m_Size + offset;
      break;
    default:
      return -1;
  }
  if (target < 0 || target > m_Size) return -1;
  m_Position = target;
  return target;
}
