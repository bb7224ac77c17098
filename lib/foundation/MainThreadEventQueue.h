// The queue of the host's main thread: each posted event also posts message
// 0x2800 to a hidden window, whose procedure runs the queued events when the
// host's message loop dispatches it.
#pragma once

#include "lib/foundation/ThreadEventQueue.h"

constexpr unsigned kThreadEventMessage = 0x2800;

class CMainThreadEventQueue : public CThreadEventQueue {
 public:
  CMainThreadEventQueue();
  ~CMainThreadEventQueue() override;

  void Post(const SCallback& event, CThread* sender) override;
  // The hidden window exists while at least one reference is held.
  void AddRef();
  void Release();
  void* GetWindow() const { return m_Window; }

 private:
  uint32_t m_WindowUses = 0;
  void* m_Window = nullptr;
};

// The one main-thread queue; built at load, freed by its clean-up.
extern CMainThreadEventQueue* g_MainThreadEventQueue;
void InitMainThreadEventQueue();

// The library's own module (the DLL, or the program it is linked into).
void* LibraryInstance();
