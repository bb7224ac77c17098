// CNMEASentence: one NMEA 0183 sentence as the parser assembled it: address,
// flags, data fields and the time stamp of the chunk that held its '$'.
// The parser lends it to its sentence callback and deletes it right after,
// so a consumer copies what it needs during the call. Not thread-safe: it
// belongs to the thread that runs the parser.
#pragma once

#include <cstdint>
#include <string_view>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Object.h"
#include "lib/gps/NmeaRecords.h"

// Sentence flags: a sentence with any of them is not interpreted.
enum : uint32_t {
  kNMEAProprietary = 1,
  kNMEAQuery = 2,
  kNMEAChecksumError = 4,
};

// Identifiers packed as the little-endian number of their characters.
enum : uint32_t {
  kNMEAGGA = 0x414747,
  kNMEAGLL = 0x4C4C47,
  kNMEAGSA = 0x415347,
  kNMEAGSV = 0x565347,
  kNMEARMC = 0x434D52,
  kNMEAVTG = 0x475456,
};

class CNMEASentence : public CObject {
 public:
  // Bytes from '$' to the line feed; a longer sentence is dropped by the parser.
  static constexpr int32_t kMaxLength = 256;
  // Characters of one standard data field.
  static constexpr int32_t kMaxFieldLength = 128;

  explicit CNMEASentence(uint64_t receiveTime);
  ~CNMEASentence() = default;

  TD_DELETE_THIS(CNMEASentence)
  virtual uint32_t TD_STDCALL GetFlags();
  virtual uint32_t TD_STDCALL GetSentenceId();
  // The readers fill the caller's record; they never fail and ignore the
  // formatter, reading this sentence's fields by position.
  virtual void TD_STDCALL GetGGA(SNMEAGGA* record);
  virtual void TD_STDCALL GetGLL(SNMEAGLL* record);
  virtual void TD_STDCALL GetGSA(SNMEAGSA* record);
  virtual void TD_STDCALL GetGSV(SNMEAGSV* record);
  virtual void TD_STDCALL GetRMC(SNMEARMC* record);
  virtual uint32_t TD_STDCALL GetTalkerId();
  virtual uint32_t TD_STDCALL GetListenerId();
  virtual uint64_t TD_STDCALL GetReceiveTime();
  virtual void TD_STDCALL GetVTG(SNMEAVTG* record);

  // The parser's side. Address texts grow one letter at a time up to their
  // size (talker and listener 2, formatter and maker id 3).
  void AddFlags(uint32_t flags) { flags_ |= flags; }
  void SetChecksum(uint8_t checksum) { checksum_ = checksum; }
  void AppendTalker(char c) { Append(talker_, c); }
  void AppendFormatter(char c) { Append(formatter_, c); }
  void AppendMakerId(char c) { Append(makerId_, c); }
  // Moves the formatter to the listener (a query's address).
  void FormatterToListener();
  // Data of the field under way, then the end of that field.
  void AppendData(char c) {
    if (dataLength_ < kMaxLength) data_[dataLength_++] = c;
  }
  void EndField() {
    if (fieldCount_ < kMaxLength) fieldStart_[++fieldCount_] = static_cast<uint16_t>(dataLength_);
  }
  int32_t GetDataLength() const { return dataLength_ - fieldStart_[fieldCount_]; }

  // What the readers work on, for the parser's tests and tools.
  std::string_view GetTalker() const { return talker_; }
  std::string_view GetFormatter() const { return formatter_; }
  std::string_view GetListener() const { return listener_; }
  std::string_view GetMakerId() const { return makerId_; }
  uint8_t GetChecksum() const { return checksum_; }
  int32_t GetFieldCount() const { return fieldCount_; }
  // An empty text for a field that does not exist.
  std::string_view GetField(int32_t index) const;

 private:
  static void Append(char (&text)[4], char c);
  static uint32_t Pack(const char (&text)[4]);

  uint8_t checksum_ = 0;
  char formatter_[4] = {};
  char makerId_[4] = {};
  uint32_t flags_ = 0;
  char talker_[4] = {};
  char listener_[4] = {};
  uint64_t receiveTime_;
  // Field i is data_[fieldStart_[i], fieldStart_[i + 1]); every field costs
  // at least one byte of the sentence, so kMaxLength bounds both arrays.
  int32_t fieldCount_ = 0;
  int32_t dataLength_ = 0;
  uint16_t fieldStart_[kMaxLength + 1] = {};
  char data_[kMaxLength];
};
