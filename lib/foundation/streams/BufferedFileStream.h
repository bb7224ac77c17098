// A file stream that reads and writes the file in whole blocks of at most
// 32 KB and touches the system only when the position leaves the block.
#pragma once

#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/Stream.h"

class CBufferedFileStream : public CStream {
 public:
  TD_DELETE_THIS(CBufferedFileStream)

  CBufferedFileStream();
  // Opens at once; throws CStreamError
  // "CBufferedFileStream::Open: Cannot open file <name>".
  CBufferedFileStream(const CStr& name, uint16_t mode, int32_t bufferSize);
  ~CBufferedFileStream();
  CBufferedFileStream(const CBufferedFileStream&) = delete;
  CBufferedFileStream& operator=(const CBufferedFileStream&) = delete;

  // The buffer is the request rounded up to a multiple of 1024, 1024 to 32768.
  bool Open(const CStr& name, uint16_t mode, int32_t bufferSize, uint32_t& error);
  // Both report false when any block could not be written since opening (and
  // Close when the file did not close), so that a caller never takes a
  // half-written file for a good one.
  bool Flush();
  bool Close();
  bool IsOpen() const { return m_File != nullptr; }
  void SetDeleteOnClose(bool value) { m_DeleteOnClose = value; }
  const CStr& GetName() const { return m_Name; }
  int32_t GetBufferSize() const { return m_BufferSize; }

  int64_t TD_STDCALL GetPosition() override { return m_Base + m_Offset; }
  int64_t TD_STDCALL GetSize() override { return m_FileSize; }
  int32_t TD_STDCALL Read(void* buffer, int32_t count) override;
  // Refuses (-1, nothing changed) a target outside 0..size.
  int64_t TD_STDCALL Seek(int64_t offset, int32_t origin) override;
  // Growing reads back as zeros; a file that cannot follow counts as a
  // failed write.
  bool TD_STDCALL SetSize(int64_t size) override;
  // -1 once a block could not be written.
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override;

 private:
  bool Fill();
  void WriteOut();
  void MoveTo(int64_t base);
  void NextBlockWhenFull();

  int32_t m_Valid = 0;  // buffer bytes that hold file or written data
  bool m_DeleteOnClose = false;
  bool m_Dirty = false;
  CStr m_Name;
  TFileHandle m_File = nullptr;
  uint8_t* m_Buffer = nullptr;
  int32_t m_BufferSize = 0;
  int64_t m_Base = 0;    // file position of the buffer's first byte
  int32_t m_Offset = 0;  // position - base
  int64_t m_FileSize = 0;
  bool m_WriteFailed = false;
  bool m_Written = false;  // something reached the file since opening
};
