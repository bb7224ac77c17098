#include "lib/foundation/threads/CriticalSection.h"

#include <windows.h>

CCriticalSection::CCriticalSection() : handle_(new CRITICAL_SECTION) {
  InitializeCriticalSection(static_cast<CRITICAL_SECTION*>(handle_));
}

CCriticalSection::~CCriticalSection() {
  DeleteCriticalSection(static_cast<CRITICAL_SECTION*>(handle_));
  delete static_cast<CRITICAL_SECTION*>(handle_);
}

void CCriticalSection::Enter() { EnterCriticalSection(static_cast<CRITICAL_SECTION*>(handle_)); }

void CCriticalSection::Leave() { LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(handle_)); }
