// The worker of an open CCommPort: reads whatever the port delivers in chunks
// of at most 256 bytes and hands each to the port with the clock's stamp.
// Created and destroyed by the port on its owner thread only.
#pragma once

#include <cstdint>

#include "lib/foundation/threads/Thread.h"

class CCommPort;

class CCommReadThread : public CThread {
 public:
  // Suspended; the port sets the terminate event and resumes it.
  CCommReadThread(CThread* owner, CCommPort* port, const char* name);
  // Ends the thread without running any queued event: waits 500 ms for the
  // read time-out, then closes the port's handle to end a blocked read and
  // waits for good. The events the thread posted are dropped.
  ~CCommReadThread() override;

 protected:
  // Result 0 when the port was closed, 0x30008 when a read failed while open.
  void Execute(uint32_t& result) override;

 private:
  CCommPort* m_Port;
};
