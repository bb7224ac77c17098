#include "lib/foundation/threads/Thread.h"

#include <windows.h>
#include <process.h>

#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <memory>
#include <typeinfo>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/threads/MainThreadEventQueue.h"

namespace {

// The class name as written in the source rather than its mangled form.
CStr TypeName(const std::type_info& type) {
  int status = 0;
  char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  const CStr result(status == 0 && name != nullptr ? name : type.name());
  std::free(name);
  return result;
}

}  // namespace

CThread::CThread(CThread* owner, const char* name)
    : m_Owner(owner), m_OwnerThreadId(owner ? owner->GetThreadId() : g_Application.GetMainThreadId()) {
  // Everything that can fail comes before the system thread exists, so a
  // failure leaves nothing behind.
  std::unique_ptr<char[]> copy(new char[std::strlen(name) + 1]);
  std::strcpy(copy.get(), name);
  std::unique_ptr<CThreadEventQueue> queue(new CThreadEventQueue(0));
  unsigned id = 0;
  m_Handle = reinterpret_cast<void*>(_beginthreadex(nullptr, 0, Body, this, CREATE_SUSPENDED, &id));
  m_ThreadId = id;
  if (m_Handle == nullptr) {
    m_Terminate = 1;
    m_Finished = 1;
  }
  queue->SetOwnerThreadId(id);
  m_Name = copy.release();
  m_Queue = queue.release();
}

CThread::~CThread() {
  WaitForEnd();
  if (m_Handle != nullptr) CloseHandle(m_Handle);
  OwnerQueue()->Purge(this);
  td::Free(m_ErrorText);
  delete m_Queue;
  delete[] m_Name;
}

CThreadEventQueue* CThread::OwnerQueue() const {
  return m_Owner ? m_Owner->m_Queue : g_MainThreadEventQueue;
}

bool CThread::WaitForEnd(uint32_t timeout) {
  m_Terminate = 1;
  if (m_Finished || m_Handle == nullptr) return true;
  if (m_Suspended) Resume();
  return WaitForSingleObject(m_Handle, timeout) == WAIT_OBJECT_0;
}

void CThread::Resume() {
  if (m_Handle != nullptr) ResumeThread(m_Handle);
  m_Suspended = 0;
}

bool CThread::WaitFor(uint32_t timeout) {
  m_Terminate = 1;
  if (!m_Finished && m_Handle != nullptr) {
    if (m_Suspended) Resume();
    WaitForSingleObject(m_Handle, timeout);
  }
  OwnerQueue()->ProcessAll();
  return m_Finished.load() != 0;
}

void CThread::PostEvent(const SCallback& event) {
  if (GetCurrentThreadId() == m_OwnerThreadId) {
    reinterpret_cast<TThreadEventFunc>(event.Function)(event.Context, this);
    return;
  }
  OwnerQueue()->Post(event, this);
}

unsigned TD_STDCALL CThread::Body(void* self) {
  static_cast<CThread*>(self)->Run();
  return 0;
}

// A thread told to stop before it started skips Execute but still reports its
// end, so that an owner waiting for the terminate event is not left waiting.
void CThread::Run() {
  if (!m_Terminate) {
    m_Result = 0;
    try {
      Execute(m_Result);
    } catch (...) {
      CatchAndRecord();
    }
    m_Terminate = 1;
    m_Queue->ProcessAll();
  }
  // Posting may run out of memory; nothing may leave the thread body.
  try {
    if (m_ErrorText != nullptr && OnError.IsSet()) PostEvent(OnError);
    if (OnTerminate.IsSet()) PostEvent(OnTerminate);
  } catch (...) {
  }
  m_Finished = 1;
}

// Called inside a handler: turns the exception in flight into the error text.
void CThread::CatchAndRecord() {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      m_ErrorText = new CStr(CStr("Exception of type '") + TypeName(typeid(e)) + "': " +
                             e.what() + " in " + m_Name);
    } catch (const char* text) {
      m_ErrorText = new CStr(CStr("Exception of type 'char*': ") + text + " in " + m_Name);
    } catch (...) {
      m_ErrorText = new CStr(CStr("Unknown exception in ") + m_Name);
    }
  } catch (...) {
  }
  if (m_Result == 0) m_Result = 1;
}
