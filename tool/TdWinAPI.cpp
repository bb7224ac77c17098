#include "tool/TdWinAPI.h"

namespace {

using StatusExProc = BOOL(WINAPI*)(LPMEMORYSTATUSEX);

StatusExProc LookUpStatusEx() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return reinterpret_cast<StatusExProc>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GlobalMemoryStatusEx")));
}

}  // namespace

void GlobalMemoryStatusExSafe(MEMORYSTATUSEX& status) {
  static const StatusExProc statusEx = LookUpStatusEx();
  status = MEMORYSTATUSEX{};
  status.dwLength = sizeof status;
  if (statusEx != nullptr && statusEx(&status)) return;
  MEMORYSTATUS old{};
  old.dwLength = sizeof old;
  GlobalMemoryStatus(&old);
  status.dwMemoryLoad = old.dwMemoryLoad;
  status.ullTotalPhys = old.dwTotalPhys;
  status.ullAvailPhys = old.dwAvailPhys;
  status.ullTotalPageFile = old.dwTotalPageFile;
  status.ullAvailPageFile = old.dwAvailPageFile;
  status.ullTotalVirtual = old.dwTotalVirtual;
  status.ullAvailVirtual = old.dwAvailVirtual;
}
