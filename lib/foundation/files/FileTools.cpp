#include "lib/foundation/files/FileTools.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

FILETIME ToFileTime(uint64_t value) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(value);
  time.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return time;
}

uint64_t FromFileTime(const FILETIME& time) {
  return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}


CStr InFolder(const CStr& folder, const char* name) {
  const int length = folder.GetLength();
  const bool delimited = length > 0 && folder.c_str()[length - 1] == '\\';
  return (delimited ? folder : folder + "\\") + name;
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Copies the bytes of source into an open destination, reporting progress.
bool CopyBytes(TFileHandle source, TFileHandle destination, int64_t size, int32_t bufferSize,
               TFileCopyProgress callback, void* userData, void* userData2) {
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[bufferSize]);
  if (callback) callback(userData, 0.0, userData2);
  int64_t remaining = size, done = 0;
  while (remaining > 0) {
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(bufferSize, remaining));
    if (FileRead(source, buffer.get(), n) != n) return false;
    if (FileWrite(destination, buffer.get(), n) != n) return false;
    remaining -= n;
    done += n;
    if (!callback) continue;
    if (!FileFlush(destination)) return false;
    callback(userData, static_cast<double>(done) / (done + remaining) * 100, userData2);
  }
  return true;
}

// The files of one copy. Whatever way the copy ends, including an exception
// from the allocation or the callback, both handles are closed and the
// temporary file is removed unless it became the destination.
class CCopyFiles {
 public:
  CCopyFiles(const CStr& source, const CStr& destination) : temporary_(MakeTempFileName(destination)) {
    uint32_t error = 0;
    in_ = FileOpen(source, kFileModeRead | kFileShareRead, error);
    if (in_ != nullptr) out_ = FileCreate(temporary_, error);
  }
  ~CCopyFiles() {
    if (in_ != nullptr) FileClose(in_);
    if (out_ != nullptr) FileClose(out_);
    if (out_ != nullptr || created_) {
      uint32_t error = 0;
      SetFileAttributesA(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL);
      FileDelete(temporary_, error);
    }
  }
  CCopyFiles(const CCopyFiles&) = delete;
  CCopyFiles& operator=(const CCopyFiles&) = delete;

  bool IsOpen() const { return in_ != nullptr && out_ != nullptr; }
  TFileHandle In() const { return in_; }
  TFileHandle Out() const { return out_; }

  // Flushes and closes the copy: true only when both succeeded.
  bool CloseOut() {
    const bool flushed = FileFlush(out_);
    const bool closed = FileClose(out_);
    out_ = nullptr;
    created_ = true;
    return flushed && closed;
  }

  // Gives the finished copy the source's attributes and lets it replace the
  // destination in one step.
  bool Replace(const CStr& destination, DWORD attributes) {
    uint32_t error = 0;
    if (!SetFileAttributesA(temporary_.c_str(), attributes) || !FileRename(temporary_, destination, error))
      return false;
    created_ = false;
    return true;
  }

 private:
  CStr temporary_;
  TFileHandle in_ = nullptr;
  TFileHandle out_ = nullptr;
  bool created_ = false;  // closed, not yet renamed
};

}  // namespace

bool FileGetTime(TFileHandle file, uint64_t* creation, uint64_t* access, uint64_t* write,
                 uint32_t& error) {
  FILETIME times[3];
  if (!GetFileTime(file, &times[0], &times[1], &times[2]))
    return td::Fail(MapFileError(GetLastError(), kErrFileGetTime), error);
  if (creation) *creation = FromFileTime(times[0]);
  if (access) *access = FromFileTime(times[1]);
  if (write) *write = FromFileTime(times[2]);
  error = 0;
  return true;
}

bool FileSetTime(TFileHandle file, const uint64_t* creation, const uint64_t* access,
                 const uint64_t* write, uint32_t& error) {
  const FILETIME times[3] = {ToFileTime(creation ? *creation : 0),
                             ToFileTime(access ? *access : 0), ToFileTime(write ? *write : 0)};
  if (!SetFileTime(file, creation ? &times[0] : nullptr, access ? &times[1] : nullptr,
                   write ? &times[2] : nullptr))
    return td::Fail(MapFileError(GetLastError(), kErrFileSetTime), error);
  error = 0;
  return true;
}

bool FileGetTime(const CStr& name, uint64_t* creation, uint64_t* access, uint64_t* write,
                 uint32_t& error) {
  TFileHandle file = FileOpen(name, kFileModeRead | kFileShareReadWrite, error);
  if (file == nullptr) return false;
  const bool ok = FileGetTime(file, creation, access, write, error);
  FileClose(file);
  return ok;
}

bool FileSetTime(const CStr& name, const uint64_t* creation, const uint64_t* access,
                 const uint64_t* write, uint32_t& error) {
  TFileHandle file = FileOpen(name, kFileModeWrite | kFileShareRead, error);
  if (file == nullptr) return false;
  const bool ok = FileSetTime(file, creation, access, write, error);
  FileClose(file);
  return ok;
}

double GetFileDate(const CStr& name, uint32_t& error) {
  uint64_t creation = 0;
  if (!FileGetTime(name, &creation, nullptr, nullptr, error)) return 0;
  const FILETIME utc = ToFileTime(creation);
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) {
    error = kErrFileGetTime;
    return 0;
  }
  SSystemTime rec;
  std::memcpy(&rec, &st, sizeof rec);
  return SystemTimeToDateTime(rec);
}

bool SetFileDate(const CStr& name, uint32_t& error, double dt) {
  SSystemTime rec;
  SYSTEMTIME st;
  FILETIME local, utc;
  if (!DateTimeToSystemTime(rec, dt)) return td::Fail(kErrFileSetTime, error);
  std::memcpy(&st, &rec, sizeof st);
  if (!SystemTimeToFileTime(&st, &local)) return td::Fail(kErrFileSetTime, error);
  if (!LocalFileTimeToFileTime(&local, &utc)) return td::Fail(kErrFileGetTime, error);
  const uint64_t creation = FromFileTime(utc);
  return FileSetTime(name, &creation, nullptr, nullptr, error);
}

// The copy goes to a temporary file beside the destination, which replaces
// the destination only when everything succeeded.
bool FileCopySafe(const CStr& source, const CStr& destination, int32_t bufferSize,
                  TFileCopyProgress callback, void* userData, void* userData2) {
  const DWORD attributes = GetFileAttributesA(source.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  CCopyFiles files(source, destination);
  if (!files.IsOpen()) return false;
  uint32_t error = 0;
  uint64_t written = 0;
  const int64_t size = FileSeek(files.In(), 0, kSeekEnd, error);
  const bool copied = size >= 0 && FileSeek(files.In(), 0, kSeekBegin, error) == 0 &&
                      CopyBytes(files.In(), files.Out(), size, std::clamp(bufferSize, 1024, 65536), callback,
                                userData, userData2) &&
                      FileGetTime(files.In(), nullptr, nullptr, &written, error) &&
                      FileSetTime(files.Out(), &written, &written, &written, error);
  return files.CloseOut() && copied && files.Replace(destination, attributes);
}

void FindFiles(const CStr& folder, const CStr& mask, bool recursive, CStrList& list) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(InFolder(folder, mask.c_str()).c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!IsDotEntry(data.cFileName)) list.Add(InFolder(folder, data.cFileName));
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  if (!recursive) return;
  std::vector<CStr> folders;
  find = FindFirstFileA(InFolder(folder, "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDotEntry(data.cFileName))
      folders.push_back(InFolder(folder, data.cFileName));
  } while (FindNextFileA(find, &data));
  FindClose(find);
  for (auto it = folders.rbegin(); it != folders.rend(); ++it)
    FindFiles(*it, mask, recursive, list);
}

bool RunAndWait(const CStr& program, const CStr& commandLine, const CStr& directory,
                int showCommand, uint32_t& exitCode) {
  std::vector<char> line(commandLine.c_str(), commandLine.c_str() + commandLine.GetLength() + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process = {};
  const char* folder = directory.GetLength() > 0 ? directory.c_str() : nullptr;
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  exitCode = code;
  CloseHandle(process.hProcess);
  return true;
}
