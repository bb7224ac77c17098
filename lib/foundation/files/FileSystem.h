// The file-system calls: files opened as a TFileHandle, read, written, sought,
// flushed, renamed and deleted, with failures as the library's error codes (0
// on success); and the naming rules of temporary, unique and backup files.
// Times, copies and searches are in FileTools.h.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

// An open file; null when none is open.
typedef void* TFileHandle;

// Open modes: 0xFFFF creates (replacing) for reading and writing, unshared;
// otherwise bits 0-1 give the access (0 read, 1 write, 2 both) and bits 4-7 the
// sharing (0, 1 none, 2 read, 3 write, 4 both) of an existing file.
constexpr uint16_t kFileModeCreate = 0xFFFF;
constexpr uint16_t kFileModeRead = 0x0000;
constexpr uint16_t kFileModeWrite = 0x0001;
constexpr uint16_t kFileModeReadWrite = 0x0002;
constexpr uint16_t kFileShareRead = 0x0020;
constexpr uint16_t kFileShareWrite = 0x0030;
constexpr uint16_t kFileShareReadWrite = 0x0040;

// Seek origins.
constexpr int kSeekBegin = 0;
constexpr int kSeekCurrent = 1;
constexpr int kSeekEnd = 2;

// Not found -> 0x10000, access denied -> 0x10003, write-protected -> 0x10004,
// any other system error -> defaultCode.
uint32_t MapFileError(uint32_t systemError, uint32_t defaultCode);

// Operating-system concern (FileSystem_win32.cpp / FileSystem_posix.cpp).
bool FileExists(const CStr& name);
bool DirectoryExists(const CStr& name);
TFileHandle FileCreate(const CStr& name, uint32_t& error);
TFileHandle FileOpen(const CStr& name, uint16_t mode, uint32_t& error);
bool FileClose(TFileHandle file);  // false when pending data could not be written; closes even then
int32_t FileRead(TFileHandle file, void* buffer, int32_t count);          // -1 on failure
int32_t FileWrite(TFileHandle file, const void* buffer, int32_t count);   // -1 on failure
int64_t FileSeek(TFileHandle file, int64_t position, int origin, uint32_t& error);
bool FileSetEnd(TFileHandle file);  // truncates or extends at the file pointer
bool FileFlush(TFileHandle file);
bool FileDelete(const CStr& name, uint32_t& error);
bool FileRename(const CStr& oldName, const CStr& newName, uint32_t& error);
extern const char kPathDelimiter;

// Naming rules; none of them fails.
CStr MakeTempFileName(const CStr& name);       // x.tcf -> x.tmp, x (1).tmp, ...
CStr MakeUniqueFileName(const CStr& folder, const CStr& base, const CStr& extension);
CStr MakeBackupFileName(const CStr& name);     // chart.wpt -> chart.~wpt
// Renames name to its backup name, replacing an older backup in one step:
// when the rename fails, the older backup is still there.
void FileRenameToBackup(const CStr& name);
void FileDeleteBackup(const CStr& name);

// Whether a name read from a file is a plain file name that stays in its folder.
bool IsPlainFileName(const CStr& name);

// Creates (mode 0xFFFF) or opens (any other mode) as the file streams do.
TFileHandle FileOpenByMode(const CStr& name, uint16_t mode, uint32_t& error);
// Closes an open file, deletes it when asked, and forgets handle and name
// (the name stays when memory runs out); whether the close succeeded. Never
// throws.
bool FileCloseNamed(TFileHandle& file, CStr& name, bool deleteFile);
