// CCommPort: one serial port. It keeps the line settings, opens the port with
// them and runs a CCommReadThread that queues what arrives; the owner thread
// learns of each packet through an event and takes it with ReadPacket.
//
// Every operation belongs to the owner thread (the thread given at
// construction, or the thread that loaded the library when none is given);
// the callbacks run there too, never on the read thread. After Close or the
// destructor returns no callback of the port runs any more, and a callback may
// delete its own port.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/gps/CommPacketList.h"

class CThread;
class CCommReadThread;

// OnReceive: function(context); OnTerminate: function(context, code, text).
typedef void(TD_STDCALL* TCommReceiveFunc)(void* context);
typedef void(TD_STDCALL* TCommTerminateFunc)(void* context, uint32_t code, const CStr* text);

class CCommPort : public CObject {
 public:
  TD_DELETE_THIS(CCommPort)

  explicit CCommPort(CThread* owner);
  ~CCommPort();  // closes the port
  CCommPort(const CCommPort&) = delete;
  CCommPort& operator=(const CCommPort&) = delete;

  // The host's table, in this order. Setters act at the next Open.
  virtual void TD_STDCALL Close();
  virtual uint32_t TD_STDCALL GetBaudRate() { return m_BaudRate; }
  virtual uint8_t TD_STDCALL GetByteSize() { return m_ByteSize; }
  virtual uint32_t TD_STDCALL GetHandshake() { return m_Handshake; }
  virtual bool TD_STDCALL IsOpen() { return m_Open; }
  virtual SCallback* TD_STDCALL GetOnReceive() { return &m_OnReceive; }
  virtual SCallback* TD_STDCALL GetOnTerminate() { return &m_OnTerminate; }
  virtual uint32_t TD_STDCALL GetParity() { return m_Parity; }
  virtual uint8_t TD_STDCALL GetErrorChar() { return m_ErrorChar; }
  virtual bool TD_STDCALL GetErrorCharEnabled() { return m_ErrorCharEnabled; }
  virtual uint32_t TD_STDCALL GetPortNumber() { return m_PortNumber; }
  virtual uint32_t TD_STDCALL GetStopBits() { return m_StopBits; }
  // Opens "\\.\COM<number>" and starts the read thread named `name`; error
  // receives 0 or the failure's code, and a failure leaves the port closed.
  // On an open port: error 0, nothing changed.
  virtual void TD_STDCALL Open(const char* name, uint32_t* error);
  // Moves the oldest packet into buffer (room for 256 bytes); false, nothing
  // written, when none waits.
  virtual bool TD_STDCALL ReadPacket(uint8_t* buffer, uint32_t* size, uint64_t* time);
  virtual void TD_STDCALL SetBaudRate(uint32_t value) { m_BaudRate = value; }
  virtual void TD_STDCALL SetByteSize(uint8_t value) { m_ByteSize = value; }
  virtual void TD_STDCALL SetHandshake(uint32_t value) { m_Handshake = value; }
  virtual void TD_STDCALL SetOnReceive(TCommReceiveFunc function, void* context) {
    m_OnReceive = MakeCallback(function, context);
  }
  virtual void TD_STDCALL SetOnTerminate(TCommTerminateFunc function, void* context) {
    m_OnTerminate = MakeCallback(function, context);
  }
  virtual void TD_STDCALL SetParity(uint32_t value) { m_Parity = value; }
  virtual void TD_STDCALL SetErrorChar(uint8_t value) { m_ErrorChar = value; }
  virtual void TD_STDCALL SetErrorCharEnabled(uint8_t value) { m_ErrorCharEnabled = value != 0; }
  virtual void TD_STDCALL SetPortNumber(uint32_t value) { m_PortNumber = value; }
  virtual void TD_STDCALL SetStopBits(uint32_t value) { m_StopBits = value; }

  // Packets waiting to be taken (any thread).
  size_t GetPacketCount();

 private:
  friend class CCommReadThread;

  // Read thread: the handle to read from (invalid once closed), a received
  // chunk, and the closing of the handle that ends a blocked read.
  void* CurrentHandle();
  // Whether the owner needs one more receive event (see CCommPacketList::Add).
  bool AddPacket(const uint8_t* data, uint32_t size, uint64_t stamp);
  void CloseHandleLocked();

  void OpenChecked(const char* name, uint32_t& error);
  void* OpenDevice(uint32_t& error);
  bool ConfigureDevice(void* handle, uint32_t& error);
  static void ReceiveEvent(void* context, CThread* sender);
  static void ThreadEndEvent(void* context, CThread* sender);

  uint32_t m_BaudRate = 4800;
  void* m_Handle;
  CCommReadThread* m_Thread = nullptr;
  uint8_t m_ByteSize = 8;
  uint32_t m_Handshake = 0;
  bool m_Open = false;
  CCriticalSection m_Lock;
  SCallback m_OnReceive;
  SCallback m_OnTerminate;
  CThread* m_Owner;
  uint32_t m_Parity = 0;
  uint8_t m_ErrorChar = 0;
  bool m_ErrorCharEnabled = false;
  uint32_t m_PortNumber = 1;
  CCommPacketList m_Packets;
  uint32_t m_StopBits = 0;
};
