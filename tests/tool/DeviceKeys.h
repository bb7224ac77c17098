#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Builds Ports-class device keys in the test prefix, which has none.
struct TestPort {
  const char* name;          // sub-key names: class key and Enum\TEST\<name>
  bool hasInstance;          // "DeviceInstance" present
  int linked;                // "#\Control" "Linked"; -1: no "#\Control" key
  const char* portName;      // nullptr: no "Device Parameters" key
  const char* description;
  int64_t skip;              // "SkipEnumerations"; -1: absent
};

extern const char kClassKey[];
std::string EnumKey(const char* name);  // under HKEY_LOCAL_MACHINE

void RemoveDevicePorts();
void CreateDevicePort(const TestPort& port);
// The port's "Device Parameters" key may be read (and its security changed
// or the key deleted), not written.
void MakeParametersReadOnly(const char* name);
void SetLinked(const char* name, DWORD linked);
// -1 when the value is absent.
int64_t ReadSkip(const char* name);
