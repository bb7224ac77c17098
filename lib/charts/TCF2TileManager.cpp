#include "lib/charts/TCF2TileManager.h"

#include <windows.h>

#include <new>

namespace {
constexpr DWORD kIdleWait = 50;
}

CTCF2TileManager::CTCF2TileManager(const char* name, const SCallback& onError)
    : CThread(nullptr, name), m_Wake(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  if (m_Wake == nullptr) throw std::bad_alloc();
  OnError = onError;
  Resume();
}

CTCF2TileManager::~CTCF2TileManager() {
  WaitForEnd();
  CloseHandle(m_Wake);
}

void CTCF2TileManager::Execute(uint32_t&) {
  while (!IsTerminating())
    if (!LoadNext()) WaitForSingleObject(m_Wake, kIdleWait);
}

void CTCF2TileManager::WakeLoader() { SetEvent(m_Wake); }

bool CTCF2TileManager::CalledByLoader() const { return GetCurrentThreadId() == GetThreadId(); }
