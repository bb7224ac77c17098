#include "lib/bitmap/ReplaceFile.h"

#include "lib/foundation/BufferedFileStream.h"
#include "lib/foundation/ErrorCodes.h"

namespace {

constexpr int32_t kFileBuffer = 64 * 1024;

bool Discard(CBufferedFileStream& file, uint32_t& error, uint32_t code) {
  file.SetDeleteOnClose(true);
  file.Close();
  error = code;
  return false;
}

}  // namespace

bool WriteFileReplacing(const CStr& path, const std::function<bool(CStream&, uint32_t&)>& write,
                        uint32_t& error) {
  const CStr temp = MakeTempFileName(path);
  CBufferedFileStream file;
  if (!file.Open(temp, kFileModeCreate, kFileBuffer, error)) return false;
  file.SetDeleteOnClose(true);
  try {
    if (!write(file, error)) return Discard(file, error, error);
  } catch (...) {
    file.Close();
    throw;
  }
  if (!file.Flush()) return Discard(file, error, kErrFileWrite);
  file.SetDeleteOnClose(false);
  if (!file.Close()) {
    uint32_t ignored;
    FileDelete(temp, ignored);
    error = kErrFileWrite;
    return false;
  }
  if (FileRename(temp, path, error)) return true;
  uint32_t ignored;
  FileDelete(temp, ignored);
  return false;
}
