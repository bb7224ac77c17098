// The worker of one detector search, named "NMEADetector": opens every port
// with its next setting, listens, counts, and moves on until each port has a
// result or has tried all its settings. The serial ports deliver to this
// thread's own queue, which the listen loop runs. Created and destroyed by
// the detector on the host's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "lib/foundation/threads/Thread.h"
#include "lib/gps/NMEADetectorPort.h"

class CNMEADetector;

class CNMEADetectorThread : public CThread {
 public:
  // Suspended, with one port per distinct port number of the settings.
  explicit CNMEADetectorThread(CNMEADetector& detector);
  ~CNMEADetectorThread() override;  // waits for the search to end

  // Ends the search after the current step (any thread).
  void RequestStop() { m_Stop = true; }
  // The ports' results, last port first; after the thread has ended.
  std::vector<SNMEADetectorSetting> Results() const;

 protected:
  void Execute(uint32_t& result) override;

 private:
  // Where a round of listening stands in the search, in settings.
  struct SSearchShare {
    int64_t Settled;  // before the round
    int64_t Open;     // listened to in the round
    int64_t Total;
    // Percent done after the share listened (0 to below 1) of the round.
    float Percent(double listened) const;
  };

  // One round: every port steps to its next setting; the ports open.
  int64_t StepPorts(int64_t& remaining);
  void Listen(const SSearchShare& share);
  void CloseAll(int64_t& remaining);

  CNMEADetector& m_Detector;
  std::vector<std::unique_ptr<CNMEADetectorPort>> m_Ports;
  std::atomic<bool> m_Stop{false};
};
