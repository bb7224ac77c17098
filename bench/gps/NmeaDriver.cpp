// The library's side of the NMEA benchmark as a whole process: reads a log
// file, parses it, reads every sentence with the six readers and hands it to
// an interpreter whose callbacks count the reports. Prints the counts.
#include <cstdio>
#include <fstream>
#include <vector>

#include "lib/gps/NmeaInterpreter.h"
#include "lib/gps/NmeaParser.h"
#include "tests/gps/NmeaRecordSet.h"

namespace {

struct SCounts {
  long sentences = 0, reports = 0;
};

struct SDriver {
  CNMEAInterpreter* interpreter;
  SCounts* counts;
};

void TD_STDCALL OnSentence(void* context, CNMEAParser*, CNMEASentence* sentence) {
  auto* driver = static_cast<SDriver*>(context);
  ++driver->counts->sentences;
  SNMEARecordSet records;
  records.Read(*sentence);
  driver->interpreter->OnSentence(sentence);
}

void TD_STDCALL CountPosition(void* c, const SGeo3D*, uint8_t, double, uint32_t*) {
  ++static_cast<SCounts*>(c)->reports;
}
void TD_STDCALL CountFloat(void* c, float, uint8_t, double) { ++static_cast<SCounts*>(c)->reports; }
void TD_STDCALL CountValue(void* c, uint32_t, uint8_t, double) {
  ++static_cast<SCounts*>(c)->reports;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: nmea_driver LOG\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary | std::ios::ate);
  std::vector<char> log(static_cast<size_t>(file.tellg()));
  file.seekg(0);
  file.read(log.data(), static_cast<std::streamsize>(log.size()));
  SCounts counts;
  CGPSClock clock;
  const SNMEAValueCallbacks callbacks{
      MakeCallback(&CountPosition, &counts), MakeCallback(&CountFloat, &counts),
      MakeCallback(&CountFloat, &counts),    MakeCallback(&CountValue, &counts),
      MakeCallback(&CountValue, &counts),    SCallback{}};
  CNMEAInterpreter interpreter(&clock, callbacks);
  interpreter.SetActive(1);
  SDriver driver{&interpreter, &counts};
  CNMEAParser parser(&OnSentence, &driver);
  // Chunks of 256 bytes, as the serial port's read thread delivers them.
  for (size_t at = 0; at < log.size(); at += 256) {
    const size_t length = log.size() - at < 256 ? log.size() - at : 256;
    parser.Parse(reinterpret_cast<const uint8_t*>(log.data() + at), static_cast<int32_t>(length),
                 at);
  }
  std::printf("%ld sentences, %ld reports\n", counts.sentences, counts.reports);
  return 0;
}
