#include "tool/TdProgInfo.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "lib/foundation/InstanceMutex.h"
#include "tool/Application.h"
#include "tool/Exceptions.h"
#include "tool/TdLang.h"
#include "tool/TdMsgBox.h"
#include "tool/TdRegistry.h"
#include "tool/TdUtils.h"

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
