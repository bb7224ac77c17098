#include "tool/TdProgInfo.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "lib/foundation/threads/InstanceMutex.h"
#include "tool/Application.h"
#include "tool/ErrorLog.h"
#include "tool/Exceptions.h"
#include "tool/FormLanguage.h"
#include "tool/FormRTLIError.h"
#include "tool/TdLang.h"
#include "tool/TdMsgBox.h"
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
    TRegistryKey reg(HKEY_LOCAL_MACHINE);
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

// The start-up sequence.

namespace {

void* g_mutex = nullptr;
HMODULE g_d3d8 = nullptr;

const TLangText SDirectX = {{
    "This application needs DirectX 8.0 or a higher version to run.\n\nThe "
    "latest version of DirectX can be downloaded from the Microsoft web site.",
    "Deze toepassing heeft DirectX 8.0 of hoger nodig om goed te werken.\n\n"
    "De nieuwste versie van DirectX kan worden gedownload van de website van "
    "Microsoft."}};
const TLangText SColourDepth = {{
    "To run this application, the desktop must have a color resolution of 16 "
    "bits or more.\n\nDo you want to open the Screen Settings Dialog to "
    "change the settings?",
    "Om deze applicatie uit te voeren, dient uw beeldscherm ingesteld te "
    "staan op een kleurendiepte van ten minste 16 bits.\n\nWilt u de "
    "instellingen van uw beeldscherm nu aanpassen?"}};

std::string QueryVersionString(const std::vector<char>& block, const char* name) {
  std::string path = std::string("\\StringFileInfo\\041304E4\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value),
                      &length) || value == nullptr)
    throw std::out_of_range(name);
  return std::string(value, strnlen(value, length));
}

}  // namespace

void GetFileVersionAndProductName(uint32_t& version, std::string& productName) {
  std::string exe = GetModuleFileNameStr(nullptr);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(exe.c_str(), 0, size, block.data()))
    throw EProgInitError("File version info is not included in application.");
  try {
    version = SetVersionStr(QueryVersionString(block, "FileVersion"));
  } catch (const std::out_of_range&) {
    throw EProgInitError(
        "File version info is not included in application, problably "
        "language not correct.");
  }
  try {
    productName = QueryVersionString(block, "ProductName");
  } catch (const std::out_of_range&) {
    throw EProgInitError(
        "Product name info is not included in application, problably "
        "language not correct.");
  }
  if (productName.empty())
    throw EProgInitError(
        "Product name is not valid. Specify the ProductName key in the "
        "version resource.");
}

bool HandleVersionSwitches(uint32_t version) {
  if (__argc < 2) return true;
  const char* first = __argv[1];
  if (_stricmp(first, "-d") != 0 && _stricmp(first, "-v") != 0) return true;
  Application.SetExitCode(static_cast<int>(version));
  return false;
}

bool CheckNoInstanceRunning(const std::string& windowClass,
                            const uint8_t guid[16], uint32_t version) {
  std::string name = GUIDToStr(guid) + VersionToStr(version, 4);
  switch (TakeInstanceMutex(name.c_str(), windowClass.c_str(), &g_mutex)) {
    case EInstanceMutex::kCreateFailed:
      throw EProgInitError("Error creating mutex.");
    case EInstanceMutex::kWaitFailed:
      throw EProgInitError("Error waiting for mutex.");
    case EInstanceMutex::kHeldElsewhere:
      return false;
    case EInstanceMutex::kTaken:
      break;
  }
  return true;
}

bool HighResTimerAvailable() {
  LARGE_INTEGER frequency;
  return QueryPerformanceFrequency(&frequency) != 0;
}

bool LoadDirectX8() {
  if (g_d3d8 == nullptr) g_d3d8 = LoadLibraryA("d3d8.dll");
  return g_d3d8 != nullptr;
}

bool LowColourDepth() {
  HDC dc = GetDC(nullptr);
  int bits = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
  return bits < 9;
}

bool ProgInit(const TProgInitConfig& config) {
  uint32_t version = 0;
  std::string productName;
  GetFileVersionAndProductName(version, productName);
  Application.SetTitle(productName);
  if (!HandleVersionSwitches(version)) return false;
  if ((config.Flags & pifSingleInstance) &&
      !CheckNoInstanceRunning(config.MainFormClass, config.Guid, version))
    return false;
  SetMainRegKeys(config.ProductKey, config.VersionKey);
  SetAvailableLanguages(config.Languages);
  ProgInfo = std::make_unique<TProgInfo>(productName, config.ReleaseDate,
                                         version, config.Guid);
  if (!ProgInfo->Startup(config.DefaultLanguage, config.UseExecutableFolder))
    return false;
  if (!HighResTimerAvailable()) {
    MessageDlg("High resolution timer not available.", mtError, MsgButton(mbOK));
    return false;
  }
  if ((config.Flags & pifRequireDirectX8) && !LoadDirectX8()) {
    MessageDlg(GetLangStr(SDirectX), mtError, MsgButton(mbOK));
    return false;
  }
  if ((config.Flags & pifRequireColours) && LowColourDepth()) {
    if (MessageDlg(GetLangStr(SColourDepth), mtError,
                   MsgButton(mbYes) | MsgButton(mbNo)) == mrYes)
      WinExec("rundll32 shell32.dll,Control_RunDLL desk.cpl,,3", SW_SHOW);
    return false;
  }
  return true;
}

void ProgFinalize() {
  ProgInfo.reset();
  if (g_mutex != nullptr) {
    ReleaseMutex(g_mutex);
    CloseHandle(g_mutex);
    g_mutex = nullptr;
  }
  if (g_d3d8 != nullptr) FreeLibrary(g_d3d8);
  g_d3d8 = nullptr;
}
