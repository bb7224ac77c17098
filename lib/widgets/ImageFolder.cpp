#include "lib/widgets/ImageFolder.h"

#include <windows.h>

#include "lib/foundation/app/ProgInfo.h"
#include "lib/foundation/app/StartupService.h"

namespace {

CStr g_ImageFolderOverride;

CStr ExecutableFolder() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CStr();
  char* slash = strrchr(path, '\\');
  if (slash) slash[1] = 0;
  return CStr(path);
}

}  // namespace

CStr GetImageFolder() {
  if (g_ImageFolderOverride.GetLength() > 0) return g_ImageFolderOverride;
  if (CProgInfo* info = GetProgInfo()) return info->GetGUIFolder();
  CStr folder = ExecutableFolder();
  folder += "GUI\\";
  return folder;
}

CStr ImagePath(const char* fileName) {
  CStr path = GetImageFolder();
  path += fileName;
  return path;
}

void SetImageFolder(const CStr& folder) { g_ImageFolderOverride = folder; }
