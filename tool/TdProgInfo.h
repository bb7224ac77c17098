#pragma once
#include <cstdint>
#include <string>

#include "tool/ProgInfo.h"

enum : uint32_t {
  pifSingleInstance = 1, pifRequireDirectX8 = 2, pifRequireColours = 8
};

struct TProgInitConfig {
  unsigned Languages;  // bit n for language n
  int DefaultLanguage;
  uint8_t Guid[16];
  const char* MainFormClass;
  TReleaseDate ReleaseDate;
  uint32_t Flags;
  bool UseExecutableFolder;
  const char* VersionKey;
  const char* ProductKey;
};

// The start-up checks; false when the program must end without a window.
bool ProgInit(const TProgInitConfig& config);
void ProgFinalize();

void GetFileVersionAndProductName(uint32_t& version, std::string& productName);
// False when the first parameter is "-d" or "-v" (any case): the exit code
// then becomes the packed version and the program ends.
bool HandleVersionSwitches(uint32_t version);
bool CheckNoInstanceRunning(const std::string& windowClass,
                            const uint8_t guid[16], uint32_t version);
bool HighResTimerAvailable();
bool LoadDirectX8();
bool LowColourDepth();
