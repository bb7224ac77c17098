#include "lib/foundation/threads/CriticalSection.h"

#include <mutex>

CCriticalSection::CCriticalSection() : handle_(new std::recursive_mutex) {}

CCriticalSection::~CCriticalSection() { delete static_cast<std::recursive_mutex*>(handle_); }

void CCriticalSection::Enter() { static_cast<std::recursive_mutex*>(handle_)->lock(); }

void CCriticalSection::Leave() { static_cast<std::recursive_mutex*>(handle_)->unlock(); }
