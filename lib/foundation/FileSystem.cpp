#include "lib/foundation/FileSystem.h"

#include <cstdio>

namespace {

bool IsDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// Index of the dot that starts the name's extension, or -1 when it has none.
int ExtensionStart(const CStr& name) {
  const char* s = name.c_str();
  for (int i = name.GetLength() - 1; i >= 0 && !IsDelimiter(s[i]); --i)
    if (s[i] == '.') return i;
  return -1;
}

CStr WithoutExtension(const CStr& name) {
  const int dot = ExtensionStart(name);
  return dot < 0 ? name : name.Left(dot);
}

CStr Numbered(const CStr& base, int n, const CStr& extension) {
  char text[16];
  std::snprintf(text, sizeof text, " (%d)", n);
  return base + text + extension;
}

// The first of base + extension, base + " (1)" + extension, ... that is free.
CStr FirstFree(const CStr& base, const CStr& extension) {
  CStr candidate = base + extension;
  for (int n = 1; FileExists(candidate); ++n) candidate = Numbered(base, n, extension);
  return candidate;
}

}  // namespace

CStr MakeTempFileName(const CStr& name) {
  return FirstFree(WithoutExtension(name), ".tmp");
}

CStr MakeUniqueFileName(const CStr& folder, const CStr& base, const CStr& extension) {
  const int length = folder.GetLength();
  const bool delimited = length > 0 && IsDelimiter(folder.c_str()[length - 1]);
  const CStr prefix = delimited ? folder : folder + CStr(kPathDelimiter);
  return FirstFree(prefix + base, extension);
}

CStr MakeBackupFileName(const CStr& name) {
  const int dot = ExtensionStart(name);
  if (dot < 0) return name + ".~";
  if (dot == name.GetLength() - 1) return name + "~";
  return name.Left(dot) + ".~" + name.Mid(dot + 1, name.GetLength());
}

void FileRenameToBackup(const CStr& name) {
  if (!FileExists(name)) return;
  const CStr backup = MakeBackupFileName(name);
  uint32_t error = 0;
  FileRename(name, backup, error);  // replaces an older backup in one step
}

void FileDeleteBackup(const CStr& name) {
  if (!FileExists(name)) return;
  const CStr backup = MakeBackupFileName(name);
  uint32_t error = 0;
  if (FileExists(backup)) FileDelete(backup, error);
}

bool IsPlainFileName(const CStr& name) {
  const int length = name.GetLength();
  if (length == 0 || name == "." || name == "..") return false;
  for (int i = 0; i < length; ++i) {
    const char c = name.c_str()[i];
    if (c == 0 || IsDelimiter(c)) return false;
  }
  return true;
}

TFileHandle FileOpenByMode(const CStr& name, uint16_t mode, uint32_t& error) {
  return mode == kFileModeCreate ? FileCreate(name, error) : FileOpen(name, mode, error);
}

bool FileCloseNamed(TFileHandle& file, CStr& name, bool deleteFile) {
  if (file == nullptr) return true;
  const bool closed = FileClose(file);
  file = nullptr;
  uint32_t error = 0;
  if (deleteFile && name.GetLength() > 0) FileDelete(name, error);
  name = CStr();
  return closed;
}
