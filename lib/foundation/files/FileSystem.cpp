#include "lib/foundation/files/FileSystem.h"

#include "lib/foundation/files/FileNaming.h"

namespace {

// Index of the dot that starts the name's extension, or -1 when it has none.
int ExtensionStart(const CStr& name) { return FileExtensionStart(name.c_str(), name.GetLength()); }

bool Taken(const char* name) { return FileExists(CStr(name)); }

}  // namespace

CStr MakeTempFileName(const CStr& name) { return CStr(TempFileNameFor(name.c_str(), Taken).c_str()); }

CStr MakeUniqueFileName(const CStr& folder, const CStr& base, const CStr& extension) {
  const int length = folder.GetLength();
  const bool delimited = length > 0 && IsPathDelimiter(folder.c_str()[length - 1]);
  const CStr prefix = delimited ? folder : folder + CStr(kPathDelimiter);
  return CStr(FirstFreeFileName((prefix + base).c_str(), extension.c_str(), Taken).c_str());
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
    if (c == 0 || IsPathDelimiter(c)) return false;
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
  name.Clear();  // allocates nothing: destructors close
  return closed;
}
