// File-name text helpers; a separator is a backslash or a colon.
#pragma once

#include "lib/foundation/text/Str.h"

CStr ExtractFileName(const CStr& name);
CStr ExtractFilePath(const CStr& name);
// The extension with its dot; a dot that starts the file name is no extension.
CStr ExtractFileExt(const CStr& name);
CStr ChangeFileExt(const CStr& name, const CStr& ext);
CStr IncludeTrailingBackslash(const CStr& name);
CStr ExcludeTrailingBackslash(const CStr& name);
// Replaces the characters that a file name cannot hold by underscores.
CStr ValidFileName(const CStr& text);
CStr TrimStr(const CStr& text);
