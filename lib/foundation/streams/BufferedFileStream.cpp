#include "lib/foundation/streams/BufferedFileStream.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/exports/Guard.h"

namespace {

int32_t RoundBufferSize(int32_t request) {
  const int32_t clamped = std::clamp(request, 1, 32768);
  return (clamped + 1023) / 1024 * 1024;
}

}  // namespace

CBufferedFileStream::CBufferedFileStream() = default;

CBufferedFileStream::CBufferedFileStream(const CStr& name, uint16_t mode, int32_t bufferSize) {
  uint32_t error = 0;
  if (!Open(name, mode, bufferSize, error))
    throw CStreamError(CStr("CBufferedFileStream::Open: Cannot open file ") + name);
}

CBufferedFileStream::~CBufferedFileStream() { Close(); }

// The memory first: running out of it leaves no file created or cut.
bool CBufferedFileStream::Open(const CStr& name, uint16_t mode, int32_t bufferSize,
                               uint32_t& error) {
  CStr ownName(name);
  const int32_t size = RoundBufferSize(bufferSize);
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]());
  m_File = FileOpenByMode(name, mode, error);
  if (m_File == nullptr) return false;
  m_FileSize = FileSeek(m_File, 0, kSeekEnd, error);
  if (m_FileSize < 0) {
    FileCloseNamed(m_File, m_Name, false);
    return false;
  }
  m_Name = std::move(ownName);
  m_BufferSize = size;
  m_Buffer = buffer.release();
  m_Base = 0;
  m_Offset = m_Valid = 0;
  m_Dirty = m_WriteFailed = m_Written = false;
  return true;
}

bool CBufferedFileStream::Flush() {
  if (m_Dirty) WriteOut();
  m_Dirty = false;
  const bool flushed = !m_Written || m_File == nullptr || FileFlush(m_File);
  return flushed && !m_WriteFailed;
}

bool CBufferedFileStream::Close() {
  bool ok = true;
  if (m_Buffer != nullptr) {
    ok = Flush();
    delete[] m_Buffer;
    m_Buffer = nullptr;
  }
  return FileCloseNamed(m_File, m_Name, m_DeleteOnClose) && ok;
}

// Loads the block at the base, never past the kept size (a file that could
// not be cut may hold more); false when the file gave fewer bytes.
bool CBufferedFileStream::Fill() {
  const int32_t expected = static_cast<int32_t>(
      std::clamp<int64_t>(m_FileSize - m_Base, 0, m_BufferSize));
  uint32_t error = 0;
  int32_t n = -1;
  if (FileSeek(m_File, m_Base, kSeekBegin, error) == m_Base)
    n = FileRead(m_File, m_Buffer, expected);
  m_Valid = std::max(n, 0);
  return m_Valid == expected;
}

void CBufferedFileStream::WriteOut() {
  uint32_t error = 0;
  const bool ok = FileSeek(m_File, m_Base, kSeekBegin, error) == m_Base &&
                  FileWrite(m_File, m_Buffer, m_Valid) == m_Valid;
  m_Written = true;
  if (!ok) m_WriteFailed = true;
}

void CBufferedFileStream::MoveTo(int64_t base) {
  if (m_Dirty) WriteOut();
  m_Dirty = false;
  m_Base = base;
  m_Offset = 0;
  m_Valid = 0;
}

void CBufferedFileStream::NextBlockWhenFull() {
  if (m_Offset == m_BufferSize) MoveTo(m_Base + m_BufferSize);
}

int32_t TD_STDCALL CBufferedFileStream::Read(void* buffer, int32_t count) {
  return td::Guard(-1, [&]() -> int32_t {
    if (m_File == nullptr || count < 1) return 0;
    const int64_t n = std::min<int64_t>(count, m_FileSize - GetPosition());
    uint8_t* out = static_cast<uint8_t*>(buffer);
    int32_t done = 0;
    while (done < n) {
      if (m_Valid == 0) Fill();
      if (m_Offset >= m_Valid) break;  // the file gave nothing more
      const int32_t chunk = static_cast<int32_t>(std::min<int64_t>(n - done, m_Valid - m_Offset));
      std::memcpy(out + done, m_Buffer + m_Offset, chunk);
      m_Offset += chunk;
      done += chunk;
      NextBlockWhenFull();
    }
    return done;
  });
}

int32_t TD_STDCALL CBufferedFileStream::Write(const void* buffer, int32_t count) {
  return td::Guard(-1, [&]() -> int32_t {
    if (count < 1) return 0;
    if (m_File == nullptr || m_WriteFailed) return -1;
    const uint8_t* in = static_cast<const uint8_t*>(buffer);
    int32_t done = 0;
    while (done < count) {
      // Keep the other bytes of a block that is only partly overwritten.
      if (m_Valid == 0 && m_FileSize > m_Base && !Fill()) {
        m_WriteFailed = true;
        break;
      }
      const int32_t chunk = std::min(count - done, m_BufferSize - m_Offset);
      std::memcpy(m_Buffer + m_Offset, in + done, chunk);
      m_Dirty = true;
      m_Offset += chunk;
      done += chunk;
      m_Valid = std::max(m_Valid, m_Offset);
      m_FileSize = std::max(m_FileSize, m_Base + m_Valid);
      NextBlockWhenFull();
    }
    return m_WriteFailed ? -1 : count;
  });
}

int64_t TD_STDCALL CBufferedFileStream::Seek(int64_t offset, int32_t origin) {
  return td::Guard(-1, [&]() -> int64_t {
    int64_t from;
    switch (origin) {
      case 0:
        from = 0;
        break;
      case 1:
        from = GetPosition();
        break;
      case 2:
        from = m_FileSize;
        break;
      default:
        return -1;
    }
    if (m_File == nullptr || offset < -from || offset > m_FileSize - from) return -1;
    const int64_t target = from + offset;
    const int64_t block = target - target % m_BufferSize;
    if (block != m_Base) MoveTo(block);
    m_Offset = static_cast<int32_t>(target - block);
    return target;
  });
}

bool TD_STDCALL CBufferedFileStream::SetSize(int64_t size) {
  return td::Guard(false, [&]() -> bool {
    if (m_File == nullptr || size < 0) return false;
    if (size == m_FileSize) return true;
    if (size > m_FileSize) {
      if (m_Valid > 0 && m_FileSize < m_Base + m_BufferSize) {
        const int32_t end = static_cast<int32_t>(std::min<int64_t>(size - m_Base, m_BufferSize));
        std::memset(m_Buffer + m_Valid, 0, end - m_Valid);
        m_Valid = end;
      }
      m_FileSize = size;
    } else {
      m_FileSize = size;
      if (size < GetPosition() && Seek(0, 2) < 0) return false;
      if (size < m_Base + m_Valid)
        m_Valid = static_cast<int32_t>(std::max<int64_t>(size - m_Base, 0));
    }
    uint32_t error = 0;
    m_Written = true;
    // The kept size has changed: a file that did not follow is a failed write.
    if (FileSeek(m_File, size, kSeekBegin, error) != size || !FileSetEnd(m_File))
      m_WriteFailed = true;
    return !m_WriteFailed;
  });
}
