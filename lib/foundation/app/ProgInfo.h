// Facts about the running program that its start-up establishes: product
// name and version, program, GUI and temporary folders, and the language.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

class CRegistryApp;

class CProgInfo {
 public:
  CProgInfo(const CStr& productName, uint32_t version, CRegistryApp* registry);

  // The executable's folder, or "RootDir" of the program's key; tells the
  // user and answers false when that folder cannot be had.
  bool GetProgramFolder(bool useExeFolder);
  // Program and GUI folders, then the user's language among those offered.
  bool Startup(uint32_t defaultLanguage, bool useExeFolder);
  void SaveLanguage();
  // A new empty file in the temporary folder, made by the system. (Not
  // named GetTempFileName: windows.h makes that a macro.)
  CStr NewTempFileName(const CStr& prefix) const;
  // Minutes to add to UTC to get local time.
  static int32_t GetTimeZoneBias();

  const CStr& GetProductName() const { return m_ProductName; }
  uint32_t GetVersion() const { return m_Version; }
  const CStr& GetProgramFolderPath() const { return m_ProgramFolder; }
  const CStr& GetGUIFolder() const { return m_GUIFolder; }
  const CStr& GetTempFolder() const { return m_TempFolder; }

 private:
  CStr m_ProductName;
  uint32_t m_Version;
  CRegistryApp* m_Registry;
  CStr m_ProgramFolder;
  CStr m_GUIFolder;
  CStr m_TempFolder;
};

// Minutes to add to UTC from a GetTimeZoneInformation result and its biases.
int32_t TimeZoneBias(uint32_t zoneId, int32_t bias, int32_t standardBias, int32_t daylightBias);
