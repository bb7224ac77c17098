// A parser's sentences, copied while the parser lends them, and a stepped
// time source for the interpreter and the clock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lib/foundation/time/DateTime.h"
#include "lib/gps/GpsTimeSource.h"
#include "lib/gps/NmeaParser.h"
#include "tests/gps/NmeaRecordSet.h"

struct SCapturedSentence : SNMEARecordSet {
  uint32_t Flags = 0, SentenceId = 0, TalkerId = 0, ListenerId = 0;
  uint64_t ReceiveTime = 0;
  std::string Talker, Formatter, Listener, MakerId;
  std::vector<std::string> Fields;
};

// Copies every sentence and its six records.
class CNMEACollector {
 public:
  CNMEACollector() : parser_(&CNMEACollector::OnSentence, this) {}

  void Parse(const std::string& bytes, uint64_t time = 7) {
    parser_.Parse(reinterpret_cast<const uint8_t*>(bytes.data()),
                  static_cast<int32_t>(bytes.size()), time);
  }
  const std::vector<SCapturedSentence>& Sentences() const { return sentences_; }
  CNMEAParser& Parser() { return parser_; }

 private:
  static void TD_STDCALL OnSentence(void* context, CNMEAParser*, CNMEASentence* s) {
    SCapturedSentence c;
    c.Flags = s->GetFlags();
    c.SentenceId = s->GetSentenceId();
    c.TalkerId = s->GetTalkerId();
    c.ListenerId = s->GetListenerId();
    c.ReceiveTime = s->GetReceiveTime();
    c.Talker = s->GetTalker();
    c.Formatter = s->GetFormatter();
    c.Listener = s->GetListener();
    c.MakerId = s->GetMakerId();
    for (int32_t i = 0; i < s->GetFieldCount(); ++i) c.Fields.emplace_back(s->GetField(i));
    c.Read(*s);
    static_cast<CNMEACollector*>(context)->sentences_.push_back(c);
  }

  CNMEAParser parser_;
  std::vector<SCapturedSentence> sentences_;
};

// A counter of milliseconds that moves only when told, and a UTC time that
// moves with it.
class CSteppedTimeSource : public CGpsTimeSource {
 public:
  explicit CSteppedTimeSource(double utcAtStart) : utcAtStart_(utcAtStart) {}
  uint64_t ReadCounter() const override { return counter_; }
  uint64_t GetCounterRate() const override { return 1000; }
  void GetUTC(SSystemTime& now) const override {
    DateTimeToSystemTime(now, utcAtStart_ + static_cast<double>(counter_) / 86400000.0);
  }
  void StepMs(uint64_t ms) { counter_ += ms; }
  void StepSeconds(double seconds) { counter_ += static_cast<uint64_t>(seconds * 1000 + 0.5); }

 private:
  double utcAtStart_;
  uint64_t counter_ = 1000;  // stamps of 0 mean "none" to the interpreter
};

// "$" + body + "*" + its XOR checksum + CR LF.
inline std::string NMEA(const std::string& body) {
  uint8_t sum = 0;
  for (char c : body) sum ^= static_cast<uint8_t>(c);
  static const char kHex[] = "0123456789ABCDEF";
  return "$" + body + "*" + kHex[sum >> 4] + kHex[sum & 15] + "\r\n";
}
