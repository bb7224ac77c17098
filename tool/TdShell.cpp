#include "tool/TdShell.h"

#include <windows.h>
#include <shlobj.h>

bool GetSpecialFolder(int csidl, std::string& path) {
  char buffer[MAX_PATH + 1] = "";
  if (!SHGetSpecialFolderPathA(nullptr, buffer, csidl, FALSE)) return false;
  path = buffer;
  return true;
}
