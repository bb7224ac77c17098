// Windows file services beyond the basic wrappers: file times and dates, a
// copy with progress, a file search and a run-and-wait helper. Errors are the
// library's codes, 0 on success.
#pragma once

#include <cstdint>

#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/text/StrList.h"

// File times are the system's 100-ns counts since 1601-01-01 (UTC); a null
// pointer leaves that time out.
bool FileGetTime(TFileHandle file, uint64_t* creation, uint64_t* access, uint64_t* write,
                 uint32_t& error);
bool FileSetTime(TFileHandle file, const uint64_t* creation, const uint64_t* access,
                 const uint64_t* write, uint32_t& error);
bool FileGetTime(const CStr& name, uint64_t* creation, uint64_t* access, uint64_t* write,
                 uint32_t& error);
bool FileSetTime(const CStr& name, const uint64_t* creation, const uint64_t* access,
                 const uint64_t* write, uint32_t& error);

// The creation time as a local date-time, and back.
double GetFileDate(const CStr& name, uint32_t& error);
bool SetFileDate(const CStr& name, uint32_t& error, double dt);

// Called with (userData, percent done, userData2).
typedef void (*TFileCopyProgress)(void* userData, double percent, void* userData2);

// Copies the bytes to a temporary file beside the destination, then the
// last-write time and the attributes, flushes and closes it and replaces the
// destination in one step. On any failure, or an exception from the callback
// or the allocation (which passes on), the destination is untouched, both
// files are closed and the temporary file is gone.
bool FileCopySafe(const CStr& source, const CStr& destination, int32_t bufferSize,
                  TFileCopyProgress callback, void* userData, void* userData2);

// Adds folder + name of every entry matching the mask (folders included) and,
// when recursive, searches every sub-folder the same way.
void FindFiles(const CStr& folder, const CStr& mask, bool recursive, CStrList& list);

// Starts the program and waits for it to end; false when it did not start.
bool RunAndWait(const CStr& program, const CStr& commandLine, const CStr& directory,
                int showCommand, uint32_t& exitCode);
