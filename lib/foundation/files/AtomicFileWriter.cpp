#include "lib/foundation/files/AtomicFileWriter.h"

#include <utility>

#include "lib/foundation/core/ErrorCodes.h"

// Discarding allocates nothing: the temporary file is marked gone by a flag.
CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

// The names are made before the file, so that nothing after its creation
// can run out of memory.
bool CAtomicFileWriter::Open(const CStr& target, int32_t bufferSize, uint32_t& error) {
  Discard();
  CStr temp = MakeTempFileName(target);
  CStr ownTarget(target);
  if (!m_Stream.Open(temp, kFileModeCreate, bufferSize, error)) return false;
  m_Stream.SetDeleteOnClose(true);
  m_Target = std::move(ownTarget);
  m_TempName = std::move(temp);
  m_HasTemp = true;
  return true;
}

bool CAtomicFileWriter::Close(uint32_t& error) {
  if (!m_Stream.IsOpen()) {
    if (m_HasTemp) return true;  // closed before
    error = kErrFileWrite;
    return false;
  }
  m_Stream.SetDeleteOnClose(false);
  if (m_Stream.Close()) return true;
  RemoveTemp();
  error = kErrFileWrite;
  return false;
}

bool CAtomicFileWriter::Replace(uint32_t& error) {
  if (m_Stream.IsOpen() || !m_HasTemp) {
    error = kErrFileWrite;
    return false;
  }
  if (!FileRename(m_TempName, m_Target, error)) {
    RemoveTemp();
    return false;
  }
  m_HasTemp = false;
  return true;
}

bool CAtomicFileWriter::Commit(uint32_t& error) { return Close(error) && Replace(error); }

void CAtomicFileWriter::Discard() {
  if (m_Stream.IsOpen()) {
    m_Stream.SetDeleteOnClose(false);
    m_Stream.Close();
  }
  RemoveTemp();
}

void CAtomicFileWriter::RemoveTemp() {
  if (!m_HasTemp) return;
  uint32_t ignored = 0;
  FileDelete(m_TempName, ignored);
  m_HasTemp = false;
}

bool WriteFileReplacing(const CStr& path, const std::function<bool(CStream&, uint32_t&)>& write,
                        uint32_t& error) {
  constexpr int32_t kFileBuffer = 64 * 1024;
  CAtomicFileWriter writer;
  return writer.Open(path, kFileBuffer, error) && write(writer.Stream(), error) &&
         writer.Commit(error);
}
