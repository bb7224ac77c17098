// Names for files written beside others: the one rule that the library's
// file services and the tool both follow. Plain texts only, so that both
// can use it; whether a name is taken is the caller's to say.
#pragma once

#include <string>

// '\\', '/' or ':'.
bool IsPathDelimiter(char c);
// The index of the dot that starts the extension of the name's last part,
// or -1 when it has none.
int FileExtensionStart(const char* name, int length);

using FileNameTaken = bool (*)(const char* name);

// The first of base + extension, base + " (1)" + extension, ... not taken.
std::string FirstFreeFileName(const std::string& base, const char* extension, FileNameTaken taken);
// The name a file is written under before it replaces `name`: its extension
// becomes ".tmp" (x.tcf -> x.tmp, then x (1).tmp, ...).
std::string TempFileNameFor(const std::string& name, FileNameTaken taken);
