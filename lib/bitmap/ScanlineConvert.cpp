#include "lib/bitmap/ScanlineConvert.h"

#include <array>
#include <cstring>

#include "lib/bitmap/PixelFormat.h"

namespace {

uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
uint16_t Load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
void Store16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

// The index of pixel i of a row of Bits-bit indices, first pixel in the most
// significant bits.
template <int Bits>
uint8_t IndexAt(const uint8_t* row, int32_t i) {
  constexpr int kPerByte = 8 / Bits;
  const int shift = 8 - Bits * (i % kPerByte + 1);
  return static_cast<uint8_t>(row[i / kPerByte] >> shift & ((1 << Bits) - 1));
}

template <int Bytes>
void CopyRow(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  std::memcpy(d, s, static_cast<size_t>(count) * Bytes);
}

void CopyP1(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  std::memcpy(d, s, (static_cast<size_t>(count) + 7) / 8);
}

template <int Bits>
void CopyIndices(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  std::memcpy(d, s, (static_cast<size_t>(count) * Bits + 7) / 8);
}

void ExpandP1ToP4(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  std::memset(d, 0, (static_cast<size_t>(count) + 1) / 2);
  for (int32_t i = 0; i < count; ++i) d[i / 2] |= IndexAt<1>(s, i) << (i % 2 ? 0 : 4);
}

void ExpandP1ToP8(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  for (int32_t i = 0; i < count; ++i) d[i] = IndexAt<1>(s, i);
}

uint16_t To555(const uint8_t* c) {
  return static_cast<uint16_t>((c[2] >> 3) << 10 | (c[1] >> 3) << 5 | c[0] >> 3);
}
uint16_t To565(const uint8_t* c) {
  return static_cast<uint16_t>((c[2] >> 3) << 11 | (c[1] >> 2) << 5 | c[0] >> 3);
}
uint32_t ToArgb(const uint8_t* c) {
  return 0xFF000000u | uint32_t{c[2]} << 16 | uint32_t{c[1]} << 8 | c[0];
}

template <int Bits>
void IndicesTo555(uint8_t* d, const uint8_t* s, const uint8_t* palette, int32_t count) {
  for (int32_t i = 0; i < count; ++i) Store16(d + 2 * i, To555(palette + 4 * IndexAt<Bits>(s, i)));
}
template <int Bits>
void IndicesTo1555(uint8_t* d, const uint8_t* s, const uint8_t* palette, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    Store16(d + 2 * i, To555(palette + 4 * IndexAt<Bits>(s, i)) | 0x8000);
}
template <int Bits>
void IndicesTo565(uint8_t* d, const uint8_t* s, const uint8_t* palette, int32_t count) {
  for (int32_t i = 0; i < count; ++i) Store16(d + 2 * i, To565(palette + 4 * IndexAt<Bits>(s, i)));
}
template <int Bits>
void IndicesTo888(uint8_t* d, const uint8_t* s, const uint8_t* palette, int32_t count) {
  for (int32_t i = 0; i < count; ++i) std::memcpy(d + 3 * i, palette + 4 * IndexAt<Bits>(s, i), 3);
}
template <int Bits>
void IndicesToArgb(uint8_t* d, const uint8_t* s, const uint8_t* palette, int32_t count) {
  for (int32_t i = 0; i < count; ++i) Store32(d + 4 * i, ToArgb(palette + 4 * IndexAt<Bits>(s, i)));
}

uint32_t Widen555(uint16_t v) { return (v & 0x7C00u) << 9 | (v & 0x3E0u) << 6 | (v & 0x1Fu) << 3; }
uint32_t Widen565(uint16_t v) { return (v & 0xF800u) << 8 | (v & 0x7E0u) << 5 | (v & 0x1Fu) << 3; }
uint32_t AlphaOf1555(uint16_t v) { return v & 0x8000 ? 0xFF000000u : 0; }

template <uint32_t (*Widen)(uint16_t), uint32_t Alpha>
void Widen16(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  for (int32_t i = 0; i < count; ++i) Store32(d + 4 * i, Widen(Load16(s + 2 * i)) | Alpha);
}

void Widen1555WithAlpha(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const uint16_t v = Load16(s + 2 * i);
    Store32(d + 4 * i, Widen555(v) | AlphaOf1555(v));
  }
}

void AddAlpha(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    Store32(d + 4 * i,
            0xFF000000u | uint32_t{s[3 * i + 2]} << 16 | uint32_t{s[3 * i + 1]} << 8 | s[3 * i]);
}

void SetAlpha(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  for (int32_t i = 0; i < count; ++i) Store32(d + 4 * i, Load32(s + 4 * i) | 0xFF000000u);
}

void DropByte(uint8_t* d, const uint8_t* s, const uint8_t*, int32_t count) {
  for (int32_t i = 0; i < count; ++i) std::memcpy(d + 3 * i, s + 4 * i, 3);
}

constexpr ScanlineConverter kStub = nullptr;

// Rows: source format; columns: destination format. Null entries throw.
const ScanlineConverter kMatrix[kPixelFormatCount][kPixelFormatCount] = {
    {CopyP1, nullptr, ExpandP1ToP4, ExpandP1ToP8, IndicesTo555<1>, IndicesTo1555<1>,
     IndicesTo565<1>, IndicesTo888<1>, kStub, IndicesToArgb<1>},
    {nullptr, CopyIndices<2>, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     IndicesToArgb<2>},
    {nullptr, nullptr, CopyIndices<4>, kStub, kStub, kStub, kStub, kStub, kStub, IndicesToArgb<4>},
    {nullptr, nullptr, nullptr, CopyRow<1>, kStub, kStub, kStub, kStub, kStub, IndicesToArgb<8>},
    {nullptr, nullptr, nullptr, nullptr, CopyRow<2>, kStub, kStub, kStub, Widen16<Widen555, 0>,
     Widen16<Widen555, 0xFF000000u>},
    {nullptr, nullptr, nullptr, nullptr, CopyRow<2>, CopyRow<2>, kStub, kStub, Widen16<Widen555, 0>,
     Widen1555WithAlpha},
    {nullptr, nullptr, nullptr, nullptr, kStub, kStub, CopyRow<2>, kStub, Widen16<Widen565, 0>,
     Widen16<Widen565, 0xFF000000u>},
    {nullptr, nullptr, nullptr, nullptr, kStub, kStub, kStub, CopyRow<3>, kStub, AddAlpha},
    {nullptr, nullptr, nullptr, nullptr, kStub, kStub, kStub, DropByte, CopyRow<4>, SetAlpha},
    {nullptr, nullptr, nullptr, nullptr, kStub, kStub, kStub, DropByte, CopyRow<4>, CopyRow<4>},
};

// Which null entries are stubs (they carry a name) rather than unsupported.
bool IsStub(int32_t source, int32_t destination) {
  if (source == pfP1) return destination == pfX8R8G8B8;
  if (source == pfP4 || source == pfP8) return destination >= pfP8;
  return source >= pfX1R5G5B5 && destination >= pfX1R5G5B5;
}

// The stubs of the alpha formats carry the names of their alpha-less twins.
constexpr const char* StubName(int32_t format) {
  if (format == pfA1R5G5B5) return PixelFormatName(pfX1R5G5B5);
  if (format == pfA8R8G8B8) return PixelFormatName(pfX8R8G8B8);
  return PixelFormatName(format);
}

// A stub's message, "ScanlineConvert_<source>_<destination>: Not implemented.".
struct SStubMessage {
  char text[52];  // the longest message and its terminating zero
};

constexpr SStubMessage MakeStubMessage(int32_t source, int32_t destination) {
  SStubMessage message = {};
  int32_t length = 0;
  for (const char* part : {"ScanlineConvert_", StubName(source), "_", PixelFormatName(destination),
                           ": Not implemented."})
    for (; *part; ++part) message.text[length++] = *part;
  return message;
}

// Every pair's message, made when the library is compiled: the catcher reads
// it after the throw has left the thrower, and making it then would allocate.
constexpr auto kStubMessages = [] {
  std::array<std::array<SStubMessage, kPixelFormatCount>, kPixelFormatCount> messages = {};
  for (int32_t source = 0; source < kPixelFormatCount; ++source)
    for (int32_t destination = 0; destination < kPixelFormatCount; ++destination)
      messages[source][destination] = MakeStubMessage(source, destination);
  return messages;
}();

[[noreturn]] void ThrowStub(int32_t source, int32_t destination) {
  throw static_cast<const char*>(kStubMessages[source][destination].text);
}

}  // namespace

ScanlineConverter FindScanlineConverter(int32_t sourceFormat, int32_t destinationFormat) {
  if (!IsPixelFormat(sourceFormat) || !IsPixelFormat(destinationFormat)) return nullptr;
  return kMatrix[sourceFormat][destinationFormat];
}

void CheckConversion(int32_t sourceFormat, int32_t destinationFormat) {
  if (FindScanlineConverter(sourceFormat, destinationFormat)) return;
  if (!IsPixelFormat(sourceFormat) || !IsPixelFormat(destinationFormat))
    throw "Unsupported pixel format.";
  if (IsStub(sourceFormat, destinationFormat)) ThrowStub(sourceFormat, destinationFormat);
  throw "Conversion not supported.";
}

void ScanlineConvert(uint8_t* destination, const uint8_t* source, int32_t sourceFormat,
                     int32_t destinationFormat, const uint8_t* palette, int32_t count) {
  CheckConversion(sourceFormat, destinationFormat);
  FindScanlineConverter(sourceFormat, destinationFormat)(destination, source, palette, count);
}
