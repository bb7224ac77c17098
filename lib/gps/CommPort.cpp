#include "lib/gps/CommPort.h"

#include <windows.h>

#include <cstdio>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/gps/CommPortApi.h"
#include "lib/gps/CommReadThread.h"

namespace {

constexpr DWORD kOpenDelayMs = 200;
constexpr WORD kFlowLimit = 1024;
constexpr char kXon = 17, kXoff = 19;

uint32_t OpenErrorCode(DWORD systemError) {
  switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
      return kErrComNotFound;
    case ERROR_ACCESS_DENIED:
      return kErrComInUse;
    default:
      return kErrComOpen;
  }
}

// Handshake 0 none, 1 RTS/CTS, 2 XON/XOFF; any other leaves flow control as
// read.
void ApplyHandshake(DCB& dcb, uint32_t handshake) {
  if (handshake > 2) return;
  dcb.fOutxCtsFlow = handshake == 1;
  dcb.fOutX = dcb.fInX = handshake == 2;
  dcb.fRtsControl = handshake == 1 ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_DISABLE;
}

// A read returns at once with what waits, else waits for the first byte, and
// gives up after 100 ms without data.
COMMTIMEOUTS PortTimeouts() {
  COMMTIMEOUTS timeouts = {};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
  timeouts.ReadTotalTimeoutConstant = 100;
  timeouts.WriteTotalTimeoutMultiplier = 100;
  timeouts.WriteTotalTimeoutConstant = 1000;
  return timeouts;
}

}  // namespace

CCommPort::CCommPort(CThread* owner) : m_Handle(INVALID_HANDLE_VALUE), m_Owner(owner) {}

CCommPort::~CCommPort() { Close(); }

void TD_STDCALL CCommPort::Open(const char* name, uint32_t* error) {
  uint32_t code = 0;
  try {
    OpenChecked(name ? name : "", code);
  } catch (...) {
    delete m_Thread;
    m_Thread = nullptr;
    CloseHandleLocked();
    code = kErrUnknown;
  }
  if (error) *error = code;
}

void CCommPort::OpenChecked(const char* name, uint32_t& error) {
  if (m_Open) return;
  m_Handle = OpenDevice(error);
  if (error != 0) return;
  m_Thread = new CCommReadThread(m_Owner, this, name);
  if (m_Thread->IsFinished()) {  // the system could not start it
    delete m_Thread;
    m_Thread = nullptr;
    CloseHandleLocked();
    error = kErrUnknown;
    return;
  }
  m_Thread->OnTerminate = MakeCallback(ThreadEndEvent, this);
  m_Open = true;
  m_Thread->Resume();
}

void* CCommPort::OpenDevice(uint32_t& error) {
  char device[32];
  std::snprintf(device, sizeof device, "\\\\.\\COM%u", static_cast<unsigned>(m_PortNumber));
  Sleep(kOpenDelayMs);
  HANDLE handle = g_CommPortApi.CreateFileA(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = OpenErrorCode(GetLastError());
    return INVALID_HANDLE_VALUE;
  }
  if (ConfigureDevice(handle, error)) return handle;
  g_CommPortApi.CloseHandle(handle);
  return INVALID_HANDLE_VALUE;
}

bool CCommPort::ConfigureDevice(void* handle, uint32_t& error) {
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  if (!g_CommPortApi.GetCommState(handle, &dcb)) {
    error = kErrComGetState;
    return false;
  }
  dcb.BaudRate = m_BaudRate;
  dcb.fBinary = 1;
  dcb.fParity = m_Parity != 0;
  dcb.fOutxCtsFlow = 0;
  dcb.fOutxDsrFlow = 0;
  dcb.fDtrControl = DTR_CONTROL_DISABLE;
  dcb.fDsrSensitivity = 0;
  dcb.fTXContinueOnXoff = 0;
  dcb.fErrorChar = m_ErrorCharEnabled;
  dcb.fNull = 0;
  dcb.fAbortOnError = 0;
  dcb.XonLim = kFlowLimit;
  dcb.XoffLim = kFlowLimit;
  dcb.ByteSize = m_ByteSize;
  dcb.Parity = static_cast<BYTE>(m_Parity);
  dcb.StopBits = static_cast<BYTE>(m_StopBits);
  dcb.XonChar = kXon;
  dcb.XoffChar = kXoff;
  dcb.ErrorChar = static_cast<char>(m_ErrorChar);
  dcb.EofChar = 0;
  dcb.EvtChar = 0;
  ApplyHandshake(dcb, m_Handshake);
  if (!g_CommPortApi.SetCommState(handle, &dcb)) {
    error = kErrComSetState;
    return false;
  }
  COMMTIMEOUTS timeouts = PortTimeouts();
  if (!g_CommPortApi.SetCommTimeouts(handle, &timeouts)) {
    error = kErrComTimeouts;
    return false;
  }
  return true;
}

void TD_STDCALL CCommPort::Close() {
  if (!m_Open) return;
  m_Open = false;
  delete m_Thread;  // drops the events it posted
  m_Thread = nullptr;
  CloseHandleLocked();
  CCriticalSectionLock guard(m_Lock);
  m_Packets.Clear();
}

bool TD_STDCALL CCommPort::ReadPacket(uint8_t* buffer, uint32_t* size, uint64_t* time) {
  return td::Guard(false, [&]() -> bool {
    uint32_t bytes = 0;
    uint64_t stamp = 0;
    {
      CCriticalSectionLock guard(m_Lock);
      if (!m_Packets.Take(buffer, bytes, stamp)) return false;
    }
    if (size) *size = bytes;
    if (time) *time = stamp;
    return true;
  });
}

size_t CCommPort::GetPacketCount() {
  CCriticalSectionLock guard(m_Lock);
  return m_Packets.GetCount();
}

void* CCommPort::CurrentHandle() {
  CCriticalSectionLock guard(m_Lock);
  return m_Handle;
}

void CCommPort::CloseHandleLocked() {
  CCriticalSectionLock guard(m_Lock);
  if (m_Handle == INVALID_HANDLE_VALUE) return;
  g_CommPortApi.CloseHandle(m_Handle);
  m_Handle = INVALID_HANDLE_VALUE;
}

bool CCommPort::AddPacket(const uint8_t* data, uint32_t size, uint64_t stamp) {
  CCriticalSectionLock guard(m_Lock);
  return m_Packets.Add(data, size, stamp);
}

// Owner thread. The port may be gone once a host callback returns.
void CCommPort::ReceiveEvent(void* context, CThread*) {
  CCommPort* port = static_cast<CCommPort*>(context);
  if (port->m_OnReceive.IsSet()) {
    reinterpret_cast<TCommReceiveFunc>(port->m_OnReceive.Function)(port->m_OnReceive.Context);
    return;
  }
  uint8_t discarded[CCommPacketList::kMaxPacketSize];
  port->ReadPacket(discarded, nullptr, nullptr);
}

void CCommPort::ThreadEndEvent(void* context, CThread* sender) {
  CCommPort* port = static_cast<CCommPort*>(context);
  const uint32_t result = sender->GetResult();
  if (result == 0 || !port->m_OnTerminate.IsSet()) return;
  const CStr text = sender->GetErrorText() ? *sender->GetErrorText() : CStr();
  reinterpret_cast<TCommTerminateFunc>(port->m_OnTerminate.Function)(port->m_OnTerminate.Context,
                                                                     result, &text);
}
