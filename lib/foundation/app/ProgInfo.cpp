#include "lib/foundation/app/ProgInfo.h"

#include <windows.h>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileName.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/text/Language.h"
#include "lib/foundation/app/RegistryApp.h"
#include "lib/foundation/app/StartupTexts.h"

namespace {

void ShowError(const CStr& text) {
  MessageBoxA(nullptr, text.c_str(), GetLangText(kTextError), MB_OK | MB_ICONERROR);
}

CStr TempFolder() {
  char buffer[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof(buffer), buffer);
  return n > 0 && n < sizeof(buffer) ? IncludeTrailingBackslash(CStr(buffer)) : CStr();
}

}  // namespace

CProgInfo::CProgInfo(const CStr& productName, uint32_t version, CRegistryApp* registry)
    : m_ProductName(productName), m_Version(version), m_Registry(registry), m_TempFolder(TempFolder()) {}

bool CProgInfo::GetProgramFolder(bool useExeFolder) {
  if (useExeFolder) {
    m_ProgramFolder = ExtractFilePath(g_Application.GetExePath());
    return true;
  }
  try {
    m_ProgramFolder = m_Registry->ReadString(0, CStr(), CStr("RootDir"));
  } catch (const CException&) {
    ShowError(CStr("Could not retrieve the program folder from the registry. You need to reinstall ") +
              m_ProductName + ".");
    return false;
  }
  m_ProgramFolder = IncludeTrailingBackslash(m_ProgramFolder);
  if (DirectoryExists(m_ProgramFolder)) return true;
  ShowError(CStr("Could not find the program folder. One or more entries in the registry are "
                 "incorrect. You need to reinstall ") +
            m_ProductName + ".");
  return false;
}

bool CProgInfo::Startup(uint32_t defaultLanguage, bool useExeFolder) {
  if (!GetProgramFolder(useExeFolder)) return false;
  m_GUIFolder = m_ProgramFolder + "GUI\\";
  if (CountAvailableLanguages() < 2) {
    SetLanguage(defaultLanguage);
    return true;
  }
  CStr name = m_Registry->ReadString(1, CStr("International"), CStr("Language"),
                                     LanguageName(defaultLanguage));
  uint32_t language = LanguageFromName(name);
  if (!IsLanguageAvailable(language, GetAvailableLanguages())) language = defaultLanguage;
  SetLanguage(language);
  SaveLanguage();
  return true;
}

void CProgInfo::SaveLanguage() {
  m_Registry->WriteString(1, CStr("International"), CStr("Language"), LanguageName(GetLanguage()));
}

CStr CProgInfo::NewTempFileName(const CStr& prefix) const {
  char buffer[MAX_PATH + 1];
  if (!GetTempFileNameA(m_TempFolder.c_str(), prefix.c_str(), 0, buffer)) return CStr();
  return CStr(buffer);
}

int32_t CProgInfo::GetTimeZoneBias() {
  TIME_ZONE_INFORMATION zone;
  DWORD id = GetTimeZoneInformation(&zone);
  return TimeZoneBias(id, zone.Bias, zone.StandardBias, zone.DaylightBias);
}

int32_t TimeZoneBias(uint32_t zoneId, int32_t bias, int32_t standardBias, int32_t daylightBias) {
  if (zoneId == TIME_ZONE_ID_STANDARD) return -(bias + standardBias);
  if (zoneId == TIME_ZONE_ID_DAYLIGHT) return -(bias + daylightBias);
  return 0;
}
