#include "lib/foundation/app/Registry.h"

#include <cstring>
#include <vector>

namespace {

// The Win32 functions refuse a path that begins with a backslash; the
// library's paths keep it in their texts, so it is dropped only here.
const char* Win32Path(const CStr& path) {
  const char* p = path.c_str();
  return *p == '\\' ? p + 1 : p;
}

bool Ok(LONG result) { return result == ERROR_SUCCESS; }

// A handle that closes itself through the registry layer, so that every
// path out of an operation closes what it opened.
class CKeyHandle {
 public:
  explicit CKeyHandle(CRegistry& registry) : registry_(registry) {}
  ~CKeyHandle() { registry_.CloseKey(key_); }
  CKeyHandle(const CKeyHandle&) = delete;
  CKeyHandle& operator=(const CKeyHandle&) = delete;

  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  CRegistry& registry_;
  HKEY key_ = nullptr;
};

constexpr DWORD kNameBufferSize = 256;

// The first remaining sub-key; enumeration restarts at 0 as keys are deleted.
bool FirstSubKey(HKEY key, CStr* name) {
  char buffer[kNameBufferSize];
  DWORD length = kNameBufferSize;
  if (!Ok(RegEnumKeyExA(key, 0, buffer, &length, nullptr, nullptr, nullptr, nullptr))) return false;
  *name = CStr(static_cast<int32_t>(length), buffer);
  return true;
}

CStr SubPath(const CStr& path, const CStr& name) { return path + "\\" + name; }

}  // namespace

bool CRegistry::TryOpen(HKEY root, const CStr& path, REGSAM access, HKEY* key) {
  if (!Ok(RegOpenKeyExA(root, Win32Path(path), 0, access, key))) {
    *key = nullptr;
    return false;
  }
  ++openKeys_;
  return true;
}

bool CRegistry::OpenKey(HKEY root, const CStr& path, bool create, HKEY* key) {
  if (!create || path.GetLength() == 0) return TryOpen(root, path, KEY_ALL_ACCESS, key);
  if (!Ok(RegCreateKeyExA(root, Win32Path(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, key, nullptr))) {
    *key = nullptr;
    return false;
  }
  ++openKeys_;
  return true;
}

bool CRegistry::OpenKeyReadOnly(HKEY root, const CStr& path, HKEY* key) {
  const REGSAM attempts[] = {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                             KEY_QUERY_VALUE};
  for (REGSAM access : attempts) {
    if (TryOpen(root, path, access, key)) return true;
  }
  return false;
}

void CRegistry::CloseKey(HKEY key) {
  if (!key) return;
  --openKeys_;
  RegCloseKey(key);
}

int32_t CRegistry::QueryValue(HKEY key, const CStr& name, void* buffer, DWORD* size, DWORD* type) {
  *type = 0;
  if (!Ok(RegQueryValueExA(key, name.c_str(), nullptr, type, static_cast<BYTE*>(buffer), size)))
    return -1;
  return static_cast<int32_t>(*size);
}

bool CRegistry::QueryValueInfo(HKEY key, const CStr& name, DWORD* type, DWORD* size) {
  *type = 0;
  *size = 0;
  return Ok(RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, size));
}

int32_t CRegistry::ValueSize(HKEY key, const CStr& name) {
  DWORD type, size;
  return QueryValueInfo(key, name, &type, &size) ? static_cast<int32_t>(size) : -1;
}

bool CRegistry::ValueExists(HKEY key, const CStr& name) {
  DWORD type, size;
  return QueryValueInfo(key, name, &type, &size);
}

bool CRegistry::SetValue(HKEY key, const CStr& name, const void* data, DWORD size, DWORD type) {
  return Ok(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
}

bool CRegistry::KeyExists(HKEY root, const CStr& path) {
  CKeyHandle key(*this);
  return OpenKeyReadOnly(root, path, key.Out());
}

bool CRegistry::CreateKey(HKEY root, const CStr& path) {
  CKeyHandle key(*this);
  return OpenKey(root, path, true, key.Out());
}

bool CRegistry::DeleteValue(HKEY root, const CStr& path, const CStr& name) {
  CKeyHandle key(*this);
  return OpenKey(root, path, false, key.Out()) && Ok(RegDeleteValueA(key.Get(), name.c_str()));
}

bool CRegistry::DeleteKey(HKEY root, const CStr& path) {
  {
    CKeyHandle key(*this);
    if (OpenKey(root, path, false, key.Out())) {
      CStr name;
      while (FirstSubKey(key.Get(), &name)) {
        if (!DeleteKey(root, SubPath(path, name))) return false;
      }
    }
  }
  return Ok(RegDeleteKeyA(root, Win32Path(path)));
}

bool CRegistry::ClearKey(HKEY root, const CStr& path) {
  CKeyHandle key(*this);
  if (!OpenKey(root, path, false, key.Out())) return false;
  CStr name;
  while (FirstSubKey(key.Get(), &name)) {
    if (!DeleteKey(root, SubPath(path, name))) return false;
  }
  char buffer[kNameBufferSize];
  for (;;) {
    DWORD length = kNameBufferSize;
    if (!Ok(RegEnumValueA(key.Get(), 0, buffer, &length, nullptr, nullptr, nullptr, nullptr)))
      return true;
    if (!Ok(RegDeleteValueA(key.Get(), buffer))) return false;
  }
}

bool CRegistry::EnumKeys(HKEY root, const CStr& path, CStrList* list) {
  list->Clear();
  CKeyHandle key(*this);
  if (!OpenKeyReadOnly(root, path, key.Out())) return false;
  char buffer[kNameBufferSize];
  for (DWORD i = 0;; ++i) {
    DWORD length = kNameBufferSize;
    if (!Ok(RegEnumKeyExA(key.Get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr)))
      return true;
    list->Add(CStr(static_cast<int32_t>(length), buffer));
  }
}

bool CRegistry::EnumValues(HKEY root, const CStr& path, CStrList* list) {
  list->Clear();
  CKeyHandle key(*this);
  if (!OpenKeyReadOnly(root, path, key.Out())) return false;
  DWORD count = 0, longest = 0;
  if (!Ok(RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                           &longest, nullptr, nullptr, nullptr)))
    return false;
  std::vector<char> buffer(longest + 1);
  for (DWORD i = 0; i < count; ++i) {
    DWORD length = longest + 1;
    if (!Ok(RegEnumValueA(key.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)))
      return true;
    list->Add(CStr(static_cast<int32_t>(length), buffer.data()));
  }
  return true;
}

// A key without values counts as copied, so empty keys do not end a copy.
bool CRegistry::CopyValues(HKEY source, HKEY destination) {
  DWORD count = 0, longest = 0;
  if (!Ok(RegQueryInfoKeyA(source, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                           &longest, nullptr, nullptr, nullptr)))
    return false;
  std::vector<char> name(longest + 1);
  for (DWORD i = 0; i < count; ++i) {
    DWORD nameLength = longest + 1;
    DWORD type = 0, size = 0;
    if (!Ok(RegEnumValueA(source, i, name.data(), &nameLength, nullptr, &type, nullptr, &size)))
      return false;
    std::vector<BYTE> data(size);
    if (!Ok(RegQueryValueExA(source, name.data(), nullptr, &type, data.data(), &size)) ||
        !Ok(RegSetValueExA(destination, name.data(), 0, type, data.data(), size)))
      return false;
  }
  return true;
}

bool CRegistry::CopyKey(HKEY root, const CStr& source, const CStr& destination) {
  CKeyHandle from(*this);
  if (!OpenKeyReadOnly(root, source, from.Out())) return false;
  char buffer[kNameBufferSize];
  for (DWORD i = 0;; ++i) {
    DWORD length = kNameBufferSize;
    if (!Ok(RegEnumKeyExA(from.Get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr)))
      break;
    CStr name(static_cast<int32_t>(length), buffer);
    if (!CopyKey(root, SubPath(source, name), SubPath(destination, name))) return false;
  }
  CKeyHandle to(*this);
  return OpenKey(root, destination, true, to.Out()) && CopyValues(from.Get(), to.Get());
}

bool CRegistry::MoveKey(HKEY root, const CStr& source, const CStr& destination) {
  return CopyKey(root, source, destination) && DeleteKey(root, source);
}

bool CRegistry::ReadFixed(HKEY root, const CStr& path, const CStr& name, void* buffer, DWORD size,
                          DWORD type) {
  CKeyHandle key(*this);
  if (!OpenKeyReadOnly(root, path, key.Out())) return false;
  DWORD storedType, storedSize;
  if (!QueryValueInfo(key.Get(), name, &storedType, &storedSize) || storedSize != size ||
      (type != REG_NONE && storedType != type))
    return false;
  return QueryValue(key.Get(), name, buffer, &storedSize, &storedType) == static_cast<int32_t>(size);
}

bool CRegistry::ReadBinary(HKEY root, const CStr& path, const CStr& name, void* buffer, DWORD size) {
  return ReadFixed(root, path, name, buffer, size, REG_NONE);
}

bool CRegistry::ReadBool(HKEY root, const CStr& path, const CStr& name, bool* value) {
  DWORD stored;
  if (!ReadFixed(root, path, name, &stored, sizeof(stored), REG_DWORD)) return false;
  *value = stored != 0;
  return true;
}

bool CRegistry::ReadLong(HKEY root, const CStr& path, const CStr& name, int32_t* value) {
  return ReadFixed(root, path, name, value, sizeof(*value), REG_DWORD);
}

bool CRegistry::ReadFloat(HKEY root, const CStr& path, const CStr& name, float* value) {
  return ReadFixed(root, path, name, value, sizeof(*value), REG_BINARY);
}

bool CRegistry::ReadDouble(HKEY root, const CStr& path, const CStr& name, double* value) {
  return ReadFixed(root, path, name, value, sizeof(*value), REG_BINARY);
}

bool CRegistry::ReadGUID(HKEY root, const CStr& path, const CStr& name, SGuid* value) {
  return ReadFixed(root, path, name, value, sizeof(*value), REG_BINARY);
}

bool CRegistry::ReadString(HKEY root, const CStr& path, const CStr& name, CStr* value) {
  *value = CStr();
  CKeyHandle key(*this);
  if (!OpenKeyReadOnly(root, path, key.Out())) return false;
  int32_t size = ValueSize(key.Get(), name);
  if (size <= 0) return false;
  // One byte more than stored, so a value written without its terminator
  // still ends inside the buffer.
  std::vector<char> buffer(static_cast<size_t>(size) + 1, 0);
  DWORD read = static_cast<DWORD>(size), type;
  if (QueryValue(key.Get(), name, buffer.data(), &read, &type) < 0) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  *value = CStr(buffer.data());
  return true;
}

bool CRegistry::WriteValue(HKEY root, const CStr& path, const CStr& name, const void* data,
                           DWORD size, DWORD type) {
  CKeyHandle key(*this);
  return OpenKey(root, path, true, key.Out()) && SetValue(key.Get(), name, data, size, type);
}

bool CRegistry::WriteBinary(HKEY root, const CStr& path, const CStr& name, const void* data,
                            DWORD size) {
  return WriteValue(root, path, name, data, size, REG_BINARY);
}

bool CRegistry::WriteBool(HKEY root, const CStr& path, const CStr& name, bool value) {
  DWORD stored = value ? 1 : 0;
  return WriteValue(root, path, name, &stored, sizeof(stored), REG_DWORD);
}

bool CRegistry::WriteLong(HKEY root, const CStr& path, const CStr& name, int32_t value) {
  return WriteValue(root, path, name, &value, sizeof(value), REG_DWORD);
}

bool CRegistry::WriteFloat(HKEY root, const CStr& path, const CStr& name, float value) {
  return WriteValue(root, path, name, &value, sizeof(value), REG_BINARY);
}

bool CRegistry::WriteDouble(HKEY root, const CStr& path, const CStr& name, double value) {
  return WriteValue(root, path, name, &value, sizeof(value), REG_BINARY);
}

bool CRegistry::WriteGUID(HKEY root, const CStr& path, const CStr& name, const SGuid& value) {
  return WriteValue(root, path, name, &value, sizeof(value), REG_BINARY);
}

bool CRegistry::WriteString(HKEY root, const CStr& path, const CStr& name, const CStr& value) {
  return WriteValue(root, path, name, value.c_str(), static_cast<DWORD>(value.GetLength()) + 1,
                    REG_SZ);
}

CRegistry& GlobalRegistry() {
  static CRegistry registry;
  return registry;
}
