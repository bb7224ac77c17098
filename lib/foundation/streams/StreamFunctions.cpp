#include "lib/foundation/streams/StreamFunctions.h"

#include "lib/foundation/core/Exception.h"

namespace {

[[noreturn]] void ThrowRead(const char* function) {
  throw CStreamError(CStr(function) + ": Read beyond end of stream.");
}

[[noreturn]] void ThrowWrite(const char* function) {
  throw CStreamError(CStr(function) + ": Cannot write to stream.");
}

template <typename T>
bool ReadRaw(CStream& stream, T& value) {
  return stream.Read(&value, sizeof value) == static_cast<int32_t>(sizeof value);
}

template <typename T>
T ReadOrThrow(CStream& stream, const char* function) {
  T value;
  if (!ReadRaw(stream, value)) ThrowRead(function);
  return value;
}

void WriteOrThrow(CStream& stream, const void* buffer, int32_t count, const char* function) {
  if (stream.Write(buffer, count) != count) ThrowWrite(function);
}

template <typename T>
void WriteRaw(CStream& stream, const T& value, const char* function) {
  WriteOrThrow(stream, &value, sizeof value, function);
}

}  // namespace

// The fixed-width fields: a throwing reader, a reporting reader and a writer.
#define TD_STREAM_READER(Name, Type)                                                   \
  Type StreamRead##Name(CStream& s) { return ReadOrThrow<Type>(s, "StreamRead" #Name); } \
  bool StreamRead##Name(CStream& s, Type& value) { return ReadRaw(s, value); }
#define TD_STREAM_WRITER(Name, Type) \
  void StreamWrite##Name(CStream& s, Type value) { WriteRaw(s, value, "StreamWrite" #Name); }
#define TD_STREAM_FIELD(Name, Type) TD_STREAM_READER(Name, Type) TD_STREAM_WRITER(Name, Type)

TD_STREAM_FIELD(BYTE, uint8_t)
TD_STREAM_FIELD(WORD, uint16_t)
TD_STREAM_FIELD(DWORD, uint32_t)
TD_STREAM_FIELD(Long, int32_t)
TD_STREAM_FIELD(Float, float)
TD_STREAM_FIELD(Version, uint32_t)
TD_STREAM_FIELD(Double, double)
TD_STREAM_FIELD(Int64, int64_t)
TD_STREAM_FIELD(DateTime, double)
TD_STREAM_FIELD(2DF, S2DF)
TD_STREAM_FIELD(2DD, S2DD)
TD_STREAM_FIELD(GUID, SGuid)

int16_t StreamReadShort(CStream& s) { return ReadOrThrow<int16_t>(s, "StreamReadShort"); }
void StreamWriteShort(CStream& s, int16_t value) { WriteRaw(s, value, "StreamWriteShort"); }

bool StreamReadBool(CStream& s) { return ReadOrThrow<uint8_t>(s, "StreamReadBool") != 0; }

bool StreamReadBool(CStream& s, bool& value) {
  uint8_t byte = 0;
  if (!ReadRaw(s, byte)) return false;
  value = byte != 0;
  return true;
}

void StreamWriteBool(CStream& s, bool value) {
  const uint8_t byte = value ? 1 : 0;
  WriteRaw(s, byte, "StreamWriteBool");
}

double StreamReadExtended(CStream& s) {
  double value = 0;
  if (!StreamReadExtended(s, value)) ThrowRead("StreamReadExtended");
  return value;
}

bool StreamReadExtended(CStream& s, double& value) {
  uint32_t error = 0;
  return s.ReadExtended(value, error);
}

CStr StreamReadStr(CStream& s) {
  const int32_t length = StreamReadLong(s);
  if (length < 0) throw CStreamError("StreamReadStr: Invalid string length.");
  CStr value;
  uint32_t error = 0;
  if (!s.ReadChars(value, length, error)) ThrowRead("StreamReadStr");
  return value;
}

bool StreamReadStr(CStream& s, CStr& value) {
  uint32_t error = 0;
  return s.ReadStr(value, error);
}

void StreamWriteStr(CStream& s, const CStr& value) {
  const int32_t length = value.GetLength();
  WriteRaw(s, length, "StreamWriteStr");
  if (length > 0) WriteOrThrow(s, value.c_str(), length, "StreamWriteStr");
}

bool StreamCheckHeader(CStream& s, const CStr& expected) {
  uint32_t error = 0;
  return s.CheckHeader(expected, error);
}

void StreamWriteHeader(CStream& s, const CStr& header) {
  WriteOrThrow(s, header.c_str(), header.GetLength(), "StreamWriteHeader");
}

void StreamSeek(CStream& s, int64_t position) {
  if (s.Seek(position, 0) != position)
    throw CStreamError("StreamSeek: Cannot seek in stream.");
}
