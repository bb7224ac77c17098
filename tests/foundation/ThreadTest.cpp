#include "lib/foundation/threads/Thread.h"

#include <windows.h>
// After windows.h.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/threads/MainThreadEventQueue.h"
#include "lib/foundation/threads/Timer.h"
#include "tests/AllocationSeam.h"

namespace {

// What the events saw, in the order they ran.
struct SLog {
  std::vector<int> Values;
  std::vector<DWORD> Threads;
};

struct SEventArg {
  SLog* Log;
  int Value;
};

void Record(void* context, CThread*) {
  const SEventArg* arg = static_cast<SEventArg*>(context);
  arg->Log->Values.push_back(arg->Value);
  arg->Log->Threads.push_back(GetCurrentThreadId());
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Waits without pumping, so that no event can run meanwhile.
void WaitUntilFinished(const CThread& thread) {
  for (int i = 0; i < 5000 && !thread.IsFinished(); ++i) Sleep(1);
  ASSERT_TRUE(thread.IsFinished());
}

// Posts its events, one per value; with Forever it keeps posting until told to stop.
class CPoster : public CThread {
 public:
  CPoster(CThread* owner, std::vector<SEventArg>& args, bool forever = false)
      : CThread(owner, "poster"), m_Args(args), m_Forever(forever) {}
  ~CPoster() override { WaitForEnd(); }

 protected:
  void Execute(uint32_t&) override {
    do {
      for (SEventArg& arg : m_Args) PostEvent(MakeCallback(Record, &arg));
      Sleep(1);
    } while (m_Forever && !IsTerminating());
  }

 private:
  std::vector<SEventArg>& m_Args;
  bool m_Forever;
};

std::vector<SEventArg> Args(SLog& log, int count) {
  std::vector<SEventArg> args;
  for (int i = 0; i < count; ++i) args.push_back({&log, i});
  return args;
}

TEST(Thread, EventsRunOnlyWhenTheMainThreadPumps) {
  SLog log;
  std::vector<SEventArg> args = Args(log, 5);
  CPoster thread(nullptr, args);
  thread.Resume();
  WaitUntilFinished(thread);
  EXPECT_TRUE(log.Values.empty());
  PumpMessages();
  EXPECT_EQ(log.Values, (std::vector<int>{0, 1, 2, 3, 4}));
  for (DWORD id : log.Threads) EXPECT_EQ(id, GetCurrentThreadId());
}

TEST(Thread, DeletingAThreadDropsItsPendingEvents) {
  SLog log;
  std::vector<SEventArg> args = Args(log, 3);
  auto finished = std::make_unique<CPoster>(nullptr, args);
  finished->Resume();
  WaitUntilFinished(*finished);
  auto running = std::make_unique<CPoster>(nullptr, args, true);
  running->Resume();
  Sleep(20);
  running.reset();  // still posting: waited for, then purged
  finished.reset();
  PumpMessages();
  EXPECT_TRUE(log.Values.empty());
  EXPECT_EQ(g_MainThreadEventQueue->GetCount(), 0);
}

TEST(Thread, PostEventOnTheOwnerThreadRunsAtOnce) {
  SLog log;
  std::vector<SEventArg> args = Args(log, 1);
  CPoster thread(nullptr, args);
  SEventArg arg = {&log, 42};
  thread.PostEvent(MakeCallback(Record, &arg));
  EXPECT_EQ(log.Values, std::vector<int>{42});
}

void CountTerminate(void* context, CThread*) { ++*static_cast<int*>(context); }

TEST(Thread, WaitForBeforeResumeSkipsExecuteButReportsTheEnd) {
  SLog log;
  std::vector<SEventArg> args = Args(log, 2);
  CPoster thread(nullptr, args);
  int terminated = 0;
  thread.OnTerminate = MakeCallback(CountTerminate, &terminated);
  EXPECT_TRUE(thread.WaitFor(5000));
  EXPECT_TRUE(log.Values.empty());
  EXPECT_EQ(terminated, 1);
}

template <typename Thrown>
class CThrower : public CThread {
 public:
  CThrower(Thrown thrown, SLog& log) : CThread(nullptr, "T"), m_Thrown(thrown) {
    m_Args = {{&log, 1}, {&log, 2}};
    OnError = MakeCallback(Record, &m_Args[0]);
    OnTerminate = MakeCallback(Record, &m_Args[1]);
  }
  ~CThrower() override { WaitForEnd(); }

 protected:
  void Execute(uint32_t&) override { throw m_Thrown; }

 private:
  Thrown m_Thrown;
  std::vector<SEventArg> m_Args;
};

// WaitFor asks the thread to stop: called at once after Resume, it may stop
// the thread before Execute starts. So these wait for the end first.
TEST(Thread, ExceptionsBecomeTheErrorTextAndEvents) {
  SLog log;
  CThrower<CStreamError> thread(CStreamError("X"), log);
  thread.Resume();
  WaitUntilFinished(thread);
  EXPECT_TRUE(log.Values.empty());
  EXPECT_TRUE(thread.WaitFor(5000));
  ASSERT_NE(thread.GetErrorText(), nullptr);
  EXPECT_EQ(*thread.GetErrorText(), CStr("Exception of type 'CStreamError': X in T"));
  EXPECT_EQ(thread.GetResult(), 1u);
  EXPECT_EQ(log.Values, (std::vector<int>{1, 2}));

  CThrower<const char*> text("plain", log);
  text.Resume();
  WaitUntilFinished(text);
  EXPECT_EQ(*text.GetErrorText(), CStr("Exception of type 'char*': plain in T"));
  CThrower<int> other(7, log);
  other.Resume();
  WaitUntilFinished(other);
  EXPECT_EQ(*other.GetErrorText(), CStr("Unknown exception in T"));
}

// A worker that owns a worker: the child's events run on the parent's thread.
class CParent : public CThread {
 public:
  explicit CParent(SLog& log) : CThread(nullptr, "parent"), m_Args(Args(log, 3)) {}
  ~CParent() override { WaitForEnd(); }

 protected:
  void Execute(uint32_t& result) override {
    CPoster child(this, m_Args);
    child.Resume();
    while (!child.IsFinished()) Sleep(1);
    result = child.WaitFor(5000) ? 5 : 6;
  }

 private:
  std::vector<SEventArg> m_Args;
};

TEST(Thread, WorkerOwnersRunTheirChildrensEvents) {
  SLog log;
  CParent parent(log);
  parent.Resume();
  WaitUntilFinished(parent);
  EXPECT_EQ(parent.GetResult(), 5u);
  EXPECT_EQ(log.Values, (std::vector<int>{0, 1, 2}));
  for (DWORD id : log.Threads) EXPECT_EQ(id, parent.GetThreadId());
}

bool QueueClassRegistered() {
  WNDCLASSA info;
  return GetClassInfoA(static_cast<HINSTANCE>(LibraryInstance()), "CThreadEventQueue", &info);
}

TEST(Thread, HiddenWindowBelongsToTheLoadingThreadFromLoadToUnload) {
  HWND window = static_cast<HWND>(g_MainThreadEventQueue->GetWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  EXPECT_TRUE(QueueClassRegistered());
  std::vector<SEventArg> none;
  { CPoster poster(nullptr, none); }
  EXPECT_EQ(g_MainThreadEventQueue->GetWindow(), window);
  EXPECT_TRUE(IsWindow(window));
}

// A worker made on another thread still reports to the thread that pumps.
TEST(Thread, OwnerlessThreadsMadeElsewhereReportToTheMainThread) {
  SLog log;
  std::vector<SEventArg> args = Args(log, 3);
  std::unique_ptr<CPoster> poster;
  std::thread maker([&] { poster = std::make_unique<CPoster>(nullptr, args); });
  maker.join();
  poster->Resume();
  WaitUntilFinished(*poster);
  PumpMessages();
  EXPECT_EQ(log.Values, (std::vector<int>{0, 1, 2}));
  for (DWORD thread : log.Threads) EXPECT_EQ(thread, GetCurrentThreadId());
}

int CountProcessThreads() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

TEST(Thread, AFailedAllocationInTheConstructorLeavesNoThread) {
  std::vector<SEventArg> none;
  const int before = CountProcessThreads();
  int failures = 0;
  for (int allocation = 0; allocation < 8; ++allocation) {
    td::test::ArmAllocationFailure(allocation);
    try {
      CPoster poster(nullptr, none);
    } catch (const std::bad_alloc&) {
      ++failures;
    }
    td::test::DisarmAllocationFailure();
  }
  EXPECT_GE(failures, 2);  // the name and the event queue at least
  EXPECT_EQ(CountProcessThreads(), before);
}

void Tick(void* context, CTimer*) { ++*static_cast<int*>(context); }

TEST(Timer, FiresWhileTheThreadPumps) {
  int ticks = 0;
  CTimer timer;
  timer.SetInterval(10);
  timer.SetCallback(MakeCallback(Tick, &ticks));
  const DWORD start = GetTickCount();
  while (ticks < 3 && GetTickCount() - start < 5000) {
    PumpMessages();
    Sleep(1);
  }
  EXPECT_GE(ticks, 3);
  timer.SetEnabled(false);
  PumpMessages();
  const int stopped = ticks;
  Sleep(50);
  PumpMessages();
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
