#include "lib/foundation/streams/MemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "lib/foundation/core/AllocationFaults.h"

CMemoryStream::CMemoryStream() : CMemoryBlockStream(nullptr, 0) {}

CMemoryStream::CMemoryStream(int64_t size) : CMemoryBlockStream(nullptr, 0) {
  if (size > 0 && !Reallocate(size)) throw std::bad_alloc();
  m_Size = m_Capacity;
}

CMemoryStream::~CMemoryStream() { std::free(m_Data); }

bool CMemoryStream::Reallocate(int64_t capacity) {
  if (capacity < 0 || static_cast<uint64_t>(capacity) > SIZE_MAX / 2) return false;
  if (capacity == 0) {
    std::free(m_Data);
    m_Data = nullptr;
  } else {
    void* data = td::ReallocBlock(m_Data, static_cast<size_t>(capacity));
    if (data == nullptr) return false;
    m_Data = static_cast<uint8_t*>(data);
  }
  m_Capacity = capacity;
  return true;
}

void CMemoryStream::Reserve(int64_t bytes) {
  const int64_t end = m_Position + bytes;
  if (end > m_Capacity && !Reallocate(end)) throw std::bad_alloc();
}

bool TD_STDCALL CMemoryStream::SetSize(int64_t size) {
  if (!Reallocate(size)) return false;
  m_Size = size;
  if (m_Position > size) Seek(0, 2);
  return true;
}

int32_t TD_STDCALL CMemoryStream::Write(const void* buffer, int32_t count) {
  if (count < 1) return 0;
  const int64_t end = m_Position + count;
  if (end > m_Capacity) {
    int64_t capacity = m_Capacity <= 4096 ? m_Capacity + 1024 : m_Capacity + m_Capacity / 4;
    if (capacity < end) capacity = end;
    if (!Reallocate(capacity)) return -1;
  }
  if (end > m_Size) m_Size = end;
  std::memcpy(m_Data + m_Position, buffer, count);
  m_Position = end;
  return count;
}

void CMemoryStream::Clear() {
  Reallocate(0);
  m_Position = 0;
  m_Size = 0;
}
