#include "lib/foundation/SystemInfo.h"

#include <windows.h>

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
