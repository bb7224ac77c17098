// The file times of FileTools.h on POSIX systems. Such systems keep no
// creation time: the status-change time stands in when reading, and a
// creation time to set is ignored.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileTools.h"

namespace {

// 100-ns units from 1601-01-01 to 1970-01-01.
constexpr uint64_t kUnixEpoch = 116444736000000000ull;

uint64_t FromTimespec(const timespec& time) {
  return static_cast<uint64_t>(time.tv_sec) * 10000000ull +
         static_cast<uint64_t>(time.tv_nsec) / 100 + kUnixEpoch;
}

timespec ToTimespec(const uint64_t* value) {
  timespec time{};
  if (value == nullptr) {
    time.tv_nsec = UTIME_OMIT;
    return time;
  }
  const int64_t units = static_cast<int64_t>(*value - kUnixEpoch);
  time.tv_sec = static_cast<time_t>(units / 10000000);
  time.tv_nsec = static_cast<long>(units % 10000000 * 100);
  if (time.tv_nsec < 0) {
    time.tv_nsec += 1000000000;
    --time.tv_sec;
  }
  return time;
}

int Descriptor(TFileHandle file) { return static_cast<int>(reinterpret_cast<intptr_t>(file)) - 1; }

bool Report(const struct stat& st, uint64_t* creation, uint64_t* access, uint64_t* write,
            uint32_t& error) {
  if (creation) *creation = FromTimespec(st.st_ctim);
  if (access) *access = FromTimespec(st.st_atim);
  if (write) *write = FromTimespec(st.st_mtim);
  error = 0;
  return true;
}

bool Failed(uint32_t defaultCode, uint32_t& error) {
  error = MapFileError(errno, defaultCode);
  return false;
}

}  // namespace

bool FileGetTime(TFileHandle file, uint64_t* creation, uint64_t* access, uint64_t* write,
                 uint32_t& error) {
  struct stat st;
  if (fstat(Descriptor(file), &st) != 0) return Failed(kErrFileGetTime, error);
  return Report(st, creation, access, write, error);
}

bool FileSetTime(TFileHandle file, const uint64_t* creation, const uint64_t* access,
                 const uint64_t* write, uint32_t& error) {
  const timespec times[2] = {ToTimespec(access), ToTimespec(write)};
  if (futimens(Descriptor(file), times) != 0) return Failed(kErrFileSetTime, error);
  error = 0;
  return true;
}

bool FileGetTime(const CStr& name, uint64_t* creation, uint64_t* access, uint64_t* write,
                 uint32_t& error) {
  struct stat st;
  if (stat(name.c_str(), &st) != 0) return Failed(kErrFileGetTime, error);
  return Report(st, creation, access, write, error);
}

bool FileSetTime(const CStr& name, const uint64_t* creation, const uint64_t* access,
                 const uint64_t* write, uint32_t& error) {
  const timespec times[2] = {ToTimespec(access), ToTimespec(write)};
  if (utimensat(AT_FDCWD, name.c_str(), times, 0) != 0) return Failed(kErrFileSetTime, error);
  error = 0;
  return true;
}
