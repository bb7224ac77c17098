#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/files/FileSystem.h"

// A handle carries the descriptor + 1, so that descriptor 0 is not null.
namespace {

int Descriptor(TFileHandle file) {
  return static_cast<int>(reinterpret_cast<intptr_t>(file)) - 1;
}

TFileHandle Handle(int fd) { return reinterpret_cast<TFileHandle>(static_cast<intptr_t>(fd) + 1); }

const int kAccess[3] = {O_RDONLY, O_WRONLY, O_RDWR};

// Refuses folders, as the Windows open does with "access denied".
TFileHandle Checked(int fd, uint32_t defaultCode, uint32_t& error) {
  struct stat st;
  if (fd >= 0 && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    close(fd);
    fd = -1;
    errno = EISDIR;
  }
  if (fd < 0) {
    error = MapFileError(errno, defaultCode);
    return nullptr;
  }
  error = 0;
  return Handle(fd);
}

bool Report(int result, uint32_t defaultCode, uint32_t& error) {
  error = result == 0 ? 0 : MapFileError(errno, defaultCode);
  return result == 0;
}

}  // namespace

const char kPathDelimiter = '/';

uint32_t MapFileError(uint32_t systemError, uint32_t defaultCode) {
  switch (systemError) {
    case ENOENT: return kErrFileNotFound;
    case EACCES: case EPERM: case EISDIR: return kErrAccessDenied;
    case EROFS: return kErrWriteProtected;
    default: return defaultCode;
  }
}

bool FileExists(const CStr& name) {
  struct stat st;
  return stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const CStr& name) {
  struct stat st;
  return stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TFileHandle FileCreate(const CStr& name, uint32_t& error) {
  if (td::FileFault(kErrFileCreate, error)) return nullptr;
  const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return Checked(fd, kErrFileCreate, error);
}

TFileHandle FileOpen(const CStr& name, uint16_t mode, uint32_t& error) {
  const unsigned access = mode & 3, sharing = (mode >> 4) & 15;
  if (access > 2 || sharing > 4) {
    error = kErrFileOpen;
    return nullptr;
  }
  const int fd = open(name.c_str(), kAccess[access] | O_CLOEXEC);
  return Checked(fd, kErrFileOpen, error);
}

bool FileClose(TFileHandle file) { return close(Descriptor(file)) == 0; }

int32_t FileRead(TFileHandle file, void* buffer, int32_t count) {
  if (count < 0) return -1;
  return static_cast<int32_t>(read(Descriptor(file), buffer, static_cast<size_t>(count)));
}

int32_t FileWrite(TFileHandle file, const void* buffer, int32_t count) {
  if (td::FileFaultHit()) return -1;
  if (count < 0) return -1;
  return static_cast<int32_t>(write(Descriptor(file), buffer, static_cast<size_t>(count)));
}

int64_t FileSeek(TFileHandle file, int64_t position, int origin, uint32_t& error) {
  static const int kWhence[3] = {SEEK_SET, SEEK_CUR, SEEK_END};
  const bool valid = origin >= kSeekBegin && origin <= kSeekEnd;
  const off_t result = valid ? lseek(Descriptor(file), position, kWhence[origin]) : -1;
  error = result >= 0 ? 0 : valid ? MapFileError(errno, kErrFileSeek) : kErrFileSeek;
  return result;
}

bool FileSetEnd(TFileHandle file) {
  if (td::FileFaultHit()) return false;
  const int fd = Descriptor(file);
  const off_t position = lseek(fd, 0, SEEK_CUR);
  return position >= 0 && ftruncate(fd, position) == 0;
}

bool FileFlush(TFileHandle file) { return !td::FileFaultHit() && fsync(Descriptor(file)) == 0; }

bool FileDelete(const CStr& name, uint32_t& error) {
  if (td::FileFault(kErrFileDelete, error)) return false;
  return Report(unlink(name.c_str()), kErrFileDelete, error);
}

bool FileRename(const CStr& oldName, const CStr& newName, uint32_t& error) {
  if (td::FileFault(kErrFileRename, error)) return false;
  return Report(rename(oldName.c_str(), newName.c_str()), kErrFileRename, error);
}
