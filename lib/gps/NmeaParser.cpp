#include "lib/gps/NmeaParser.h"

#include "lib/foundation/text/TextParse.h"
#include "lib/foundation/exports/Guard.h"

namespace {

constexpr uint8_t kCR = 13;
constexpr uint8_t kLF = 10;

bool IsUpper(uint8_t c) { return c >= 'A' && c <= 'Z'; }

// The digits the parser accepts in escapes and checksums: capitals only.
bool IsHexDigit(uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Data characters of standard sentences: printable ASCII without the
// delimiters ! $ * , \ ^ ~.
constexpr bool IsDataCharCode(int c) {
  return c == 32 || c == 34 || c == 35 || (c >= 37 && c <= 41) || c == 43 || (c >= 45 && c <= 91) ||
         c == 93 || (c >= 95 && c <= 125);
}

struct SDataChars {
  bool allowed[256];
  constexpr SDataChars() : allowed() {
    for (int c = 0; c < 256; ++c) allowed[c] = IsDataCharCode(c);
  }
};

constexpr SDataChars kDataChars;

bool IsDataChar(uint8_t c) { return kDataChars.allowed[c]; }

}  // namespace

uint32_t HexToInt(const char* text) {
  uint32_t value = 0;
  for (int i = 0; i < 2 && text[i]; ++i) {
    const int digit = HexDigitValue(text[i]);
    if (digit < 0) return 0;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return value;
}

CNMEAParser::CNMEAParser(TNMEASentenceFunc function, void* context)
    : onSentence_(MakeCallback(function, context)) {}

CNMEAParser::~CNMEAParser() {
  if (deleted_) *deleted_ = true;
  Reset();
}

void TD_STDCALL CNMEAParser::Reset() {
  digits_[0] = 0;
  checksum_ = 0;
  firstComma_ = true;
  previousState_ = kWaitDollar;
  state_ = kWaitDollar;
  length_ = 0;
  td::Free(sentence_);
  sentence_ = nullptr;
}

// The sentence callback may delete the parser: the loop then ends at once,
// and so does every Parse under way around this one.
void TD_STDCALL CNMEAParser::Parse(const uint8_t* bytes, int32_t count, uint64_t time) {
  if (!bytes) return;
  bool deleted = false;
  bool* const outer = deleted_;
  deleted_ = &deleted;
  td::GuardVoid([&] {
    for (int32_t i = 0; i < count && !deleted; ++i) HandleByte(bytes[i], time);
  });
  if (!deleted)
    deleted_ = outer;
  else if (outer)
    *outer = true;
}

void CNMEAParser::SetState(EState state) {
  previousState_ = state_;
  state_ = state;
}

void CNMEAParser::HandleByte(uint8_t c, uint64_t time) {
  // A '$' always begins a sentence, also inside one that it cuts short.
  if (c == '$') {
    Reset();
    sentence_ = new CNMEASentence(time);
    length_ = 1;
    SetState(kTalker);
    return;
  }
  if (state_ == kWaitDollar) return;
  bool keep = ++length_ <= CNMEASentence::kMaxLength;
  // The common byte first: one more character of a standard field.
  if (keep && state_ == kData && IsDataChar(c)) {
    sentence_->AppendData(static_cast<char>(c));
    if (sentence_->GetDataLength() > CNMEASentence::kMaxFieldLength) {
      Reset();
      return;
    }
    checksum_ ^= c;
    return;
  }
  if (keep) {
    switch (state_) {
      case kTalker:
      case kFormatter:
      case kMakerId:
        keep = HandleAddress(c);
        break;
      case kData:
        keep = HandleData(c);
        break;
      case kProprietaryData:
        keep = HandleProprietaryData(c);
        break;
      case kEscape:
      case kChecksum:
        keep = HandleHexDigit(c);
        break;
      case kWaitCR:
        keep = c == kCR;
        if (keep) SetState(kWaitLF);
        break;
      case kWaitLF:
        if (c == kLF) {
          Deliver();
          return;
        }
        keep = false;
        break;
      case kWaitDollar:
        break;
    }
  }
  if (!keep) {
    Reset();
    return;
  }
  if (state_ != kChecksum) checksum_ ^= c;
}

bool CNMEAParser::HandleAddress(uint8_t c) {
  if (!IsUpper(c)) return false;
  const char letter = static_cast<char>(c);
  if (state_ == kTalker) {
    if (sentence_->GetTalker().empty() && letter == 'P') {
      sentence_->AppendTalker(letter);
      sentence_->AddFlags(kNMEAProprietary);
      SetState(kMakerId);
    } else {
      if (!sentence_->GetTalker().empty()) SetState(kFormatter);
      sentence_->AppendTalker(letter);
    }
  } else if (state_ == kFormatter) {
    if (sentence_->GetFormatter().size() == 2) {
      if (letter == 'Q') {
        sentence_->FormatterToListener();
        sentence_->AddFlags(kNMEAQuery);
      } else {
        sentence_->AppendFormatter(letter);
      }
      SetState(kData);
    } else {
      sentence_->AppendFormatter(letter);
    }
  } else if (sentence_->GetMakerId().size() == 3) {
    SetState(kProprietaryData);  // the letter after the maker id ends the address
  } else {
    sentence_->AppendMakerId(letter);
  }
  return true;
}

bool CNMEAParser::HandleData(uint8_t c) {
  switch (c) {
    case ',':
      if (firstComma_)
        firstComma_ = false;
      else
        sentence_->EndField();
      return true;
    case '*':
      sentence_->EndField();
      SetState(kChecksum);
      return true;
    case '^':
      SetState(kEscape);
      return true;
    case kCR:
      sentence_->EndField();
      SetState(kWaitLF);
      return true;
    default:
      return false;  // data characters took the short way in HandleByte
  }
}

bool CNMEAParser::HandleProprietaryData(uint8_t c) {
  switch (c) {
    case '^':
      SetState(kEscape);
      return true;
    case '*':
      sentence_->EndField();
      SetState(kChecksum);
      return true;
    case kCR:
      SetState(kWaitLF);  // the data collected without a checksum is dropped
      return true;
    default:
      if (!IsDataChar(c) && c != ',') return false;
      sentence_->AppendData(static_cast<char>(c));
      return true;
  }
}

bool CNMEAParser::HandleHexDigit(uint8_t c) {
  if (!IsHexDigit(c)) return false;
  if (!digits_[0]) {
    digits_[0] = static_cast<char>(c);
    return true;
  }
  digits_[1] = static_cast<char>(c);
  const uint8_t value = static_cast<uint8_t>(HexToInt(digits_));
  digits_[0] = 0;
  if (state_ == kChecksum) {
    sentence_->SetChecksum(value);
    if (value != checksum_) sentence_->AddFlags(kNMEAChecksumError);
    SetState(kWaitCR);
    return true;
  }
  sentence_->AppendData(static_cast<char>(value));
  const EState back = previousState_;
  SetState(back);
  // An escaped character counts toward the field limit like any other.
  return back != kData || sentence_->GetDataLength() <= CNMEASentence::kMaxFieldLength;
}

// The sentence leaves the parser and the parser waits for the next '$'
// before the callback runs, so that a callback that parses, resets or deletes
// the parser finds it settled; nothing of the parser is touched afterwards.
void CNMEAParser::Deliver() {
  CNMEASentence* sentence = sentence_;
  sentence_ = nullptr;
  Reset();
  const SCallback callback = onSentence_;
  if (callback.IsSet()) {
    auto function = reinterpret_cast<TNMEASentenceFunc>(callback.Function);
    td::GuardVoid([&] { function(callback.Context, this, sentence); });
  }
  td::Free(sentence);
}
