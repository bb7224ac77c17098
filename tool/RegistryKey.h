#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One open registry key under a root; read and write failures raise
// ERegistryException, opens report through their result.
class TRegistryKey {
 public:
  explicit TRegistryKey(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
  ~TRegistryKey() { CloseKey(); }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  void SetRootKey(HKEY root) { root_ = root; }
  // A leading backslash is allowed; paths are always taken from the root.
  bool OpenKey(const std::string& path, bool create);
  bool OpenKeyReadOnly(const std::string& path);
  void CloseKey();
  LONG LastError() const { return lastError_; }

  bool ValueExists(const std::string& name) const;
  // A missing value reads as the empty text; another type raises.
  std::string ReadString(const std::string& name) const;
  std::string ReadStringOr(const std::string& name, const std::string& def) const;
  int32_t ReadInteger(const std::string& name) const;

  void WriteString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int32_t value);
  bool DeleteValue(const std::string& name);

  std::vector<std::string> GetKeyNames() const;

 private:
  bool Open(const std::string& path, REGSAM access, bool create);
  void Write(const std::string& name, DWORD type, const void* data, size_t size);

  HKEY root_;
  HKEY key_ = nullptr;
  LONG lastError_ = ERROR_SUCCESS;
};
