// Writes a file whole without ever changing the old one in place: the bytes
// go to a temporary file beside the target (MakeTempFileName), and Commit
// replaces the target with it in one step. Until Commit succeeds the target
// is untouched; a writer that is destroyed or fails without committing
// deletes its temporary file. One thread at a time uses a writer.
#pragma once

#include <cstdint>

#include "lib/foundation/BufferedFileStream.h"
#include "lib/foundation/Str.h"

class CAtomicFileWriter {
 public:
  CAtomicFileWriter() = default;
  ~CAtomicFileWriter();  // discards an uncommitted file
  CAtomicFileWriter(const CAtomicFileWriter&) = delete;
  CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

  // Creates the temporary file for target; false with a file-facility code.
  bool Open(const CStr& target, uint32_t& error, int32_t bufferSize = 32768);
  // The temporary file's stream, valid from a successful Open until Commit
  // or the destructor. A failed write there makes Commit fail.
  CStream& Stream() { return m_Stream; }
  // Flushes and closes the temporary file, checking every step, then puts it
  // in the target's place. False with a file-facility code when any step
  // failed; the temporary file is then gone and the target as it was.
  bool Commit(uint32_t& error);
  const CStr& GetTarget() const { return m_Target; }
  const CStr& GetTempName() const { return m_TempName; }

 private:
  void Discard();

  CBufferedFileStream m_Stream;
  CStr m_Target;
  CStr m_TempName;
};
