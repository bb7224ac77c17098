// The library's application object, built while the host loads the library:
// the host's command-line parameters (the list itself), its executable path,
// the id of the thread that loaded the library, and the globals of the
// foundation. At unload it runs the registered clean-ups, last first, before
// it frees what it holds.
#pragma once

#include <cstdint>

#include "lib/foundation/text/StrList.h"

class CApplication : public CStrList {
 public:
  CApplication();
  ~CApplication();
  CApplication(const CApplication&) = delete;
  CApplication& operator=(const CApplication&) = delete;

  int GetParamCount() const { return GetCount(); }
  const CStr& GetParam(int index) const { return GetString(index); }
  const CStr& GetExePath() const { return *m_ExePath; }
  uint32_t GetMainThreadId() const { return m_MainThreadId; }
  // Keeps the first non-zero code.
  void SetExitCode(uint32_t code);
  uint32_t GetExitCode() const { return m_ExitCode; }

 private:
  // The globals that depend on the platform (Application_win32.cpp /
  // Application_posix.cpp), built after the parameters and freed after the
  // clean-ups.
  void BuildGlobals();
  void FreeGlobals();

  CStr* m_ExePath = nullptr;
  uint32_t m_ExitCode = 0;
  uint32_t m_MainThreadId = 0;
};

extern CApplication g_Application;

// Operating-system concern: the process's command line and executable path
// and the calling thread's id.
CStr ProcessCommandLine();
CStr ProcessExePath();
uint32_t CurrentThreadId();
