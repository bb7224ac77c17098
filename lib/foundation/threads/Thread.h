// Worker threads. A worker never calls host code: it posts events to the queue
// of its owner thread (the host's main thread when the owner is null), which
// runs them on its own thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/threads/ThreadEventQueue.h"

class CThread {
 public:
  // Creates the system thread suspended; the creator sets the events and its
  // own fields, then calls Resume. Throws std::bad_alloc, leaving no thread.
  CThread(CThread* owner, const char* name);
  // Waits for a running thread and drops the events it still has queued, so
  // that none runs on freed memory. Subclasses whose Execute uses their own
  // fields call WaitForEnd in their destructor.
  virtual ~CThread();
  CThread(const CThread&) = delete;
  CThread& operator=(const CThread&) = delete;

  void Resume();
  // Requests termination, waits up to timeout ms, then runs the events pending
  // on the owner's queue; whether the thread has finished.
  bool WaitFor(uint32_t timeout);
  // Runs the callback at once on the owner thread, else queues it there.
  void PostEvent(const SCallback& event);
  void ProcessEvents() { m_Queue->ProcessAll(); }

  uint32_t GetThreadId() const { return m_ThreadId; }
  uint32_t GetResult() const { return m_Result; }
  const CStr* GetErrorText() const { return m_ErrorText; }
  bool IsFinished() const { return m_Finished.load() != 0; }
  bool IsTerminating() const { return m_Terminate.load() != 0; }
  const char* GetName() const { return m_Name; }

  // Fired on the owner thread after Execute: the error event when an exception
  // escaped it, the terminate event always.
  SCallback OnError;
  SCallback OnTerminate;

 protected:
  // The thread body; may set the result. Loops poll IsTerminating.
  virtual void Execute(uint32_t& result) = 0;
  // Requests termination and waits up to timeout ms for the thread to end,
  // running no event; whether it has finished.
  bool WaitForEnd(uint32_t timeout = 0xFFFFFFFF);

 private:
  static unsigned TD_STDCALL Body(void* self);
  void Run();
  void CatchAndRecord();
  CThreadEventQueue* OwnerQueue() const;

  uint32_t m_Result = 0;
  CStr* m_ErrorText = nullptr;
  CThreadEventQueue* m_Queue = nullptr;
  std::atomic<uint32_t> m_Finished{0};
  char* m_Name = nullptr;
  CThread* m_Owner;
  uint32_t m_OwnerThreadId;
  uint32_t m_Suspended = 1;
  void* m_Handle = nullptr;
  uint32_t m_ThreadId = 0;
  std::atomic<uint8_t> m_Terminate{0};
};
