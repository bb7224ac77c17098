// The version of the running system, built at load.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

class CSystemInfo {
 public:
  // Fills in from the system's version record; on failure the numbers stay 0 and
  // the text empty.
  CSystemInfo();
  ~CSystemInfo();  // frees the shell library when it was loaded
  CSystemInfo(const CSystemInfo&) = delete;
  CSystemInfo& operator=(const CSystemInfo&) = delete;

  const CStr& GetServicePack() const { return m_ServicePack; }
  uint32_t GetBuildNumber() const { return m_BuildNumber; }
  uint32_t GetMajorVersion() const { return m_MajorVersion; }
  uint32_t GetMinorVersion() const { return m_MinorVersion; }
  uint32_t GetPlatformId() const { return m_PlatformId; }
  const CStr& GetProcessor() const { return m_Processor; }
  // The shell's answer on NT 5 and later, else whether a test key under
  // HKEY_LOCAL_MACHINE can be made and removed; every failed step is false.
  bool IsAdmin();

 private:
  void* m_ShellLibrary = nullptr;  // loaded on demand
  CStr m_ServicePack;
  uint32_t m_BuildNumber = 0;
  uint32_t m_MajorVersion = 0;
  uint32_t m_MinorVersion = 0;
  uint32_t m_PlatformId = 0;
  CStr m_Processor;
};

// Built by the application object; null before and after.
extern CSystemInfo* g_SystemInfo;
