#include "lib/gps/CommPortApi.h"

const SCommPortApi kCommPortSystemApi = {
    ::CreateFileA, ::GetCommState, ::SetCommState,      ::SetCommTimeouts,
    ::ReadFile,    ::CloseHandle,  ::GetCommProperties, ::OutputDebugStringA,
};

SCommPortApi g_CommPortApi = kCommPortSystemApi;
