// Events posted from any thread and run, one at a time, on the thread that
// owns the queue.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Callback.h"
#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/containers/List.h"

class CThread;

// The function of a thread event, called as function(context, sender).
typedef void (*TThreadEventFunc)(void* context, CThread* sender);

struct SThreadEvent {
  TThreadEventFunc Function;
  void* Context;
  CThread* Sender;
};

class CThreadEventQueue {
 public:
  // Runs its events on the thread with that id.
  explicit CThreadEventQueue(uint32_t ownerThreadId);
  virtual ~CThreadEventQueue();  // drops the events still queued
  CThreadEventQueue(const CThreadEventQueue&) = delete;
  CThreadEventQueue& operator=(const CThreadEventQueue&) = delete;

  virtual void Post(const SCallback& event, CThread* sender);
  // Runs the first event unless one is running already; whether more wait.
  bool ProcessOne();
  void ProcessAll();
  // Drops the events of a sender that is going away.
  void Purge(CThread* sender);
  uint32_t GetOwnerThreadId() const { return m_OwnerThreadId; }
  // For a queue made before its thread exists; before anything is posted.
  void SetOwnerThreadId(uint32_t id) { m_OwnerThreadId = id; }
  int GetCount();

 protected:
  CCriticalSection m_Lock;

 private:
  uint32_t m_Busy = 0;
  uint32_t m_OwnerThreadId;
  CList<SThreadEvent> m_Events;
};
