#include "tool/TdRegistry.h"

#include "tool/Exceptions.h"

namespace {

std::string g_productKey;
std::string g_versionKey;

}  // namespace

void SetMainRegKeys(const std::string& productKey, const std::string& versionKey) {
  g_productKey = productKey;
  g_versionKey = versionKey;
}

bool MainRegKeysSet() { return !g_productKey.empty() && !g_versionKey.empty(); }

HKEY RegKeyRoot(int kind) {
  return kind == 0 || kind == 2 || kind == 3 ? HKEY_LOCAL_MACHINE
                                             : HKEY_CURRENT_USER;
}

std::string GetRegKeyPath(int kind, const std::string& subKey) {
  std::string path;
  if (kind == 2) {
    path = "\\Software\\Tidemar\\Tidemar Shared";
  } else if (kind == 3) {
    path = "\\Software\\Tidemar\\Charts";
  } else {
    if (!MainRegKeysSet())
      throw Exception("The program's main registry keys are undefined.");
    path = "\\Software\\Tidemar\\" + g_productKey + "\\" + g_versionKey;
  }
  if (!subKey.empty()) path += "\\" + subKey;
  if (path.back() == '\\') path.pop_back();
  return path;
}

bool OpenRegKey(int kind, const std::string& subKey, bool create, TRegistryKey& reg) {
  reg.SetRootKey(RegKeyRoot(kind));
  return reg.OpenKey(GetRegKeyPath(kind, subKey), create);
}

bool OpenRegKeyReadOnly(int kind, const std::string& subKey, TRegistryKey& reg) {
  reg.SetRootKey(RegKeyRoot(kind));
  return reg.OpenKeyReadOnly(GetRegKeyPath(kind, subKey));
}

void RaiseRegistryError(const std::string& message, int kind,
                        const std::string& subKey) {
  const char* root = RegKeyRoot(kind) == HKEY_LOCAL_MACHINE
                         ? "HKEY_LOCAL_MACHINE"
                         : "HKEY_CURRENT_USER";
  throw ERegistryException(message + "\r\r\"" + root +
                           GetRegKeyPath(kind, subKey) + "\"");
}

std::string RegReadString(int kind, const std::string& subKey,
                          const std::string& name, const std::string& def) {
  try {
    TRegistryKey reg;
    if (!OpenRegKeyReadOnly(kind, subKey, reg))
      RaiseRegistryError("Error opening registry key.", kind, subKey);
    if (!reg.ValueExists(name))
      RaiseRegistryError("Registry value does not exist.", kind,
                         subKey + "\\" + name);
    return reg.ReadString(name);
  } catch (const ERegistryException&) {
    return def;
  }
}

void RegWriteString(int kind, const std::string& subKey, const std::string& name,
                    const std::string& value) {
  TRegistryKey reg;
  if (!OpenRegKey(kind, subKey, true, reg))
    RaiseRegistryError("Error opening registry key.", kind, subKey);
  reg.WriteString(name, value);
}
