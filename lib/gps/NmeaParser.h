// CNMEAParser: turns a byte stream from a serial port into checked NMEA
// sentences. It takes chunks of any size, keeps its state between them and
// calls its sentence callback once per sentence that ended with carriage
// return and line feed, on the thread that calls Parse; the sentence is lent
// for the call, which may also reset, feed or delete the parser. A parser
// belongs to one thread at a time. It never fails: a byte that does not fit
// drops the sentence under way.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/core/Object.h"
#include "lib/gps/NmeaSentence.h"

class CNMEAParser;

// Called as function(context, parser, sentence).
typedef void(TD_STDCALL* TNMEASentenceFunc)(void* context, CNMEAParser* parser,
                                            CNMEASentence* sentence);

// The value of one or two hexadecimal digits (either case); 0 for other text.
uint32_t HexToInt(const char* text);

class CNMEAParser : public CObject {
 public:
  CNMEAParser(TNMEASentenceFunc function, void* context);
  ~CNMEAParser();

  TD_DELETE_THIS(CNMEAParser)
  // bytes points to count bytes; time is the chunk's receive stamp (library
  // clock ticks), which every sentence whose '$' is in the chunk carries.
  virtual void TD_STDCALL Parse(const uint8_t* bytes, int32_t count, uint64_t time);
  // Drops the sentence under way.
  virtual void TD_STDCALL Reset();

 private:
  enum EState : uint8_t {
    kWaitDollar,
    kTalker,
    kFormatter,
    kMakerId,
    kData,
    kEscape,
    kChecksum,
    kWaitCR,
    kWaitLF,
    kProprietaryData,
  };

  void HandleByte(uint8_t c, uint64_t time);
  // Each returns false when the byte drops the sentence.
  bool HandleAddress(uint8_t c);
  bool HandleData(uint8_t c);
  bool HandleProprietaryData(uint8_t c);
  bool HandleHexDigit(uint8_t c);
  void Deliver();
  void SetState(EState state);

  char digits_[3] = {};  // the first digit of an escape or of the checksum
  uint8_t checksum_ = 0;
  bool firstComma_ = true;
  SCallback onSentence_;
  EState previousState_ = kWaitDollar;
  EState state_ = kWaitDollar;
  int32_t length_ = 0;  // bytes since '$'
  CNMEASentence* sentence_ = nullptr;
  bool* deleted_ = nullptr;  // set by the destructor while Parse runs
};
