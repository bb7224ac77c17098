#include "lib/foundation/threads/CriticalSection.h"

#include <mutex>

CCriticalSection::CCriticalSection() : handle_(new std::recursive_mutex) {}

CCriticalSection::~CCriticalSection() { delete static_cast<std::recursive_mutex*>(handle_); }

void CCriticalSection::Enter() noexcept { static_cast<std::recursive_mutex*>(handle_)->lock(); }

void CCriticalSection::Leave() noexcept { static_cast<std::recursive_mutex*>(handle_)->unlock(); }
