// The start-up sequence that the maker's programs run before their main
// window opens: version resource, version switches, single instance,
// registry access, languages, program folder and environment checks.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Stream.h"

class CProgInfo;
class CRegistryApp;

enum : uint32_t {
  kStartupSingleInstance = 1,
  kStartupNeedDirectX8 = 2,
  kStartupNeedColour = 8,  // more than 8 bits per pixel
};

// True when the program may go on. Version-resource and single-instance
// failures throw bare texts.
bool ProgInit(uint32_t languageMask, uint32_t defaultLanguage, const SGuid& appGuid,
              const CStr& productKey, const CStr& versionKey, bool useExeFolder, uint32_t flags,
              const CStr& windowClass);

// From the host executable's version resource (ReadVersionResource).
void GetFileVersionAndProductName(uint32_t* version, CStr* productName);
// The Dutch (code page 1252) string block's FileVersion and ProductName.
void ReadVersionResource(const CStr& file, uint32_t* version, CStr* productName);
// A version-resource string as the system hands it out: at most length
// characters, up to the first terminator within them; never reads beyond.
CStr VersionStringText(const char* text, uint32_t length);
// False, with the exit code set to the version, for a first parameter "-d" or "-v".
bool HandleVersionSwitches(uint32_t version);
bool IsVersionSwitch(const CStr& parameter);
// True when no other instance of this version holds the mutex; otherwise
// brings that instance's window to the front. The mutex is kept in *mutex.
bool CheckNoInstanceRunning(const CStr& windowClass, const SGuid& appGuid, uint32_t version,
                            void** mutex);
bool LoadDirectX8();
bool LowColourDepth();
CStr AppendWithComma(const CStr& text, const CStr& addition);

// The objects that ProgInit made; null before it ran.
CProgInfo* GetProgInfo();
CRegistryApp* GetRegistryApp();
