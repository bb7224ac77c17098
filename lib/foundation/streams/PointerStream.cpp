#include "lib/foundation/streams/PointerStream.h"

#include <cstring>

#include "lib/foundation/exports/Guard.h"

CPointerStream::CPointerStream(void* data, int64_t size)
    : CMemoryBlockStream(static_cast<uint8_t*>(data), size < 0 ? 0 : size) {}

bool TD_STDCALL CPointerStream::SetSize(int64_t) { return false; }

int32_t TD_STDCALL CPointerStream::Write(const void* buffer, int32_t count) {
  return td::Guard(-1, [&]() -> int32_t {
    const int32_t n = Fitting(count);
    if (n == 0) return 0;
    std::memcpy(m_Data + m_Position, buffer, n);
    m_Position += n;
    return n;
  });
}

CConstPointerStream::CConstPointerStream(const void* data, int64_t size)
    : CPointerStream(const_cast<void*>(data), size) {}

int32_t TD_STDCALL CConstPointerStream::Write(const void*, int32_t) { return 0; }
