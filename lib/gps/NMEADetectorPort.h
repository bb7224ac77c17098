// One port of a detector search: its own serial port delivering to the
// search thread, its own parser, its settings in the order added, and the
// sentences counted with the current setting. Used on the search thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "lib/gps/CommPort.h"
#include "lib/gps/NMEADetector.h"
#include "lib/gps/NmeaParser.h"

class CNMEADetectorPort {
 public:
  CNMEADetectorPort(CNMEADetector& detector, CThread* thread, int32_t portNumber);
  CNMEADetectorPort(const CNMEADetectorPort&) = delete;
  CNMEADetectorPort& operator=(const CNMEADetectorPort&) = delete;

  int32_t GetPortNumber() const { return m_PortNumber; }
  void AddSetting(const SNMEADetectorSetting* setting) { m_Settings.push_back(setting); }
  bool IsDone() const { return m_Done; }
  bool IsOpen() const { return m_Open; }
  // The setting whose sentences counted, or null.
  const SNMEADetectorSetting* GetResult() const;

  // Closes an open port; the settings this settles: 1 for a setting that
  // counted nothing, else every setting from the current one on (the port is
  // then done with its result).
  int64_t Close();
  // Opens the next setting that opens; the settings that failed to open.
  // Done when none is left.
  int64_t OpenNext();

 private:
  static void TD_STDCALL ReceiveHandler(void* context);
  static void TD_STDCALL SentenceHandler(void* context, CNMEAParser* parser,
                                         CNMEASentence* sentence);

  CNMEADetector& m_Detector;
  int32_t m_PortNumber;
  int32_t m_Result = -1;
  int32_t m_Current = -1;
  bool m_Done = false;
  bool m_Open = false;
  std::map<std::pair<uint32_t, uint32_t>, int32_t> m_Counts;  // (talker, sentence) -> count
  std::vector<const SNMEADetectorSetting*> m_Settings;
  std::unique_ptr<CCommPort, void (*)(CCommPort*)> m_Port;
  std::unique_ptr<CNMEAParser, void (*)(CNMEAParser*)> m_Parser;
};
