#include "lib/gps/NMEADetectorThread.h"

#include <windows.h>

#include <algorithm>

#include "lib/foundation/time/Clock.h"
#include "lib/gps/NMEADetector.h"

namespace {

constexpr DWORD kListenSleepMs = 50;
constexpr double kProgressInterval = 0.25;  // s

}  // namespace

float CNMEADetectorThread::SSearchShare::Percent(double listened) const {
  const double done = static_cast<double>(Settled) + listened * static_cast<double>(Open);
  return static_cast<float>(done / static_cast<double>(Total) * 100.0);
}

CNMEADetectorThread::CNMEADetectorThread(CNMEADetector& detector)
    : CThread(nullptr, "NMEADetector"), m_Detector(detector) {
  for (const SNMEADetectorSetting& setting : detector.Settings()) {
    auto same = [&](const auto& port) { return port->GetPortNumber() == setting.Port; };
    auto it = std::find_if(m_Ports.begin(), m_Ports.end(), same);
    if (it == m_Ports.end())
      it = m_Ports.insert(m_Ports.end(),
                          std::make_unique<CNMEADetectorPort>(detector, this, setting.Port));
    (*it)->AddSetting(&setting);
  }
}

// The ports close on this thread before it ends; they only need it gone.
CNMEADetectorThread::~CNMEADetectorThread() { WaitForEnd(); }

std::vector<SNMEADetectorSetting> CNMEADetectorThread::Results() const {
  std::vector<SNMEADetectorSetting> results;
  for (auto it = m_Ports.rbegin(); it != m_Ports.rend(); ++it)
    if (const SNMEADetectorSetting* result = (*it)->GetResult()) results.push_back(*result);
  return results;
}

// Progress counts settings: those settled (tried without a sentence, failed
// to open, or left untried behind a port's result) and, while listening, the
// share of the listen time of those open. It reaches 100 % only when the
// search has ended.
void CNMEADetectorThread::Execute(uint32_t& result) {
  result = 0;
  m_Detector.ReportProgress(*this, 0.0f, true);
  const int64_t total = static_cast<int64_t>(m_Detector.Settings().size());
  int64_t remaining = total;
  while (remaining != 0 && !m_Detector.FoundFirst() && !m_Stop) {
    const int64_t open = StepPorts(remaining);
    if (open > 0) Listen(SSearchShare{total - remaining, open, total});
  }
  CloseAll(remaining);
  if (!m_Stop) m_Detector.ReportProgress(*this, 100.0f, true);
}

int64_t CNMEADetectorThread::StepPorts(int64_t& remaining) {
  int64_t open = 0;
  for (auto it = m_Ports.rbegin(); it != m_Ports.rend(); ++it) {
    CNMEADetectorPort& port = **it;
    if (port.IsDone()) continue;
    remaining -= port.Close();
    remaining -= port.OpenNext();
    if (port.IsOpen()) ++open;
  }
  return open;
}

// The round's listen ends before its share is complete: its settings count
// as settled only once the next step has closed them.
void CNMEADetectorThread::Listen(const SSearchShare& share) {
  const double listenTime = m_Detector.ListenTime();
  const double secondsPerTick = GetClockSecondsPerTick();
  const uint64_t start = ReadClock();
  double elapsed = 0, lastReport = 0;
  while (elapsed < listenTime && !m_Detector.FoundFirst() && !m_Stop) {
    ProcessEvents();
    Sleep(kListenSleepMs);
    elapsed = static_cast<double>(ReadClock() - start) * secondsPerTick;
    if (elapsed >= listenTime) break;
    const bool post = elapsed - lastReport > kProgressInterval;
    if (post) lastReport = elapsed;
    m_Detector.ReportProgress(*this, share.Percent(elapsed / listenTime), post);
  }
}

void CNMEADetectorThread::CloseAll(int64_t& remaining) {
  for (auto it = m_Ports.rbegin(); it != m_Ports.rend(); ++it) remaining -= (*it)->Close();
}
