#include "lib/foundation/threads/ThreadEventQueue.h"

CThreadEventQueue::CThreadEventQueue(uint32_t ownerThreadId)
    : m_OwnerThreadId(ownerThreadId), m_Events(false) {}

CThreadEventQueue::~CThreadEventQueue() {
  for (int i = 0; i < m_Events.GetCount(); ++i) delete m_Events.GetAt(i);
}

void CThreadEventQueue::Post(const SCallback& event, CThread* sender) {
  SThreadEvent* queued = new SThreadEvent{
      reinterpret_cast<TThreadEventFunc>(event.Function), event.Context, sender};
  CCriticalSectionLock guard(m_Lock);
  m_Events.Add(queued);
}

bool CThreadEventQueue::ProcessOne() {
  SThreadEvent* event = nullptr;
  int count = 0;
  {
    CCriticalSectionLock guard(m_Lock);
    count = m_Events.GetCount();
    if (m_Busy || count == 0) return false;
    event = m_Events.GetAt(0);
    m_Events.Delete(0);
    m_Busy = 1;
  }
  // The event runs outside the lock; nothing it throws may leave the queue.
  try {
    event->Function(event->Context, event->Sender);
  } catch (...) {
  }
  m_Busy = 0;
  delete event;
  return count > 1;
}

void CThreadEventQueue::ProcessAll() {
  while (ProcessOne()) {
  }
}

void CThreadEventQueue::Purge(CThread* sender) {
  CCriticalSectionLock guard(m_Lock);
  for (int i = m_Events.GetCount() - 1; i >= 0; --i) {
    SThreadEvent* event = m_Events.GetAt(i);
    if (event->Sender != sender) continue;
    m_Events.Delete(i);
    delete event;
  }
}

int CThreadEventQueue::GetCount() {
  CCriticalSectionLock guard(m_Lock);
  return m_Events.GetCount();
}
