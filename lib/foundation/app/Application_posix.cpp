#include <sys/syscall.h>
#include <unistd.h>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/time/Clock.h"
#include "lib/foundation/format/FormatSettings.h"

// The twin has no command line to parse: programs of the native build are
// test and benchmark runners.
CStr ProcessCommandLine() { return CStr(); }

CStr ProcessExePath() {
  char path[1024];
  const ssize_t length = readlink("/proc/self/exe", path, 1023);
  path[length > 0 ? length : 0] = 0;
  return CStr(path);
}

uint32_t CurrentThreadId() { return static_cast<uint32_t>(syscall(SYS_gettid)); }

void CApplication::BuildGlobals() {
  InitClock();
  InitFormatSettings();
}

void CApplication::FreeGlobals() {}
