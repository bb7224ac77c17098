#include "lib/gps/CommReadThread.h"

#include <windows.h>

#include "lib/foundation/time/Clock.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/gps/CommPort.h"
#include "lib/gps/CommPortApi.h"

namespace {

constexpr uint32_t kFirstWaitMs = 500;

}  // namespace

CCommReadThread::CCommReadThread(CThread* owner, CCommPort* port, const char* name)
    : CThread(owner, name), m_Port(port) {}

CCommReadThread::~CCommReadThread() {
  if (!WaitForEnd(kFirstWaitMs)) {
    m_Port->CloseHandleLocked();
    WaitForEnd();
  }
}

void CCommReadThread::Execute(uint32_t& result) {
  result = 0;
  uint8_t buffer[CCommPacketList::kMaxPacketSize];
  while (!IsTerminating()) {
    HANDLE handle = m_Port->CurrentHandle();
    DWORD count = 0;
    if (handle == INVALID_HANDLE_VALUE ||
        !g_CommPortApi.ReadFile(handle, buffer, sizeof buffer, &count, nullptr))
      break;
    if (count > 0 && m_Port->AddPacket(buffer, count, ReadClock()))
      PostEvent(MakeCallback(CCommPort::ReceiveEvent, m_Port));
  }
  if (!IsTerminating() && m_Port->CurrentHandle() != INVALID_HANDLE_VALUE) result = kErrComRead;
}
