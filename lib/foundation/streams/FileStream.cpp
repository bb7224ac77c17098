#include "lib/foundation/streams/FileStream.h"

#include <utility>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/exports/Guard.h"

CFileStream::CFileStream() = default;

CFileStream::CFileStream(const CStr& name, uint16_t mode) {
  uint32_t error = 0;
  if (!Open(name, mode, error))
    throw CStreamError(CStr("CFileStream::Open: Cannot open file ") + name);
}

CFileStream::~CFileStream() { Close(); }

// The name is copied first: running out of memory after the file opened
// would leave it open (a constructor that throws runs no destructor).
bool CFileStream::Open(const CStr& name, uint16_t mode, uint32_t& error) {
  CStr ownName(name);
  m_File = FileOpenByMode(name, mode, error);
  if (m_File != nullptr) m_Name = std::move(ownName);
  return m_File != nullptr;
}

void CFileStream::Close() { FileCloseNamed(m_File, m_Name, m_DeleteOnClose); }

int32_t TD_STDCALL CFileStream::Read(void* buffer, int32_t count) {
  return td::Guard(-1, [&] { return m_File ? FileRead(m_File, buffer, count) : -1; });
}

int32_t TD_STDCALL CFileStream::Write(const void* buffer, int32_t count) {
  return td::Guard(-1, [&] { return m_File ? FileWrite(m_File, buffer, count) : -1; });
}

int64_t TD_STDCALL CFileStream::Seek(int64_t offset, int32_t origin) {
  return td::Guard(-1, [&] {
    uint32_t error = 0;
    return m_File ? FileSeek(m_File, offset, origin, error) : -1;
  });
}

bool TD_STDCALL CFileStream::SetSize(int64_t size) {
  return td::Guard(false, [&] { return Seek(size, 0) >= 0 && FileSetEnd(m_File); });
}
