// A read-only view of the bytes [start, start + size) of another stream, which
// it does not own. Positions count from the window's start; reads never go
// past its end. Each read seeks the other stream first, so several windows may
// share one stream as long as one thread uses them.
#pragma once

#include "lib/foundation/streams/Stream.h"

class CStreamWindow final : public CStream {
 public:
  TD_DELETE_THIS(CStreamWindow)

  // The other stream must outlive the window.
  CStreamWindow(CStream& base, int64_t start, int64_t size);
  ~CStreamWindow() = default;

  int64_t TD_STDCALL GetPosition() override { return m_Position; }
  int64_t TD_STDCALL GetSize() override { return m_Size; }
  int32_t TD_STDCALL Read(void* buffer, int32_t count) override;  // -1 when the other stream fails
  // Refuses (-1, position unchanged) a target outside 0..size.
  int64_t TD_STDCALL Seek(int64_t offset, int32_t origin) override;
  bool TD_STDCALL SetSize(int64_t size) override { return false; }
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override { return -1; }

 private:
  CStream& m_Base;
  int64_t m_Start;
  int64_t m_Size;
  int64_t m_Position = 0;
};
