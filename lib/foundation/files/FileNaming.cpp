#include "lib/foundation/files/FileNaming.h"

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

int FileExtensionStart(const char* name, int length) {
  for (int i = length - 1; i >= 0 && !IsPathDelimiter(name[i]); --i)
    if (name[i] == '.') return i;
  return -1;
}

std::string FirstFreeFileName(const std::string& base, const char* extension, FileNameTaken taken) {
  std::string candidate = base + extension;
  for (int n = 1; taken(candidate.c_str()); ++n)
    candidate = base + " (" + std::to_string(n) + ")" + extension;
  return candidate;
}

std::string TempFileNameFor(const std::string& name, FileNameTaken taken) {
  const int dot = FileExtensionStart(name.c_str(), static_cast<int>(name.size()));
  return FirstFreeFileName(dot < 0 ? name : name.substr(0, dot), ".tmp", taken);
}
