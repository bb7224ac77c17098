#include "lib/gps/CommPortProbe.h"

#include <windows.h>

#include <cstdio>

#include "lib/foundation/text/Str.h"
#include "lib/gps/CommPortApi.h"

namespace {

struct SBaudBit {
  DWORD Bit;
  int32_t Rate;
};

const SBaudBit kBaudBits[] = {
    {BAUD_075, 75},        {BAUD_110, 110},     {BAUD_150, 150},   {BAUD_300, 300},
    {BAUD_600, 600},       {BAUD_1200, 1200},   {BAUD_1800, 1800}, {BAUD_2400, 2400},
    {BAUD_4800, 4800},     {BAUD_7200, 7200},   {BAUD_9600, 9600}, {BAUD_14400, 14400},
    {BAUD_19200, 19200},   {BAUD_38400, 38400}, {BAUD_56K, 56000}, {BAUD_57600, 57600},
    {BAUD_115200, 115200}, {BAUD_128K, 128000},
};

void DebugLine(const CStr& text) { g_CommPortApi.OutputDebugStringA(text.c_str()); }

void AddSettableRates(HANDLE handle, const CStr& device, CArray<int32_t>& rates) {
  COMMPROP properties = {};
  if (!g_CommPortApi.GetCommProperties(handle, &properties)) {
    DebugLine(device + " Commproperties failed\n\n");
    return;
  }
  for (const SBaudBit& baud : kBaudBits)
    if (properties.dwSettableBaud & baud.Bit) rates.Add(baud.Rate);
}

}  // namespace

void EnumCommPorts(CArray<int32_t>& ports) {
  ports.Clear();
  throw "EnumCommPorts: Only supported on CE due to FindFirstFileEx which is "
        "not supported on "
        "Windows 98.";
}

void ProbeCommPortBaudRates(uint32_t portNumber, CArray<int32_t>& rates) {
  rates.Clear();
  char name[32];
  std::snprintf(name, sizeof name, "\\\\.\\COM%u", static_cast<unsigned>(portNumber));
  const CStr device(name);
  Sleep(200);
  HANDLE handle = g_CommPortApi.CreateFileA(name, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  DebugLine(device + " Start\n");
  if (handle == INVALID_HANDLE_VALUE) {
    DebugLine(device + " Not opened\n\n");
  } else {
    AddSettableRates(handle, device, rates);
    g_CommPortApi.CloseHandle(handle);
  }
  DebugLine(device + " End\n");
}
