// Abstract byte stream with 64-bit positions. Every file format of the library
// is read and written through it; all wire forms are little-endian, unpadded.
#pragma once

#include <bit>
#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"

static_assert(std::endian::native == std::endian::little, "wire forms are the memory forms");

// A 16-byte identifier in the platform's GUID memory layout.
struct SGuid {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
static_assert(sizeof(SGuid) == 16, "GUID layout");

struct S2DF {
  float X, Y;
};
struct S2DD {
  double X, Y;
};

class CStream : public CObject {
 public:
  // Virtual operations after slot 0, in the interface's order.
  virtual int64_t TD_STDCALL GetPosition();
  virtual int64_t TD_STDCALL GetSize();
  virtual int32_t TD_STDCALL Read(void* buffer, int32_t count) = 0;
  virtual int64_t TD_STDCALL Seek(int64_t offset, int32_t origin) = 0;
  virtual bool TD_STDCALL SetSize(int64_t size) = 0;
  virtual int32_t TD_STDCALL Write(const void* buffer, int32_t count) = 0;

  // Helpers that report through an error code: 0 and true on success.
  bool ReadBuf(void* buffer, int32_t count, uint32_t& error);
  bool WriteBuf(const void* buffer, int32_t count, uint32_t& error);

  bool ReadBool(bool& value, uint32_t& error);
  bool ReadBYTE(uint8_t& value, uint32_t& error) { return ReadBuf(&value, 1, error); }
  bool ReadWORD(uint16_t& value, uint32_t& error) { return ReadBuf(&value, 2, error); }
  bool ReadDWORD(uint32_t& value, uint32_t& error) { return ReadBuf(&value, 4, error); }
  bool ReadLong(int32_t& value, uint32_t& error) { return ReadBuf(&value, 4, error); }
  bool ReadFloat(float& value, uint32_t& error) { return ReadBuf(&value, 4, error); }
  bool ReadVersion(uint32_t& value, uint32_t& error) { return ReadBuf(&value, 4, error); }
  bool ReadDouble(double& value, uint32_t& error) { return ReadBuf(&value, 8, error); }
  bool ReadInt64(int64_t& value, uint32_t& error) { return ReadBuf(&value, 8, error); }
  bool ReadDateTime(double& value, uint32_t& error) { return ReadBuf(&value, 8, error); }
  bool Read2DF(S2DF& value, uint32_t& error) { return ReadBuf(&value, 8, error); }
  bool Read2DD(S2DD& value, uint32_t& error) { return ReadBuf(&value, 16, error); }
  bool ReadGUID(SGuid& value, uint32_t& error) { return ReadBuf(&value, 16, error); }
  bool ReadExtended(double& value, uint32_t& error);

  bool WriteBool(bool value, uint32_t& error);
  bool WriteBYTE(uint8_t value, uint32_t& error) { return WriteBuf(&value, 1, error); }
  bool WriteWORD(uint16_t value, uint32_t& error) { return WriteBuf(&value, 2, error); }
  bool WriteDWORD(uint32_t value, uint32_t& error) { return WriteBuf(&value, 4, error); }
  bool WriteLong(int32_t value, uint32_t& error) { return WriteBuf(&value, 4, error); }
  bool WriteFloat(float value, uint32_t& error) { return WriteBuf(&value, 4, error); }
  bool WriteVersion(uint32_t value, uint32_t& error) { return WriteBuf(&value, 4, error); }
  bool WriteDouble(double value, uint32_t& error) { return WriteBuf(&value, 8, error); }
  bool WriteInt64(int64_t value, uint32_t& error) { return WriteBuf(&value, 8, error); }
  bool WriteDateTime(double value, uint32_t& error) { return WriteBuf(&value, 8, error); }
  bool Write2DF(const S2DF& value, uint32_t& error) { return WriteBuf(&value, 8, error); }
  bool Write2DD(const S2DD& value, uint32_t& error) { return WriteBuf(&value, 16, error); }
  bool WriteGUID(const SGuid& value, uint32_t& error) { return WriteBuf(&value, 16, error); }

  // A 32-bit length and the characters. A negative length gives 0x10015, one
  // longer than the bytes left 0x10005, before anything is allocated.
  bool ReadStr(CStr& value, uint32_t& error);
  bool WriteStr(const CStr& value, uint32_t& error);
  // One length byte and the characters; longer strings are cut to 255.
  bool ReadShortStr(CStr& value, uint32_t& error);
  bool WriteShortStr(const CStr& value, uint32_t& error);
  // length characters without a length field; 0x10005 when fewer are left,
  // before anything is allocated.
  bool ReadChars(CStr& value, int64_t length, uint32_t& error);
  // The expected characters alone: 0x10005 when short, 0x10016 when different.
  bool CheckHeader(const CStr& expected, uint32_t& error);

  // Copies count bytes from source in chunks of at most 64 KB.
  int64_t CopyFrom(CStream& source, int64_t count, uint32_t& error);

  // Bytes between the position and the end (0 when the stream cannot tell).
  int64_t GetRemaining();

 protected:
  ~CStream() = default;
};

// Converts an 80-bit extended float held in 10 little-endian bytes.
double ExtendedToDouble(const uint8_t bytes[10]);
