// Writes a file so that it is never seen half-written: the bytes go to a
// temporary file beside the target, and only a commit, after every write,
// the flush and the close succeeded, replaces the target in one step. Without
// a commit, or on any failure, the temporary file is removed and the target
// stays as it was. One thread at a time.
#pragma once

#include <cstdint>
#include <functional>

#include "lib/foundation/streams/BufferedFileStream.h"

class CAtomicFileWriter {
 public:
  CAtomicFileWriter() = default;
  ~CAtomicFileWriter();  // discards what was not committed
  CAtomicFileWriter(const CAtomicFileWriter&) = delete;
  CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

  // Creates the temporary file (MakeTempFileName) on a buffered stream.
  bool Open(const CStr& target, int32_t bufferSize, uint32_t& error);
  // Valid from Open until Close, Commit or Discard.
  CStream& Stream() { return m_Stream; }
  const CStr& GetTempName() const { return m_TempName; }

  // Closes the temporary file with every write and the flush checked; a
  // failure removes it (0x10006). The file then waits for Replace.
  bool Close(uint32_t& error);
  // Renames the closed temporary file over the target; removes it on failure.
  bool Replace(uint32_t& error);
  // Close, then Replace.
  bool Commit(uint32_t& error);
  // Closes and removes the temporary file.
  void Discard();

 private:
  void RemoveTemp();

  CBufferedFileStream m_Stream;
  CStr m_Target;
  CStr m_TempName;
  // Whether the temporary file is there to clean up: a flag, since emptying
  // a name takes memory, which may run out after the file was renamed.
  bool m_HasTemp = false;
};

// One whole file through a CAtomicFileWriter: write fills the stream and
// reports false with its error code. False with the code of the first step
// that failed; an exception from write leaves no temporary file behind.
bool WriteFileReplacing(const CStr& path, const std::function<bool(CStream&, uint32_t&)>& write,
                        uint32_t& error);
