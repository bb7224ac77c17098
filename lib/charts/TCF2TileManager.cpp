#include "lib/charts/TCF2TileManager.h"

#include <windows.h>

#include <new>

namespace {
constexpr DWORD kIdleWait = 50;
}

CTCF2TileManager::CTCF2TileManager(const char* name, const SCallback& onError)
    : CThread(nullptr, name) {
  if (IsFinished()) throw std::bad_alloc();  // the system could not start the thread
  m_Wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (m_Wake == nullptr) throw std::bad_alloc();
  OnError = onError;
  Resume();
}

CTCF2TileManager::~CTCF2TileManager() {
  WaitForEnd();
  CloseHandle(m_Wake);
}

// Nothing ends the loader but the destructor: whatever a load throws, its
// tile stays current and is read again.
void CTCF2TileManager::Execute(uint32_t&) {
  while (!IsTerminating()) {
    try {
      if (LoadNext()) continue;
    } catch (...) {
      PostponeLoad();
    }
    WaitForSingleObject(m_Wake, kIdleWait);
  }
}

void CTCF2TileManager::WakeLoader() { SetEvent(m_Wake); }

bool CTCF2TileManager::CalledByLoader() const { return GetCurrentThreadId() == GetThreadId(); }
