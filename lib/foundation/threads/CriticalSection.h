// CCriticalSection: a recursive lock; the same thread may enter again.
#pragma once

class CCriticalSection {
 public:
  CCriticalSection();
  ~CCriticalSection();
  CCriticalSection(const CCriticalSection&) = delete;
  CCriticalSection& operator=(const CCriticalSection&) = delete;

  // Neither fails: the system lock is made in the constructor.
  void Enter() noexcept;
  void Leave() noexcept;

 private:
  void* handle_;  // the system lock, heap-allocated
};

// Holds a critical section for the life of a scope, on every path out of it.
class CCriticalSectionLock {
 public:
  explicit CCriticalSectionLock(CCriticalSection& section) : section_(section) { section_.Enter(); }
  ~CCriticalSectionLock() { section_.Leave(); }
  CCriticalSectionLock(const CCriticalSectionLock&) = delete;
  CCriticalSectionLock& operator=(const CCriticalSectionLock&) = delete;

 private:
  CCriticalSection& section_;
};
