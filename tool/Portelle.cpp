#include "tool/Portelle.h"

#include "tool/Exceptions.h"
#include "tool/PortelleList.h"
#include "tool/RegistryKey.h"

namespace {

const char kEnumRoot[] = "SYSTEM\\CurrentControlSet\\Enum\\";
const char kSkipValue[] = "SkipEnumerations";

}  // namespace

TPortelle::TPortelle(const std::string& subKeyName, bool& ok)
    : classKeyPath_(std::string(TPortelleList::kClassKey) + "\\" + subKeyName) {
  ok = Read();
}

bool TPortelle::Read() {
  TRegistryKey reg(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(classKeyPath_)) return false;
  std::string instance = reg.ReadStringOr("DeviceInstance", "");
  if (instance.empty()) return false;
  enumPath_ = kEnumRoot + instance;
  RefreshLinked();
  if (!reg.OpenKeyReadOnly(enumPath_)) return false;
  deviceDesc_ = reg.ReadStringOr("DeviceDesc", "");
  if (!reg.OpenKeyReadOnly(enumPath_ + "\\Device Parameters")) return false;
  try {
    portName_ = reg.ReadString("PortName");
  } catch (const ERegistryException&) {
    return false;
  }
  hasSkip_ = reg.ValueExists(kSkipValue);
  if (hasSkip_) {
    try {
      skip_ = reg.ReadInteger(kSkipValue);
    } catch (const ERegistryException&) {
    }
  }
  return true;
}

void TPortelle::RefreshLinked() {
  TRegistryKey reg(HKEY_LOCAL_MACHINE);
  linked_ = false;
  if (!reg.OpenKeyReadOnly(classKeyPath_ + "\\#\\Control")) return;
  try {
    linked_ = reg.ReadInteger("Linked") != 0;
  } catch (const ERegistryException&) {
  }
}

bool TPortelle::SetSkipEnumerations(bool block, int32_t value) {
  TRegistryKey reg(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKey(enumPath_ + "\\Device Parameters", true)) return false;
  if (!block) {
    bool deleted = reg.DeleteValue(kSkipValue) ||
                   reg.LastError() == ERROR_FILE_NOT_FOUND;
    if (deleted) hasSkip_ = false;
    return deleted;
  }
  try {
    reg.WriteInteger(kSkipValue, value);
  } catch (const ERegistryException&) {
    return false;
  }
  hasSkip_ = true;
  skip_ = value;
  return true;
}
