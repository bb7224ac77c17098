#include "tests/tool/DeviceKeys.h"

#include <aclapi.h>

const char kClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\"
    "{4d36e978-e325-11ce-bfc1-08002be10318}";

namespace {

const char kEnumRoot[] = "SYSTEM\\CurrentControlSet\\Enum\\TEST";

HKEY Create(const std::string& path) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

void SetString(HKEY key, const char* name, const std::string& value) {
  RegSetValueExA(key, name, 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

void SetDword(HKEY key, const char* name, DWORD value) {
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof value);
}

std::string ClassSubKey(const char* name) {
  return std::string(kClassKey) + "\\##?#TEST#" + name;
}

}  // namespace

std::string EnumKey(const char* name) { return std::string(kEnumRoot) + "\\" + name; }

void RemoveDevicePorts() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClassKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kClassKey);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kEnumRoot);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kEnumRoot);
}

void CreateDevicePort(const TestPort& port) {
  HKEY cls = Create(ClassSubKey(port.name));
  if (port.hasInstance) SetString(cls, "DeviceInstance", std::string("TEST\\") + port.name);
  RegCloseKey(cls);
  if (port.linked >= 0) {
    HKEY control = Create(ClassSubKey(port.name) + "\\#\\Control");
    SetDword(control, "Linked", static_cast<DWORD>(port.linked));
    RegCloseKey(control);
  }
  HKEY device = Create(EnumKey(port.name));
  SetString(device, "DeviceDesc", port.description);
  RegCloseKey(device);
  if (port.portName == nullptr) return;
  HKEY params = Create(EnumKey(port.name) + "\\Device Parameters");
  SetString(params, "PortName", port.portName);
  if (port.skip >= 0) SetDword(params, "SkipEnumerations", static_cast<DWORD>(port.skip));
  RegCloseKey(params);
}

void MakeParametersReadOnly(const char* name) {
  HKEY key = Create(EnumKey(name) + "\\Device Parameters");
  EXPLICIT_ACCESS_A access{};
  access.grfAccessPermissions = KEY_READ | WRITE_DAC | DELETE;
  access.grfAccessMode = SET_ACCESS;
  access.grfInheritance = NO_INHERITANCE;
  access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
  access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  access.Trustee.ptstrName = const_cast<char*>("EVERYONE");
  PACL acl = nullptr;
  SetEntriesInAclA(1, &access, nullptr, &acl);
  SetSecurityInfo(key, SE_REGISTRY_KEY,
                  DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                  nullptr, nullptr, acl, nullptr);
  LocalFree(acl);
  RegCloseKey(key);
}

void SetLinked(const char* name, DWORD linked) {
  HKEY control = Create(ClassSubKey(name) + "\\#\\Control");
  SetDword(control, "Linked", linked);
  RegCloseKey(control);
}

int64_t ReadSkip(const char* name) {
  DWORD value = 0, size = sizeof value, type = 0;
  LONG rc = RegGetValueA(HKEY_LOCAL_MACHINE, (EnumKey(name) + "\\Device Parameters").c_str(),
                         "SkipEnumerations", RRF_RT_ANY, &type, &value, &size);
  return rc == ERROR_SUCCESS ? static_cast<int64_t>(value) : -1;
}
