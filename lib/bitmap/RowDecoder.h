// CRowDecoder: decodes the stored rows of an image file, one after the other,
// into rows of the file's own pixel format (SImageSource::desc). It reads the
// stream ahead in blocks from the position it is built at, so nothing else
// may read the stream while it is in use. One thread.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/bitmap/ImageHeaders.h"

class CRowDecoder {
 public:
  CRowDecoder(CStream& stream, const SImageSource& source);

  // Writes the next stored row (desc.stride bytes) into row. Run-length rows
  // are index 0 where the file leaves pixels out; runs and packets never
  // write past the row, and a packet that crosses a row carries on in the
  // next one. False with 0x10005 when the file ends first, or the stream's
  // code.
  bool DecodeRow(uint8_t* row, uint32_t& error);

 private:
  bool Next(uint8_t& byte, uint32_t& error);
  bool Take(uint8_t* out, int64_t count, uint32_t& error);
  bool Skip(int64_t count, uint32_t& error);
  bool Refill(uint32_t& error);
  bool DecodeRle(uint8_t* row, int bits, uint32_t& error);
  bool DecodeTgaRle(uint8_t* row, uint32_t& error);

  CStream& m_Stream;
  const SImageSource m_Source;
  std::vector<uint8_t> m_Buffer;
  int32_t m_Next = 0;
  int32_t m_End = 0;
  int64_t m_Skip = 0;        // run-length .bmp: pixels of index 0 still owed
  int64_t m_PacketLeft = 0;  // TGA: pixels of the current packet still owed
  bool m_PacketIsRun = false;
  uint8_t m_RunValue[4] = {};
};
