#include "tool/ProgInfo.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "tool/ErrorLog.h"
#include "tool/FormLanguage.h"
#include "tool/FormRTLIError.h"
#include "tool/TdLang.h"
#include "tool/TdRTLI.h"
#include "tool/TdRegistry.h"
#include "tool/TdShell.h"
#include "tool/TdStrings.h"
#include "tool/TdUtils.h"
#include "tool/TdWinAPI.h"

std::unique_ptr<TProgInfo> ProgInfo;

namespace {

const char kSupportAddress[] = "support@tidemar.com";

bool FolderExists(const std::string& folder) {
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string SpecialFolder(int csidl) {
  std::string path;
  return GetSpecialFolder(csidl, path) ? IncludeDelimiterIfSet(path) : "";
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

}  // namespace

std::string IncludeDelimiterIfSet(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\') return folder;
  return folder + "\\";
}

TProgInfo::TProgInfo(const std::string& productName,
                     const TReleaseDate& releaseDate, uint32_t version,
                     const uint8_t guid[16])
    : productName_(productName), releaseDate_(releaseDate), version_(version) {
  std::memcpy(guid_, guid, sizeof guid_);
  previousHandler_ = Application.OnException();
  Application.SetOnException(
      [this](const std::string& className, const std::string& message) {
        ApplicationException(className, message);
      });
  cpu_ = GetCPUInfo();
  cpuName_ = cpu_.Name.empty() ? cpu_.Vendor : cpu_.Name;
  cpuInfo_ = CPUInfoText(cpu_);
  os_ = GetOSInfo();
}

TProgInfo::~TProgInfo() { Application.SetOnException(previousHandler_); }

bool TProgInfo::GetProgramFolder(bool useExecutableFolder) {
  if (useExecutableFolder) {
    std::string exe = GetModuleFileNameStr(nullptr);
    programFolder_ = exe.substr(0, exe.find_last_of('\\') + 1);
    return true;
  }
  const char kMissing[] = "\x01";
  std::string folder = RegReadString(0, "", "RootDir", kMissing);
  if (folder == kMissing) {
    MessageBoxA(nullptr,
                ("Could not retrieve the program folder from the registry. "
                 "You need to reinstall " + productName_ + ".").c_str(),
                "Error", MB_OK | MB_ICONERROR);
    return false;
  }
  programFolder_ = IncludeDelimiterIfSet(folder);
  if (!FolderExists(programFolder_)) {
    MessageBoxA(nullptr,
                ("Could not find the program folder. One or more entries in "
                 "the registry are incorrect. You need to reinstall " +
                 productName_ + ".").c_str(),
                "Error", MB_OK | MB_ICONERROR);
    return false;
  }
  return true;
}

void TProgInfo::GetSystemFolders() {
  programFilesFolder_ = SpecialFolder(CSIDL_PROGRAM_FILES);
  if (programFilesFolder_.empty()) {
    TRegistry reg(HKEY_LOCAL_MACHINE);
    if (reg.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"))
      programFilesFolder_ =
          IncludeDelimiterIfSet(reg.ReadStringOr("ProgramFilesDir", ""));
  }
  appDataFolder_ = SpecialFolder(CSIDL_APPDATA);
  commonAppDataFolder_ = SpecialFolder(CSIDL_COMMON_APPDATA);
  commonDocumentsFolder_ = SpecialFolder(CSIDL_COMMON_DOCUMENTS);
  desktopFolder_ = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
  personalFolder_ = SpecialFolder(CSIDL_PERSONAL);
  favouritesFolder_ = SpecialFolder(CSIDL_FAVORITES);
  char temp[260] = "", longTemp[MAX_PATH] = "";
  DWORD n = GetTempPathA(sizeof temp, temp);
  if (n > 0 && n < sizeof temp) {
    DWORD m = GetLongPathNameA(temp, longTemp, sizeof longTemp);
    tempFolder_ = IncludeDelimiterIfSet(m > 0 && m < sizeof longTemp ? longTemp : temp);
  }
}

bool TProgInfo::ChooseLanguage(int defaultLanguage) {
  if (CountAvailableLanguages() < 2) {
    SetLanguage(defaultLanguage);
    return true;
  }
  int language = defaultLanguage;
  if (MainRegKeysSet())
    language = LanguageFromName(RegReadString(1, "International", "Language",
                                              LanguageName(defaultLanguage)));
  if (!IsLanguageAvailable(language) &&
      !ExecuteLanguageDialog(GetAvailableLanguages(), language))
    return false;
  SetLanguage(language);
  if (MainRegKeysSet()) SaveLanguage();
  return true;
}

bool TProgInfo::Startup(int defaultLanguage, bool useExecutableFolder) {
  if (!GetProgramFolder(useExecutableFolder)) return false;
  GetSystemFolders();
  std::string folder = tempFolder_.empty() ? programFolder_ : tempFolder_;
  errorLogPath_ = folder + Trim(productName_) + " errorlog.txt";
  reportAddress_ = kSupportAddress;
  return ChooseLanguage(defaultLanguage);
}

void TProgInfo::SaveLanguage() {
  RegWriteString(1, "International", "Language", LanguageName(CurrentLanguage()));
}

void TProgInfo::ApplicationException(const std::string& className,
                                     const std::string& message) {
  HandleException(className, message, RTLIStackTraceText());
}

void TProgInfo::HandleException(const std::string& className,
                                const std::string& message,
                                const std::string& stack) {
  lastClassName_ = className;
  lastMessage_ = message;
  lastStack_ = stack;
  ReportError();
  Application.Terminate();
}

void TProgInfo::ReportError() {
  std::string programText = productName_ + " v" + VersionToStr(version_, 4);
  std::string report = BuildErrorReport(programText);
  if (onError_) onError_();
  TFormRTLIError::ShowError(GetModuleFileNameStr(nullptr), programText,
                            reportAddress_, errorLogPath_, report, lastMessage_,
                            lastClassName_);
}

std::string TProgInfo::BuildErrorReport(const std::string& programText) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", now.wYear,
                now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  MEMORYSTATUSEX memory;
  GlobalMemoryStatusExSafe(memory);
  char osNumbers[96];
  std::snprintf(osNumbers, sizeof osNumbers, " (%u.%u.%u.%u/%u.%u/$%s/$%s)",
                os_.Platform, os_.Major, os_.Minor, os_.Build, os_.SPMajor,
                os_.SPMinor, Hex(os_.ProductType, 2).c_str(),
                Hex(os_.SuiteMask, 4).c_str());
  std::string block =
      std::string(80, '*') + "\r\n" +
      "Date        : " + date + "\r\n" +
      "File        : " + errorLogPath_ + "\r\n" +
      "Application : " + programText + "\r\n" +
      "CPU Name    : " + cpuName_ + "\r\n" +
      "CPU Info    : " + cpuInfo_ + "\r\n" +
      "Memory      : " + FormatByteSize(0, 2, false, memory.ullTotalPhys) + "\r\n" +
      "OS          : " + os_.Description + osNumbers + "\r\n" +
      "Exception   : " + lastClassName_ + "\r\n" +
      "Message     : \"" + lastMessage_ + "\"\r\n\r\n" +
      lastStack_ + "\r\n\r\n";
  if (!errorLogPath_.empty()) PrependToErrorLog(errorLogPath_, block);
  return block;
}
