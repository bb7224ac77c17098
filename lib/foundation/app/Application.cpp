#include "lib/foundation/app/Application.h"

#include "lib/foundation/app/CommandLine.h"
#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/foundation/time/Stopwatch.h"

CApplication::CApplication() : CStrList(true) {
  // Runs under the loader: a failure leaves its part empty and nothing escapes.
  try {
    m_MainThreadId = CurrentThreadId();
    m_ExePath = new CStr(ProcessExePath());
    ParseCommandLine(ProcessCommandLine(), *this);
    BuildGlobals();
  } catch (...) {
  }
}

CApplication::~CApplication() {
  RunFinalizeProcs();
  FreeGlobals();
  td::Free(m_ExePath);
  m_ExePath = nullptr;
}

void CApplication::SetExitCode(uint32_t code) {
  if (m_ExitCode == 0) m_ExitCode = code;
}

// The static initialisers of the foundation, in the order each relies on:
// the application object (and with it the clock), then the painting stopwatch.
CApplication g_Application;
CStopwatch g_PaintStopwatch;
