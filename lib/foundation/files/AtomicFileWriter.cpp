#include "lib/foundation/files/AtomicFileWriter.h"

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"

// Discarding allocates nothing; the guard keeps a destructor from ever
// letting an exception out of the calls into the file layer.
CAtomicFileWriter::~CAtomicFileWriter() {
  td::GuardVoid([&] { Discard(); });
}

bool CAtomicFileWriter::Open(const CStr& target, int32_t bufferSize, uint32_t& error) {
  Discard();
  // The names first: once the file exists nothing may fail before it is
  // known to be removed.
  m_TempName = MakeTempFileName(target);
  m_Target = target;
  if (!m_Stream.Open(m_TempName, kFileModeCreate, bufferSize, error)) return false;
  m_Stream.SetDeleteOnClose(true);
  m_TempLeft = true;
  return true;
}

bool CAtomicFileWriter::Close(uint32_t& error) {
  if (!m_Stream.IsOpen()) {
    if (m_TempLeft) return true;  // closed before
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
  if (m_Stream.IsOpen() || !m_TempLeft) {
    error = kErrFileWrite;
    return false;
  }
  if (!FileRename(m_TempName, m_Target, error)) {
    RemoveTemp();
    return false;
  }
  m_TempLeft = false;
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
  if (!m_TempLeft) return;
  uint32_t ignored = 0;
  FileDelete(m_TempName, ignored);
  m_TempLeft = false;
}

bool WriteFileReplacing(const CStr& path, const std::function<bool(CStream&, uint32_t&)>& write,
                        uint32_t& error) {
  constexpr int32_t kFileBuffer = 64 * 1024;
  CAtomicFileWriter writer;
  return writer.Open(path, kFileBuffer, error) && write(writer.Stream(), error) &&
         writer.Commit(error);
}
