#include "lib/foundation/app/StartupService.h"

#include <windows.h>

#include <vector>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/format/Convert.h"
#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/foundation/threads/InstanceMutex.h"
#include "lib/foundation/text/Language.h"
#include "lib/foundation/app/ProgInfo.h"
#include "lib/foundation/app/RegistryApp.h"
#include "lib/foundation/app/StartupTexts.h"

namespace {

CRegistryApp* g_registryApp = nullptr;
CProgInfo* g_progInfo = nullptr;
HANDLE g_instanceMutex = nullptr;
HMODULE g_directX8 = nullptr;

void FinalizeStartup() {
  delete g_progInfo;
  g_progInfo = nullptr;
  delete g_registryApp;
  g_registryApp = nullptr;
  if (g_instanceMutex) {
    ReleaseMutex(g_instanceMutex);
    CloseHandle(g_instanceMutex);
    g_instanceMutex = nullptr;
  }
  if (g_directX8) FreeLibrary(g_directX8);
  g_directX8 = nullptr;
}

}  // namespace

CStr VersionStringText(const char* text, uint32_t length) {
  uint32_t characters = 0;
  while (characters < length && text[characters] != '\0') ++characters;
  return CStr(static_cast<int32_t>(characters), text);
}

namespace {

// A string of the version resource's Dutch (code page 1252) block.
bool QueryVersionString(const std::vector<char>& info, const char* name, CStr* value) {
  void* text = nullptr;
  UINT length = 0;
  CStr path = CStr("\\StringFileInfo\\041304E4\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), &text, &length) || !text) return false;
  *value = VersionStringText(static_cast<const char*>(text), length);
  return true;
}

void ShowEnvironmentError(const SLangText& text) {
  MessageBoxA(nullptr, GetLangText(text), GetLangText(kTextError), MB_OK | MB_ICONERROR);
}

bool AskForScreenSettings() {
  int answer = MessageBoxA(nullptr, GetLangText(kTextLowColourDepth), GetLangText(kTextError),
                           MB_YESNO | MB_ICONERROR);
  if (answer == IDYES) WinExec("rundll32 shell32.dll,Control_RunDLL desk.cpl,,3", SW_SHOW);
  return false;
}

}  // namespace

void GetFileVersionAndProductName(uint32_t* version, CStr* productName) {
  ReadVersionResource(g_Application.GetExePath(), version, productName);
}

void ReadVersionResource(const CStr& exe, uint32_t* version, CStr* productName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoA(exe.c_str(), 0, size, info.data())) {
    throw "File version info is not included in application.";
  }
  CStr text;
  if (!QueryVersionString(info, "FileVersion", &text)) {
    throw "File version info is not included in application, problably language not correct.";
  }
  *version = StrToVersion(text);
  if (!QueryVersionString(info, "ProductName", productName)) {
    throw "Product name info is not included in application, problably language not correct.";
  }
  if (productName->GetLength() == 0) {
    throw "Product name is not valid. Specify the ProductName key in the version resource.";
  }
}

bool IsVersionSwitch(const CStr& parameter) {
  return parameter.CompareNoCase("-d") == 0 || parameter.CompareNoCase("-v") == 0;
}

bool HandleVersionSwitches(uint32_t version) {
  if (g_Application.GetParamCount() == 0 || !IsVersionSwitch(g_Application.GetParam(0))) return true;
  g_Application.SetExitCode(version);
  return false;
}

bool CheckNoInstanceRunning(const CStr& windowClass, const SGuid& appGuid, uint32_t version,
                            void** mutex) {
  CStr name = GUIDToStr(appGuid) + VersionToStr(4, version);
  switch (TakeInstanceMutex(name.c_str(), windowClass.c_str(), mutex)) {
    case EInstanceMutex::kCreateFailed:
      throw "CheckNoInstanceRunning: Error creating mutex.";
    case EInstanceMutex::kWaitFailed:
      throw "CheckNoInstanceRunning: Error waiting for mutex.";
    case EInstanceMutex::kHeldElsewhere:
      return false;
    case EInstanceMutex::kTaken:
      break;
  }
  return true;
}

bool LoadDirectX8() {
  if (!g_directX8) g_directX8 = LoadLibraryA("d3d8.dll");
  return g_directX8 != nullptr;
}

bool LowColourDepth() {
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits < 9;
}

CStr AppendWithComma(const CStr& text, const CStr& addition) {
  return text.GetLength() == 0 ? addition : text + ", " + addition;
}

bool ProgInit(uint32_t languageMask, uint32_t defaultLanguage, const SGuid& appGuid,
              const CStr& productKey, const CStr& versionKey, bool useExeFolder, uint32_t flags,
              const CStr& windowClass) {
  AddFinalizeProc(FinalizeStartup);
  uint32_t version = 0;
  CStr productName;
  GetFileVersionAndProductName(&version, &productName);
  if (!HandleVersionSwitches(version)) return false;
  if ((flags & kStartupSingleInstance) &&
      !CheckNoInstanceRunning(windowClass, appGuid, version, &g_instanceMutex)) {
    return false;
  }
  g_registryApp = new CRegistryApp(productKey, versionKey);
  SetAvailableLanguages(languageMask);
  g_progInfo = new CProgInfo(productName, version, g_registryApp);
  if (!g_progInfo->Startup(defaultLanguage, useExeFolder)) return false;
  if ((flags & kStartupNeedDirectX8) && !LoadDirectX8()) {
    ShowEnvironmentError(kTextNeedDirectX8);
    return false;
  }
  if ((flags & kStartupNeedColour) && LowColourDepth()) return AskForScreenSettings();
  return true;
}

CProgInfo* GetProgInfo() { return g_progInfo; }

CRegistryApp* GetRegistryApp() { return g_registryApp; }
