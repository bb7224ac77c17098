// The system calls of the serial port, gathered in one table so that tests
// can put failures in their place. The table holds the real functions unless
// a test swaps an entry; tests restore it before another port runs.
#pragma once

#include <windows.h>

struct SCommPortApi {
  HANDLE(WINAPI* CreateFileA)
  (LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  BOOL(WINAPI* GetCommState)(HANDLE, LPDCB);
  BOOL(WINAPI* SetCommState)(HANDLE, LPDCB);
  BOOL(WINAPI* SetCommTimeouts)(HANDLE, LPCOMMTIMEOUTS);
  BOOL(WINAPI* ReadFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
  BOOL(WINAPI* CloseHandle)(HANDLE);
  BOOL(WINAPI* GetCommProperties)(HANDLE, LPCOMMPROP);
  void(WINAPI* OutputDebugStringA)(LPCSTR);
};

// The real functions.
extern const SCommPortApi kCommPortSystemApi;
// The table every port and the baud-rate probe call through.
extern SCommPortApi g_CommPortApi;
