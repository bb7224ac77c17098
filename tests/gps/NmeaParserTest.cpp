// The parser's states on whole streams: which sentences come out, with what
// address, flags and fields, however the bytes are cut into chunks.
#include <gtest/gtest.h>

#include <random>

#include "tests/gps/NmeaCollector.h"

namespace {

const char kGLL[] = "$GPGLL,5223.4567,N,00454.1234,E,123519.00,A,A*63\r\n";

struct SStreamCase {
  const char* name;
  std::string bytes;
  // Formatter, flags and field count of every sentence that comes out.
  std::vector<std::tuple<std::string, uint32_t, size_t>> expected;
};

std::vector<SStreamCase> StreamCases() {
  const std::string gll = kGLL;
  const std::string field128(128, 'x'), field129(129, 'x');
  return {
      {"reference", gll, {{"GLL", 0, 7}}},
      {"wrong checksum", "$GPGLL,5223.4567,N,00454.1234,E,123519.00,A,A*00\r\n", {{"GLL", 4, 7}}},
      {"no checksum", "$GPGLL,1,2\r\n", {{"GLL", 0, 2}}},
      {"lower-case checksum digits", "$GPGLL,1,2*4a\r\n", {}},
      {"CR without LF", "$GPGLL,1,2*4A\r" + gll, {{"GLL", 0, 7}}},
      {"bytes before the first dollar", "5,N,E*12\r\n\n\r" + gll, {{"GLL", 0, 7}}},
      {"dollar inside starts the next", "$GPGGA,1,2,3" + gll, {{"GLL", 0, 7}}},
      {"other byte after CR", "$GPGLL,1,2\rX\n" + gll, {{"GLL", 0, 7}}},
      {"lower-case address", "$gpGLL,1\r\n" + gll, {{"GLL", 0, 7}}},
      {"bad data byte", "$GPGLL,1!,2\r\n$GPGLL,1~\r\n$GPGLL,\\\r\n" + gll, {{"GLL", 0, 7}}},
      {"high byte", "$GPGLL,\xB0\r\n" + gll, {{"GLL", 0, 7}}},
      {"field of 128", NMEA("GPTXT," + field128), {{"TXT", 0, 1}}},
      {"field of 129", NMEA("GPTXT," + field129) + gll, {{"GLL", 0, 7}}},
      {"escapes count toward the field limit",
       NMEA("GPTXT," + field128.substr(1) + "^41^42") + gll,
       {{"GLL", 0, 7}}},
      {"escape of 128", NMEA("GPTXT," + field128.substr(1) + "^41"), {{"TXT", 0, 1}}},
      {"bad escape digit", "$GPTXT,^4a\r\n" + gll, {{"GLL", 0, 7}}},
      {"sentence of 256 bytes",
       NMEA("GPTXT," + std::string(120, '1') + "," + std::string(123, '2')),
       {{"TXT", 0, 2}}},
      {"sentence of 257 bytes",
       NMEA("GPTXT," + std::string(120, '1') + "," + std::string(124, '2')) + gll,
       {{"GLL", 0, 7}}},
      {"commas without end", "$GPTXT" + std::string(400, ',') + "\r\n" + gll, {{"GLL", 0, 7}}},
      {"proprietary", "$PXYZA,93,f,3*39\r\n", {{"", 1, 1}}},
      {"proprietary without checksum", "$PXYZA,93,f,3\r\n", {{"", 1, 0}}},
      {"proprietary with a short maker", "$PXY,1*00\r\n" + gll, {{"GLL", 0, 7}}},
      {"long proprietary", "$PXYZA" + std::string(300, ',') + "\r\n" + gll, {{"GLL", 0, 7}}},
      {"query", "$CCGPQ,GGA*2B\r\n", {{"", 2, 1}}},
      {"address only", "$GPGLL\r\n", {{"GLL", 0, 1}}},
      {"two in a row", gll + gll, {{"GLL", 0, 7}, {"GLL", 0, 7}}},
  };
}

TEST(NmeaParser, StreamTable) {
  for (const SStreamCase& c : StreamCases()) {
    CNMEACollector collector;
    collector.Parse(c.bytes);
    const auto& got = collector.Sentences();
    ASSERT_EQ(got.size(), c.expected.size()) << c.name;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].Formatter, std::get<0>(c.expected[i])) << c.name;
      EXPECT_EQ(got[i].Flags, std::get<1>(c.expected[i])) << c.name;
      EXPECT_EQ(got[i].Fields.size(), std::get<2>(c.expected[i])) << c.name;
    }
  }
}

TEST(NmeaParser, ReceivedChecksumAndAddress) {
  CNMEACollector collector;
  collector.Parse("$GPGLL,5223.4567,N,00454.1234,E,123519.00,A,A*64\r\n");
  ASSERT_EQ(collector.Sentences().size(), 1u);
  const SCapturedSentence& s = collector.Sentences()[0];
  EXPECT_EQ(s.Talker, "GP");
  EXPECT_EQ(s.Formatter, "GLL");
  EXPECT_EQ(s.Flags, 4u);
  const std::vector<std::string> fields = {"5223.4567", "N", "00454.1234", "E",
                                           "123519.00", "A", "A"};
  EXPECT_EQ(s.Fields, fields);
}

// Every cut into two or three chunks gives the one sentence, stamped with
// the chunk that held its '$'.
TEST(NmeaParser, EverySplitDeliversOnce) {
  const std::string text = std::string("xx") + kGLL;
  const size_t n = text.size();
  for (size_t a = 0; a <= n; ++a) {
    for (size_t b = a; b <= n; ++b) {
      CNMEACollector collector;
      collector.Parse(text.substr(0, a), 1);
      collector.Parse(text.substr(a, b - a), 2);
      collector.Parse(text.substr(b), 3);
      ASSERT_EQ(collector.Sentences().size(), 1u) << a << " " << b;
      const uint64_t stamp = a > 2 ? 1 : b > 2 ? 2 : 3;
      EXPECT_EQ(collector.Sentences()[0].ReceiveTime, stamp) << a << " " << b;
      EXPECT_EQ(collector.Sentences()[0].Flags, 0u);
    }
  }
}

TEST(NmeaParser, LogWholeInRandomChunksAndByteByByte) {
  std::string log;
  for (int i = 0; i < 40; ++i) {
    log += kGLL;
    log += "$GPGGA,092725.00,4717.11399,N,00833.91590,E,1,08,1.01,499.6,M,48.0,M,,*5B\r\n";
    log += "$PXYZA,93,f,3*39\r\n$GPVTG,270.0,T,,M,10.0,N,18.0,K,A*01\r\n";
    log += std::string("noise$GP\x01") + "\r\n";
  }
  CNMEACollector whole, chunks, bytes;
  whole.Parse(log);
  std::mt19937 random(20);
  for (size_t at = 0; at < log.size();) {
    const size_t length = std::uniform_int_distribution<size_t>(0, 90)(random);
    chunks.Parse(log.substr(at, length));
    at += length;
  }
  for (char c : log) bytes.Parse(std::string(1, c));
  ASSERT_EQ(whole.Sentences().size(), 160u);
  for (const CNMEACollector* other : {&chunks, &bytes}) {
    ASSERT_EQ(other->Sentences().size(), whole.Sentences().size());
    for (size_t i = 0; i < whole.Sentences().size(); ++i) {
      EXPECT_EQ(other->Sentences()[i].Fields, whole.Sentences()[i].Fields);
      EXPECT_EQ(other->Sentences()[i].Flags, whole.Sentences()[i].Flags);
    }
  }
}

TEST(NmeaParser, ResetDropsTheSentenceUnderWay) {
  CNMEACollector collector;
  collector.Parse("$GPGLL,5223.4567,N,00454.1234,E,123");
  collector.Parser().Reset();
  collector.Parse("519.00,A,A*63\r\n");
  EXPECT_TRUE(collector.Sentences().empty());
  collector.Parse(kGLL);
  EXPECT_EQ(collector.Sentences().size(), 1u);
}

// The owner of a parser that lets it go from its sentence callback, directly
// or from a Parse of its own inside the callback.
struct SDeletingOwner {
  CNMEAParser* Parser = nullptr;
  int Sentences = 0;
  bool Nested = false;

  static void TD_STDCALL OnSentence(void* context, CNMEAParser* parser, CNMEASentence*) {
    auto* self = static_cast<SDeletingOwner*>(context);
    if (++self->Sentences == 1 && self->Nested) {
      parser->Parse(reinterpret_cast<const uint8_t*>(kGLL), sizeof(kGLL) - 1, 0);
      return;
    }
    td::Free(parser);
    self->Parser = nullptr;
  }
};

TEST(NmeaParser, TheCallbackMayDeleteTheParser) {
  const std::string three = std::string(kGLL) + kGLL + kGLL;
  for (bool nested : {false, true}) {
    SCOPED_TRACE(nested);
    SDeletingOwner owner;
    owner.Nested = nested;
    owner.Parser = new CNMEAParser(&SDeletingOwner::OnSentence, &owner);
    owner.Parser->Parse(reinterpret_cast<const uint8_t*>(three.data()),
                        static_cast<int32_t>(three.size()), 0);
    EXPECT_EQ(owner.Parser, nullptr);
    EXPECT_EQ(owner.Sentences, nested ? 2 : 1);
    td::Free(owner.Parser);
  }
}

TEST(NmeaParser, NoCallbackAndNullBytes) {
  CNMEAParser parser(nullptr, nullptr);
  parser.Parse(reinterpret_cast<const uint8_t*>(kGLL), sizeof(kGLL) - 1, 0);
  parser.Parse(nullptr, 10, 0);
  parser.Parse(reinterpret_cast<const uint8_t*>(kGLL), -1, 0);
}

TEST(NmeaParser, HexToInt) {
  EXPECT_EQ(HexToInt("4A"), 0x4Au);
  EXPECT_EQ(HexToInt("4a"), 0x4Au);
  EXPECT_EQ(HexToInt("F"), 15u);
  EXPECT_EQ(HexToInt("00"), 0u);
  EXPECT_EQ(HexToInt("FF"), 255u);
}

}  // namespace
