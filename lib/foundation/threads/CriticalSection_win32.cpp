#include "lib/foundation/threads/CriticalSection.h"

#include <windows.h>

CCriticalSection::CCriticalSection() : handle_(new CRITICAL_SECTION) {
  InitializeCriticalSection(static_cast<CRITICAL_SECTION*>(handle_));
}

CCriticalSection::~CCriticalSection() {
  DeleteCriticalSection(static_cast<CRITICAL_SECTION*>(handle_));
  delete static_cast<CRITICAL_SECTION*>(handle_);
}

void CCriticalSection::Enter() noexcept {
  EnterCriticalSection(static_cast<CRITICAL_SECTION*>(handle_));
}

void CCriticalSection::Leave() noexcept {
  LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(handle_));
}
