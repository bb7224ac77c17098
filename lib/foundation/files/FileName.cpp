#include "lib/foundation/files/FileName.h"

#include <cstring>

namespace {

// Index just after the last separator (0 when there is none).
int FileNameStart(const CStr& name) {
  for (int i = name.GetLength() - 1; i >= 0; --i) {
    char c = name.c_str()[i];
    if (c == '\\' || c == ':') return i + 1;
  }
  return 0;
}

// Index of the last dot of the file-name part, -1 when there is none.
int LastDot(const CStr& name) {
  int start = FileNameStart(name);
  for (int i = name.GetLength() - 1; i >= start; --i) {
    if (name.c_str()[i] == '.') return i;
  }
  return -1;
}

bool EndsWithBackslash(const CStr& name) {
  return name.GetLength() > 0 && name.c_str()[name.GetLength() - 1] == '\\';
}

}  // namespace

CStr ExtractFileName(const CStr& name) { return name.Mid(FileNameStart(name), name.GetLength()); }

CStr ExtractFilePath(const CStr& name) { return name.Left(FileNameStart(name)); }

CStr ExtractFileExt(const CStr& name) {
  int dot = LastDot(name);
  if (dot < 0 || dot == FileNameStart(name)) return CStr();
  return name.Mid(dot, name.GetLength());
}

CStr ChangeFileExt(const CStr& name, const CStr& ext) {
  int dot = LastDot(name);
  return (dot < 0 ? name : name.Left(dot)) + ext;
}

CStr IncludeTrailingBackslash(const CStr& name) {
  if (name.GetLength() == 0 || EndsWithBackslash(name)) return name;
  return name + '\\';
}

CStr ExcludeTrailingBackslash(const CStr& name) {
  return EndsWithBackslash(name) ? name.Left(name.GetLength() - 1) : name;
}

CStr ValidFileName(const CStr& text) {
  CStr result(text);
  for (int i = 0; i < result.GetLength(); ++i) {
    char* c = result.GetBuffer(i);
    if (*c != 0 && std::strchr("\"*/<>?\\|", *c)) *c = '_';
  }
  return result;
}

CStr TrimStr(const CStr& text) {
  CStr result(text);
  result.Trim();
  return result;
}
