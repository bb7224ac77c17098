#include "lib/gps/NMEADetector.h"

#include <algorithm>
#include <cmath>

#include "lib/foundation/exports/Guard.h"
#include "lib/gps/NMEADetectorThread.h"

namespace {

void AddSorted(std::vector<uint32_t>& ids, uint32_t id) {
  const auto at = std::lower_bound(ids.begin(), ids.end(), id);
  if (at == ids.end() || *at != id) ids.insert(at, id);
}

bool Passes(const std::vector<uint32_t>& filter, uint32_t id) {
  return filter.empty() || std::binary_search(filter.begin(), filter.end(), id);
}

template <class T>
T At(const std::vector<T>& items, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < items.size() ? items[index] : T();
}

}  // namespace

CNMEADetector::CNMEADetector() = default;

// The search ends without the lock held (its thread takes it to count), and
// deleting the thread drops the progress and completion events it posted.
CNMEADetector::~CNMEADetector() {
  CNMEADetectorThread* thread = nullptr;
  {
    CCriticalSectionLock guard(m_Lock);
    std::swap(thread, m_Thread);
    if (thread) thread->RequestStop();
  }
  delete thread;
}

void TD_STDCALL CNMEADetector::AddSetting(int32_t port, int32_t baudRate, uint8_t dataBits,
                                          int32_t stopBits, int32_t parity, int32_t handshake) {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(m_Lock);
    if (!m_Running) m_Settings.push_back({port, baudRate, dataBits, stopBits, parity, handshake});
  });
}

void TD_STDCALL CNMEADetector::AddTalkerFilter(uint32_t talker) {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(m_Lock);
    if (!m_Running) AddSorted(m_TalkerFilter, talker);
  });
}

void TD_STDCALL CNMEADetector::AddSentenceFilter(uint32_t sentence) {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(m_Lock);
    if (!m_Running) AddSorted(m_SentenceFilter, sentence);
  });
}

void TD_STDCALL CNMEADetector::Stop() {
  CCriticalSectionLock guard(m_Lock);
  if (!m_Running) return;
  m_StopRequested = true;
  m_Thread->RequestStop();
}

void TD_STDCALL CNMEADetector::GetResult(int32_t index, SNMEADetectorSetting* setting,
                                         uint32_t* value) {
  CCriticalSectionLock guard(m_Lock);
  if (setting) *setting = At(m_Results, index);
  if (value) *value = 0;
}

int32_t TD_STDCALL CNMEADetector::GetResultCount() {
  CCriticalSectionLock guard(m_Lock);
  return m_Running ? 0 : static_cast<int32_t>(m_Results.size());
}

bool TD_STDCALL CNMEADetector::IsStopped() {
  CCriticalSectionLock guard(m_Lock);
  return m_StopRequested;
}

uint32_t TD_STDCALL CNMEADetector::GetTalkerFilter(int32_t index) {
  CCriticalSectionLock guard(m_Lock);
  return At(m_TalkerFilter, index);
}

int32_t TD_STDCALL CNMEADetector::GetTalkerFilterCount() {
  CCriticalSectionLock guard(m_Lock);
  return static_cast<int32_t>(m_TalkerFilter.size());
}

float TD_STDCALL CNMEADetector::GetProgress() {
  CCriticalSectionLock guard(m_Lock);
  return m_Progress;
}

bool TD_STDCALL CNMEADetector::IsRunning() {
  CCriticalSectionLock guard(m_Lock);
  return m_Running;
}

uint32_t TD_STDCALL CNMEADetector::GetSentenceFilter(int32_t index) {
  CCriticalSectionLock guard(m_Lock);
  return At(m_SentenceFilter, index);
}

int32_t TD_STDCALL CNMEADetector::GetSentenceFilterCount() {
  CCriticalSectionLock guard(m_Lock);
  return static_cast<int32_t>(m_SentenceFilter.size());
}

const SNMEADetectorSetting* TD_STDCALL CNMEADetector::GetSetting(int32_t index) {
  CCriticalSectionLock guard(m_Lock);
  const bool valid = index >= 0 && static_cast<size_t>(index) < m_Settings.size();
  return valid ? &m_Settings[index] : nullptr;
}

int32_t TD_STDCALL CNMEADetector::GetSettingCount() {
  CCriticalSectionLock guard(m_Lock);
  return static_cast<int32_t>(m_Settings.size());
}

float TD_STDCALL CNMEADetector::GetListenTime() { return ListenTime(); }

void TD_STDCALL CNMEADetector::SetOnFinished(TNMEADetectorFunc function, void* context) {
  CCriticalSectionLock guard(m_Lock);
  if (!m_Running) m_OnFinished = MakeCallback(function, context);
}

void TD_STDCALL CNMEADetector::SetOnProgress(TNMEADetectorFunc function, void* context) {
  CCriticalSectionLock guard(m_Lock);
  if (!m_Running) m_OnProgress = MakeCallback(function, context);
}

void TD_STDCALL CNMEADetector::SetListenTime(float seconds) {
  CCriticalSectionLock guard(m_Lock);
  if (!m_Running && std::isfinite(seconds) && seconds >= 0) m_ListenTime = seconds;
}

void TD_STDCALL CNMEADetector::Start(uint8_t stopAtFirst) {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(m_Lock);
    if (m_Running) return;
    m_Results.clear();
    m_StopRequested = m_Found = false;
    m_StopAtFirst = stopAtFirst != 0;
    m_Progress = 0;
    if (m_Settings.empty()) return;
    CNMEADetectorThread* thread = nullptr;
    try {
      thread = new CNMEADetectorThread(*this);
    } catch (...) {  // no thread, no search
      return;
    }
    if (thread->IsFinished()) {  // the system could not start it
      delete thread;
      return;
    }
    m_Thread = thread;
    m_Running = true;
    m_Thread->OnTerminate = MakeCallback(CompletionEvent, this);
    m_Thread->Resume();
  });
}

bool CNMEADetector::Counts(uint32_t talker, uint32_t sentence) {
  CCriticalSectionLock guard(m_Lock);
  if (!Passes(m_TalkerFilter, talker) || !Passes(m_SentenceFilter, sentence)) return false;
  if (!m_StopAtFirst) return true;
  const bool first = !m_Found;
  m_Found = true;
  return first;
}

bool CNMEADetector::FoundFirst() {
  CCriticalSectionLock guard(m_Lock);
  return m_StopAtFirst && m_Found;
}

float CNMEADetector::ListenTime() {
  CCriticalSectionLock guard(m_Lock);
  return m_ListenTime;
}

void CNMEADetector::ReportProgress(CThread& thread, float percent, bool post) {
  bool callback;
  {
    CCriticalSectionLock guard(m_Lock);
    m_Progress = percent;
    callback = m_OnProgress.IsSet();
  }
  if (post && callback) thread.PostEvent(MakeCallback(ProgressEvent, this));
}

// Host thread. The host may delete the detector inside its callback.
void CNMEADetector::ProgressEvent(void* context, CThread*) {
  CNMEADetector* self = static_cast<CNMEADetector*>(context);
  const SCallback callback = self->m_OnProgress;
  if (callback.IsSet())
    reinterpret_cast<TNMEADetectorFunc>(callback.Function)(callback.Context, self);
}

// The results are taken before anything changes: without memory for them the
// search ends with none, and the detector is idle again either way.
void CNMEADetector::CompletionEvent(void* context, CThread*) {
  CNMEADetector* self = static_cast<CNMEADetector*>(context);
  SCallback callback;
  CNMEADetectorThread* thread;
  std::vector<SNMEADetectorSetting> results;
  {
    CCriticalSectionLock guard(self->m_Lock);
    thread = self->m_Thread;
    try {
      results = thread->Results();
    } catch (...) {  // no memory for them: no results
    }
    self->m_Thread = nullptr;
    self->m_Results.swap(results);
    self->m_Running = false;
    callback = self->m_OnFinished;
  }
  delete thread;
  if (callback.IsSet())
    reinterpret_cast<TNMEADetectorFunc>(callback.Function)(callback.Context, self);
}
