#include "tool/RegistryKey.h"

#include "tool/Exceptions.h"

namespace {

std::string StripLeadingDelimiter(const std::string& path) {
  return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

}  // namespace

bool TRegistryKey::Open(const std::string& path, REGSAM access, bool create) {
  CloseKey();
  std::string relative = StripLeadingDelimiter(path);
  if (create)
    lastError_ = RegCreateKeyExA(root_, relative.c_str(), 0, nullptr, 0,
                                 access, nullptr, &key_, nullptr);
  else
    lastError_ = RegOpenKeyExA(root_, relative.c_str(), 0, access, &key_);
  if (lastError_ != ERROR_SUCCESS) key_ = nullptr;
  return key_ != nullptr;
}

bool TRegistryKey::OpenKey(const std::string& path, bool create) {
  return Open(path, KEY_ALL_ACCESS, create);
}

bool TRegistryKey::OpenKeyReadOnly(const std::string& path) {
  return Open(path, KEY_READ, false);
}

void TRegistryKey::CloseKey() {
  if (key_ != nullptr) RegCloseKey(key_);
  key_ = nullptr;
}

bool TRegistryKey::ValueExists(const std::string& name) const {
  return key_ != nullptr &&
         RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}

std::string TRegistryKey::ReadString(const std::string& name) const {
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return "";
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    throw ERegistryException("Invalid data type for '" + name + "'");
  std::string value(size, '\0');
  rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                        reinterpret_cast<BYTE*>(value.data()), &size);
  if (rc != ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '" + name + "'");
  value.resize(size);
  while (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

std::string TRegistryKey::ReadStringOr(const std::string& name,
                                    const std::string& def) const {
  try {
    return ReadString(name);
  } catch (const ERegistryException&) {
    return def;
  }
}

int32_t TRegistryKey::ReadInteger(const std::string& name) const {
  DWORD type = 0, value = 0, size = sizeof value;
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
    throw ERegistryException("Invalid data type for '" + name + "'");
  return static_cast<int32_t>(value);
}

void TRegistryKey::Write(const std::string& name, DWORD type, const void* data,
                      size_t size) {
  LONG rc = RegSetValueExA(key_, name.c_str(), 0, type,
                           static_cast<const BYTE*>(data),
                           static_cast<DWORD>(size));
  if (rc != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistryKey::WriteString(const std::string& name, const std::string& value) {
  Write(name, REG_SZ, value.c_str(), value.size() + 1);
}

void TRegistryKey::WriteInteger(const std::string& name, int32_t value) {
  Write(name, REG_DWORD, &value, sizeof value);
}

bool TRegistryKey::DeleteValue(const std::string& name) {
  lastError_ = RegDeleteValueA(key_, name.c_str());
  return lastError_ == ERROR_SUCCESS;
}

std::vector<std::string> TRegistryKey::GetKeyNames() const {
  std::vector<std::string> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    LONG rc = RegEnumKeyExA(key_, i, name, &length, nullptr, nullptr, nullptr,
                            nullptr);
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}
