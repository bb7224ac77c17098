// The program's start-up unit: the program-information object and the
// start-up sequence that makes it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tool/Application.h"
#include "tool/OSInfo.h"
#include "tool/TdCPU.h"

struct TReleaseDate {
  int Year, Month, Day;
};

// What the program knows about itself and its machine, and the error
// report of the failure that ends it.
class TProgInfo {
 public:
  TProgInfo(const std::string& productName, const TReleaseDate& releaseDate,
            uint32_t version, const uint8_t guid[16]);
  ~TProgInfo();

  // Program folder, system folders, error-log path and the user's language;
  // false when the program cannot go on.
  bool Startup(int defaultLanguage, bool useExecutableFolder);
  void SaveLanguage();

  const std::string& ProductName() const { return productName_; }
  uint32_t Version() const { return version_; }
  const TReleaseDate& ReleaseDate() const { return releaseDate_; }
  const TOSInfo& OS() const { return os_; }
  const std::string& CPUName() const { return cpuName_; }
  const std::string& CPUInfo() const { return cpuInfo_; }
  void SetErrorLogPath(const std::string& path) { errorLogPath_ = path; }
  void SetReportAddress(const std::string& address) { reportAddress_ = address; }
  void SetOnError(std::function<void()> event) { onError_ = std::move(event); }

  // The application's exception handler: report, then end the program.
  void ApplicationException(const std::string& className,
                            const std::string& message);
  void HandleException(const std::string& className, const std::string& message,
                       const std::string& stack);
  void ReportError();
  // The report block; also put in front of the error log when it is set.
  std::string BuildErrorReport(const std::string& programText);

 private:
  bool GetProgramFolder(bool useExecutableFolder);
  void GetSystemFolders();
  bool ChooseLanguage(int defaultLanguage);

  std::string productName_;
  TReleaseDate releaseDate_;
  uint32_t version_;
  uint8_t guid_[16];
  TCPUInfo cpu_;
  std::string cpuName_, cpuInfo_;
  TOSInfo os_;
  std::string programFolder_, programFilesFolder_, appDataFolder_,
      commonAppDataFolder_, commonDocumentsFolder_, desktopFolder_,
      personalFolder_, favouritesFolder_, tempFolder_;
  std::string errorLogPath_, reportAddress_;
  std::string lastClassName_, lastMessage_, lastStack_;
  std::function<void()> onError_;
  TApplication::TExceptionHandler previousHandler_;
};

extern std::unique_ptr<TProgInfo> ProgInfo;

std::string IncludeDelimiterIfSet(const std::string& folder);

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
