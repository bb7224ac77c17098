#include "lib/gps/NMEADetectorThread.h"

#include <windows.h>

#include <algorithm>

#include "lib/foundation/Clock.h"
#include "lib/gps/NMEADetector.h"

namespace {

constexpr DWORD kListenSleepMs = 50;
constexpr double kProgressInterval = 0.25;  // s

}  // namespace

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

void CNMEADetectorThread::Execute(uint32_t& result) {
  result = 0;
  m_Detector.ReportProgress(*this, 0.0f, true);
  int64_t remaining = static_cast<int64_t>(m_Detector.Settings().size());
  while (remaining != 0 && !m_Detector.FoundFirst() && !m_Stop) {
    double base = 1.0, step = 0.0;
    if (StepPorts(remaining, base, step)) Listen(base, step);
  }
  CloseAll(remaining);
  if (!m_Stop) m_Detector.ReportProgress(*this, 100.0f, true);
}

bool CNMEADetectorThread::StepPorts(int64_t& remaining, double& base, double& step) {
  bool anyOpen = false;
  for (auto it = m_Ports.rbegin(); it != m_Ports.rend(); ++it) {
    CNMEADetectorPort& port = **it;
    if (port.IsDone()) continue;
    remaining -= port.Close();
    remaining -= port.OpenNext();
    anyOpen = anyOpen || port.IsOpen();
    if (!port.IsDone() && port.Progress() < base) {
      base = port.Progress();
      step = port.Step();
    }
  }
  return anyOpen;
}

void CNMEADetectorThread::Listen(double base, double step) {
  const double listenTime = m_Detector.ListenTime();
  const double secondsPerTick = GetClockSecondsPerTick();
  const uint64_t start = ReadClock();
  double elapsed = 0, lastReport = 0;
  while (elapsed < listenTime && !m_Detector.FoundFirst() && !m_Stop) {
    ProcessEvents();
    Sleep(kListenSleepMs);
    elapsed = static_cast<double>(ReadClock() - start) * secondsPerTick;
    const double share = listenTime > 0 ? std::min(1.0, elapsed / listenTime) : 1.0;
    const bool post = elapsed - lastReport > kProgressInterval;
    if (post) lastReport = elapsed;
    m_Detector.ReportProgress(*this, static_cast<float>((share * step + base) * 100.0), post);
  }
}

void CNMEADetectorThread::CloseAll(int64_t& remaining) {
  for (auto it = m_Ports.rbegin(); it != m_Ports.rend(); ++it) remaining -= (*it)->Close();
}
