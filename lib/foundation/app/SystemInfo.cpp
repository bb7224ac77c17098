#include "lib/foundation/app/SystemInfo.h"

#include <windows.h>

#include "lib/foundation/app/Registry.h"

CSystemInfo* g_SystemInfo = nullptr;

CSystemInfo::CSystemInfo() : m_Processor("Intel x68") {
  OSVERSIONINFOA info = {};
  static_assert(sizeof info == 148, "version record");
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return;
  m_ServicePack = CStr(info.szCSDVersion);
  m_BuildNumber = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS
                      ? info.dwBuildNumber & 0xFFFF
                      : info.dwBuildNumber;
  m_MajorVersion = info.dwMajorVersion;
  m_MinorVersion = info.dwMinorVersion;
  m_PlatformId = info.dwPlatformId;
}

CSystemInfo::~CSystemInfo() {
  if (m_ShellLibrary != nullptr) FreeLibrary(static_cast<HMODULE>(m_ShellLibrary));
}

bool CSystemInfo::IsAdmin() {
  if (m_PlatformId == VER_PLATFORM_WIN32_NT && m_MajorVersion >= 5) {
    if (!m_ShellLibrary) m_ShellLibrary = LoadLibraryA("shell32.dll");
    using IsUserAnAdminFn = BOOL(WINAPI*)();
    auto shell = static_cast<HMODULE>(m_ShellLibrary);
    auto isUserAnAdmin = shell ? reinterpret_cast<IsUserAnAdminFn>(reinterpret_cast<void*>(
                                     GetProcAddress(shell, "IsUserAnAdmin")))
                               : nullptr;
    if (isUserAnAdmin) return isUserAnAdmin() > 0;
  }
  CRegistry& registry = GlobalRegistry();
  const CStr key("Software\\Tidemar\\AdminTest");
  if (registry.KeyExists(HKEY_LOCAL_MACHINE, key)) return registry.DeleteKey(HKEY_LOCAL_MACHINE, key);
  if (!registry.CreateKey(HKEY_LOCAL_MACHINE, key)) return false;
  registry.DeleteKey(HKEY_LOCAL_MACHINE, key);
  return true;
}
