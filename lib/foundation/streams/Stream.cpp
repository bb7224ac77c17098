#include "lib/foundation/streams/Stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "lib/foundation/core/ErrorCodes.h"

int64_t TD_STDCALL CStream::GetPosition() { return Seek(0, 1); }

int64_t TD_STDCALL CStream::GetSize() {
  const int64_t position = Seek(0, 1);
  const int64_t size = Seek(0, 2);
  Seek(position, 0);
  return size;
}

int64_t CStream::GetRemaining() {
  const int64_t position = GetPosition();
  const int64_t size = GetSize();
  return position < 0 || size < position ? 0 : size - position;
}

bool CStream::ReadBuf(void* buffer, int32_t count, uint32_t& error) {
  error = Read(buffer, count) == count ? 0u : uint32_t{kErrFileRead};
  return error == 0;
}

bool CStream::WriteBuf(const void* buffer, int32_t count, uint32_t& error) {
  error = Write(buffer, count) == count ? 0u : uint32_t{kErrFileWrite};
  return error == 0;
}

bool CStream::ReadBool(bool& value, uint32_t& error) {
  uint8_t byte = 0;
  if (!ReadBuf(&byte, 1, error)) return false;
  value = byte != 0;
  return true;
}

bool CStream::WriteBool(bool value, uint32_t& error) {
  const uint8_t byte = value ? 1 : 0;
  return WriteBuf(&byte, 1, error);
}

bool CStream::ReadExtended(double& value, uint32_t& error) {
  uint8_t bytes[10];
  if (!ReadBuf(bytes, 10, error)) return false;
  value = ExtendedToDouble(bytes);
  return true;
}

bool CStream::ReadChars(CStr& value, int64_t length, uint32_t& error) {
  if (length > GetRemaining()) {
    error = kErrFileRead;
    return false;
  }
  value.SetLength(static_cast<int32_t>(length), false);
  return length == 0 || ReadBuf(value.GetBuffer(0), static_cast<int32_t>(length), error);
}

bool CStream::ReadStr(CStr& value, uint32_t& error) {
  int32_t length = 0;
  if (!ReadLong(length, error)) return false;
  if (length < 0) {
    error = kErrFileFormat;
    return false;
  }
  return ReadChars(value, length, error);
}

bool CStream::WriteStr(const CStr& value, uint32_t& error) {
  const int32_t length = value.GetLength();
  if (!WriteLong(length, error)) return false;
  return length == 0 || WriteBuf(value.c_str(), length, error);
}

bool CStream::ReadShortStr(CStr& value, uint32_t& error) {
  uint8_t length = 0;
  return ReadBYTE(length, error) && ReadChars(value, length, error);
}

bool CStream::WriteShortStr(const CStr& value, uint32_t& error) {
  const uint8_t length = static_cast<uint8_t>(std::min(value.GetLength(), 255));
  if (!WriteBYTE(length, error)) return false;
  return length == 0 || WriteBuf(value.c_str(), length, error);
}

bool CStream::CheckHeader(const CStr& expected, uint32_t& error) {
  const int32_t length = expected.GetLength();
  std::unique_ptr<char[]> bytes(new char[length + 1]);
  if (!ReadBuf(bytes.get(), length, error)) return false;
  error = std::memcmp(bytes.get(), expected.c_str(), length) == 0 ? 0u : uint32_t{kErrFileHeader};
  return error == 0;
}

int64_t CStream::CopyFrom(CStream& source, int64_t count, uint32_t& error) {
  error = 0;
  if (count <= 0) return 0;
  const int32_t chunkSize = static_cast<int32_t>(std::min<int64_t>(count, 65536));
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[chunkSize]);
  // The result counts only bytes that reached this stream: a chunk whose read
  // or write fell short is not counted as copied.
  int64_t copied = 0;
  while (copied < count) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count - copied, chunkSize));
    if (source.Read(buffer.get(), n) != n) {
      error = kErrFileRead;
      break;
    }
    const int32_t written = Write(buffer.get(), n);
    if (written > 0) copied += written;
    if (written != n) {
      error = kErrFileWrite;
      break;
    }
  }
  return copied;
}

double ExtendedToDouble(const uint8_t bytes[10]) {
  uint64_t mantissa = 0;
  std::memcpy(&mantissa, bytes, 8);
  const int exponent = (bytes[8] | bytes[9] << 8) & 0x7FFF;
  const bool negative = bytes[9] & 0x80;
  double magnitude;
  if (exponent == 0x7FFF)
    magnitude = (mantissa << 1) == 0 ? INFINITY : NAN;
  else
    magnitude = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  return negative ? -magnitude : magnitude;
}
