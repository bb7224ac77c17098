#include "tool/PortelleList.h"

#include "tool/RegistryKey.h"

TPortelleList::TPortelleList(bool& ok) { ok = Read(); }

bool TPortelleList::Read() {
  TRegistryKey reg(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(kClassKey))
    return reg.LastError() == ERROR_FILE_NOT_FOUND;
  for (const std::string& name : reg.GetKeyNames()) {
    bool ok = false;
    items_.push_back(std::make_unique<TPortelle>(name, ok));
    if (!ok) return false;
  }
  return true;
}
