// The queue of the host's main thread: each posted event also posts message
// 0x2800 to a hidden window, whose procedure runs the queued events when the
// host's message loop dispatches it.
//
// The window belongs to the thread that loads the library (the thread that
// builds the application object, whose id GetMainThreadId gives): the host
// must load the library on the thread that runs its message loop. The window
// lives from load to unload, whichever thread makes the worker threads.
#pragma once

#include "lib/foundation/threads/ThreadEventQueue.h"

constexpr unsigned kThreadEventMessage = 0x2800;

class CMainThreadEventQueue : public CThreadEventQueue {
 public:
  CMainThreadEventQueue();
  ~CMainThreadEventQueue() override;

  void Post(const SCallback& event, CThread* sender) override;
  void* GetWindow() const { return m_Window; }

 private:
  void* m_Window = nullptr;
};

// The one main-thread queue and its window; built at load on the loading
// thread, freed by its clean-up.
extern CMainThreadEventQueue* g_MainThreadEventQueue;
void InitMainThreadEventQueue();

// The library's own module (the DLL, or the program it is linked into).
void* LibraryInstance();
