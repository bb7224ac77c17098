#include <windows.h>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/files/FileSystem.h"

namespace {

const DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
const DWORD kSharing[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE};

TFileHandle Checked(HANDLE handle, uint32_t defaultCode, uint32_t& error) {
  if (handle != INVALID_HANDLE_VALUE) {
    error = 0;
    return handle;
  }
  error = MapFileError(GetLastError(), defaultCode);
  return nullptr;
}

bool Report(BOOL ok, uint32_t defaultCode, uint32_t& error) {
  error = ok ? 0 : MapFileError(GetLastError(), defaultCode);
  return ok != 0;
}

}  // namespace

const char kPathDelimiter = '\\';

uint32_t MapFileError(uint32_t systemError, uint32_t defaultCode) {
  switch (systemError) {
    case ERROR_FILE_NOT_FOUND: return kErrFileNotFound;
    case ERROR_ACCESS_DENIED: return kErrAccessDenied;
    case ERROR_WRITE_PROTECT: return kErrWriteProtected;
    default: return defaultCode;
  }
}

bool FileExists(const CStr& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const CStr& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TFileHandle FileCreate(const CStr& name, uint32_t& error) {
  if (td::FileFault(kErrFileCreate, error)) return nullptr;
  HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Checked(handle, kErrFileCreate, error);
}

TFileHandle FileOpen(const CStr& name, uint16_t mode, uint32_t& error) {
  const unsigned access = mode & 3, sharing = (mode >> 4) & 15;
  if (access > 2 || sharing > 4) {
    error = kErrFileOpen;
    return nullptr;
  }
  HANDLE handle = CreateFileA(name.c_str(), kAccess[access], kSharing[sharing], nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return Checked(handle, kErrFileOpen, error);
}

bool FileClose(TFileHandle file) { return CloseHandle(file) != 0; }

int32_t FileRead(TFileHandle file, void* buffer, int32_t count) {
  DWORD done = 0;
  if (count < 0 || !ReadFile(file, buffer, count, &done, nullptr)) return -1;
  return static_cast<int32_t>(done);
}

int32_t FileWrite(TFileHandle file, const void* buffer, int32_t count) {
  if (td::FileFaultHit()) return -1;
  DWORD done = 0;
  if (count < 0 || !WriteFile(file, buffer, count, &done, nullptr)) return -1;
  return static_cast<int32_t>(done);
}

int64_t FileSeek(TFileHandle file, int64_t position, int origin, uint32_t& error) {
  LARGE_INTEGER distance, result;
  distance.QuadPart = position;
  const bool valid = origin >= kSeekBegin && origin <= kSeekEnd;
  if (valid && SetFilePointerEx(file, distance, &result, origin)) {
    error = 0;
    return result.QuadPart;
  }
  error = valid ? MapFileError(GetLastError(), kErrFileSeek) : kErrFileSeek;
  return -1;
}

bool FileSetEnd(TFileHandle file) { return !td::FileFaultHit() && SetEndOfFile(file) != 0; }

bool FileFlush(TFileHandle file) { return !td::FileFaultHit() && FlushFileBuffers(file) != 0; }

bool FileDelete(const CStr& name, uint32_t& error) {
  if (td::FileFault(kErrFileDelete, error)) return false;
  return Report(DeleteFileA(name.c_str()), kErrFileDelete, error);
}

bool FileRename(const CStr& oldName, const CStr& newName, uint32_t& error) {
  if (td::FileFault(kErrFileRename, error)) return false;
  // Replacing in one step lets a finished temporary file take the old one's place.
  const BOOL ok = MoveFileExA(oldName.c_str(), newName.c_str(), MOVEFILE_REPLACE_EXISTING);
  return Report(ok, kErrFileRename, error);
}
