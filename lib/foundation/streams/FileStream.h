// A stream over a file, one system call per operation.
#pragma once

#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/Stream.h"

class CFileStream : public CStream {
 public:
  TD_DELETE_THIS(CFileStream)

  CFileStream();
  // Opens at once; throws CStreamError "CFileStream::Open: Cannot open file <name>".
  CFileStream(const CStr& name, uint16_t mode);
  ~CFileStream();
  CFileStream(const CFileStream&) = delete;
  CFileStream& operator=(const CFileStream&) = delete;

  // Mode: see FileSystem.h. Open a closed stream only.
  bool Open(const CStr& name, uint16_t mode, uint32_t& error);
  // Closes; a delete-on-close file is deleted before its name is forgotten.
  void Close();
  bool IsOpen() const { return m_File != nullptr; }
  void SetDeleteOnClose(bool value) { m_DeleteOnClose = value; }
  const CStr& GetName() const { return m_Name; }

  int32_t TD_STDCALL Read(void* buffer, int32_t count) override;    // -1 on failure
  int64_t TD_STDCALL Seek(int64_t offset, int32_t origin) override;  // -1 on failure
  // Truncates or extends the file there, leaving the position at the new size.
  bool TD_STDCALL SetSize(int64_t size) override;
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override;  // -1 on failure

 private:
  bool m_DeleteOnClose = false;
  CStr m_Name;
  TFileHandle m_File = nullptr;
};
