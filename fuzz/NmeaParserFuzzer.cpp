// Feeds arbitrary bytes to the NMEA parser in chunks that the input chooses,
// reads every sentence with the six readers and hands it to an interpreter.
// Input: a count byte n (0..7), n chunk lengths, then the stream; what the
// lengths do not cover is one last chunk. Every sentence must stay within
// the sentence cap, and memory stays bounded (the test runs with a low
// -malloc_limit_mb).
#include <cstdint>
#include <cstdlib>

#include "lib/geodesy/Geodetics.h"
#include "lib/gps/NmeaInterpreter.h"
#include "lib/gps/NmeaParser.h"
#include "tests/gps/NmeaRecordSet.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckBounds(CNMEASentence& sentence) {
  int32_t total = 0;
  for (int32_t i = 0; i < sentence.GetFieldCount(); ++i) {
    const int32_t length = static_cast<int32_t>(sentence.GetField(i).size());
    if (!(sentence.GetFlags() & kNMEAProprietary)) Check(length <= CNMEASentence::kMaxFieldLength);
    total += length;
  }
  Check(sentence.GetFieldCount() <= CNMEASentence::kMaxLength);
  Check(total <= CNMEASentence::kMaxLength);
  Check(sentence.GetTalker().size() <= 2 && sentence.GetFormatter().size() <= 3);
}

void TD_STDCALL OnSentence(void* context, CNMEAParser*, CNMEASentence* sentence) {
  CheckBounds(*sentence);
  SNMEARecordSet records;
  records.Read(*sentence);
  Check(records.GSA.IdCount <= 12 && records.GGA.Time.Hour < 24 &&
        records.RMC.Time.Millisecond < 1000);
  Check(!records.RMC.LatitudeValid || (records.RMC.Latitude >= -90 && records.RMC.Latitude <= 90));
  static_cast<CNMEAInterpreter*>(context)->OnSentence(sentence);
}

void TD_STDCALL OnPosition(void*, const SGeo3D* position, uint8_t valid, double, uint32_t*) {
  Check(valid == 1 && position->h == 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CGPSClock clock;
  SNMEAValueCallbacks callbacks{};
  callbacks.Position = MakeCallback(&OnPosition, nullptr);
  CNMEAInterpreter interpreter(&clock, callbacks);
  interpreter.SetActive(1);
  CNMEAParser parser(&OnSentence, &interpreter);
  size_t at = 0;
  const size_t chunks = size > 0 ? data[at++] % 8 : 0;
  const uint8_t* lengths = data + at;
  at = at + chunks < size ? at + chunks : size;
  for (size_t i = 0; i < chunks && at < size; ++i) {
    const size_t length = lengths[i] < size - at ? lengths[i] : size - at;
    parser.Parse(data + at, static_cast<int32_t>(length), i);
    at += length;
  }
  parser.Parse(data + at, static_cast<int32_t>(size - at), chunks);
  interpreter.Poll();
  return 0;
}
