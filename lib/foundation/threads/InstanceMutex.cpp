#include "lib/foundation/threads/InstanceMutex.h"

#include <windows.h>

namespace {

BOOL CALLBACK BringInstanceToFront(HWND window, LPARAM windowClass) {
  char name[512];
  if (GetClassNameA(window, name, sizeof name - 1) == 0 ||
      lstrcmpiA(name, reinterpret_cast<const char*>(windowClass)) != 0)
    return TRUE;
  SetForegroundWindow(window);
  return FALSE;
}

}  // namespace

EInstanceMutex TakeInstanceMutex(const char* name, const char* windowClass, void** mutex) {
  HANDLE handle = CreateMutexA(nullptr, TRUE, name);
  if (!handle) return EInstanceMutex::kCreateFailed;
  *mutex = handle;
  switch (WaitForSingleObject(handle, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
      return EInstanceMutex::kTaken;
    case WAIT_FAILED:
      return EInstanceMutex::kWaitFailed;
    default:
      EnumWindows(BringInstanceToFront, reinterpret_cast<LPARAM>(windowClass));
      return EInstanceMutex::kHeldElsewhere;
  }
}
