// The envelope of the descriptive sections of a version 2.0.0.0 chart file:
// a payload scrambled with a rolling XOR from 0x3B, then its XorChecksum32.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/charts/TCF2File.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/Stream.h"

// Scrambles or unscrambles a section payload in place.
void TCF2ScrambleSection(void* data, size_t byteCount);

// Copies the payload of the section at position (size = payload + 4) into
// the empty memory stream and checks its checksum; on a match unscrambles it
// and rewinds the memory stream. A size below 4 or a section not inside the
// file gives 0x10015, a mismatch 0x1001B with the bytes left scrambled.
bool TCF2ReadSection(CStream& file, uint64_t size, uint64_t position, CMemoryStream& payload,
                     uint32_t& error);
// Scrambles the plain payload in place and writes it and its checksum at the
// file's position.
bool TCF2WriteSection(CStream& file, CMemoryStream& payload, uint32_t& error);

// Runs write, which writes one whole section at the file's position and
// reports false with its code, and records where the section went and its
// size (payload + checksum).
template <class Writer>
bool TCF2RecordSection(CStream& file, STCF2FileSection& section, uint32_t& error, Writer write) {
  const int64_t start = file.GetPosition();
  if (!write()) return false;
  section.Position = static_cast<uint64_t>(start);
  section.Size = static_cast<uint64_t>(file.GetPosition() - start);
  error = 0;
  return true;
}
