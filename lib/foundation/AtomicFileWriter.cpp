#include "lib/foundation/AtomicFileWriter.h"

#include "lib/foundation/ErrorCodes.h"
#include "lib/foundation/FileSystem.h"

CAtomicFileWriter::~CAtomicFileWriter() { Discard(); }

bool CAtomicFileWriter::Open(const CStr& target, uint32_t& error, int32_t bufferSize) {
  Discard();
  m_Target = target;
  m_TempName = MakeTempFileName(target);
  if (m_Stream.Open(m_TempName, kFileModeCreate, bufferSize, error)) {
    m_Stream.SetDeleteOnClose(true);
    return true;
  }
  m_TempName = CStr();
  return false;
}

bool CAtomicFileWriter::Commit(uint32_t& error) {
  if (!m_Stream.IsOpen()) {
    error = kErrFileWrite;
    return false;
  }
  m_Stream.SetDeleteOnClose(false);
  if (!m_Stream.Close()) {
    error = kErrFileWrite;
    Discard();
    return false;
  }
  if (!FileRename(m_TempName, m_Target, error)) {
    Discard();
    return false;
  }
  m_TempName = CStr();
  error = 0;
  return true;
}

void CAtomicFileWriter::Discard() {
  if (m_Stream.IsOpen()) {
    m_Stream.Close();  // deletes the file
  } else if (m_TempName.GetLength() > 0) {
    uint32_t ignored = 0;
    FileDelete(m_TempName, ignored);
  }
  m_TempName = CStr();
}
