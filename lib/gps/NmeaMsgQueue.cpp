#include "lib/gps/NmeaMsgQueue.h"

#include <memory>

float NMEAInterval(double earlier, double later) {
  const float seconds = static_cast<float>((later - earlier) * 86400.0);
  return seconds < 0.01f ? -1.0f : seconds;
}

CNMEAMsgQueue::CNMEAMsgQueue(float timeout) : timeout_(timeout) {}

SNMEAMsg* TD_STDCALL CNMEAMsgQueue::GetItem(int32_t index) {
  return index >= 0 && index < items_.GetCount() ? items_[index] : nullptr;
}

int32_t TD_STDCALL CNMEAMsgQueue::GetCount() { return items_.GetCount(); }
uint32_t TD_STDCALL CNMEAMsgQueue::GetCurrentType() { return currentType_; }
uint32_t TD_STDCALL CNMEAMsgQueue::GetCurrentTalker() { return currentTalker_; }

void CNMEAMsgQueue::Purge(double time) { PurgeNMEAEntries(items_, timeout_, time); }

SNMEAReport CNMEAMsgQueue::Update(uint32_t talker, uint32_t type, double time) {
  Purge(time);
  SNMEAReport report{-1.0f, -1.0f, false};
  SNMEAMsg* entry = FindNMEAEntry(items_, talker, type);
  if (entry) report.Interval = NMEAInterval(entry->Time, time);
  if (const SNMEAMsg* current =
          currentType_ ? FindNMEAEntry(items_, currentTalker_, currentType_) : nullptr) {
    report.CurrentInterval = NMEAInterval(current->Time, time);
    if (current->Interval > report.CurrentInterval) report.CurrentInterval = current->Interval;
  }
  if (!entry) {
    auto added = std::make_unique<SNMEAMsg>(SNMEAMsg{time, talker, type, -1.0f});
    items_.Add(added.get());
    entry = added.release();
  }
  entry->Time = time;
  entry->Interval = report.Interval;
  report.IsCurrent = report.CurrentInterval == -1.0f || currentType_ == 0 ||
                     (talker == currentTalker_ && type == currentType_);
  return report;
}

void CNMEAMsgQueue::SetCurrent(uint32_t talker, uint32_t type) {
  currentTalker_ = talker;
  currentType_ = type;
}

bool CNMEAMsgQueue::HasType(uint32_t type, double time) {
  Purge(time);
  for (int32_t i = 0; i < items_.GetCount(); ++i)
    if (items_[i]->Type == type) return true;
  return false;
}

void CNMEAMsgQueue::Clear() {
  items_.Clear();
  SetCurrent(0, 0);
}
