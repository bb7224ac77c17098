#include "lib/foundation/files/AtomicFileWriter.h"

#include <utility>

#include "lib/foundation/core/ErrorCodes.h"

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const CStr& target, int32_t bufferSize, uint32_t& error) {
  Discard();
  // Every copy is made before the temporary file exists, so that running out
  // of memory leaves none.
  CStr kept(target);
  CStr temp = MakeTempFileName(target);
  if (!m_Stream.Open(temp, kFileModeCreate, bufferSize, error)) return false;
  m_Stream.SetDeleteOnClose(true);
  m_Target = std::move(kept);
  m_TempName = std::move(temp);
  return true;
}

bool CAtomicFileWriter::Close(uint32_t& error) {
  if (!m_Stream.IsOpen()) {
    if (m_TempName.GetLength() > 0) return true;  // closed before
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
  if (m_Stream.IsOpen() || m_TempName.GetLength() == 0) {
    error = kErrFileWrite;
    return false;
  }
  if (!FileRename(m_TempName, m_Target, error)) {
    RemoveTemp();
    return false;
  }
  m_TempName.Clear();
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
  if (m_TempName.GetLength() == 0) return;
  uint32_t ignored = 0;
  FileDelete(m_TempName, ignored);
  m_TempName.Clear();
}

bool WriteFileReplacing(const CStr& path, const std::function<bool(CStream&, uint32_t&)>& write,
                        uint32_t& error) {
  constexpr int32_t kFileBuffer = 64 * 1024;
  CAtomicFileWriter writer;
  return writer.Open(path, kFileBuffer, error) && write(writer.Stream(), error) &&
         writer.Commit(error);
}
