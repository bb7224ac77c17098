#include "lib/foundation/app/RegistryApp.h"

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/app/Registry.h"

namespace {

CStr ValueText(const CStr& subKey, const CStr& name) {
  return name.GetLength() > 0 ? subKey + "\\" + name : subKey;
}

void Check(bool ok, const char* method, const char* action, const CStr& subKey, const CStr& name) {
  if (ok) return;
  throw CRegistryError(CStr("CRegistryApp::") + method + ": Error " + action + " '" +
                       ValueText(subKey, name) + "'.");
}

void CheckRead(bool ok, const char* method, const CStr& subKey, const CStr& name) {
  Check(ok, method, "reading", subKey, name);
}

void CheckWrite(bool ok, const char* method, const CStr& subKey, const CStr& name) {
  Check(ok, method, "writing", subKey, name);
}

template <class T>
using Reader = bool (CRegistry::*)(HKEY, const CStr&, const CStr&, T*);

template <class T>
T ReadOrThrow(const SRegistryKey& key, Reader<T> read, const char* method, const CStr& subKey,
              const CStr& name) {
  T value{};
  CheckRead((GlobalRegistry().*read)(key.root, key.path, name, &value), method, subKey, name);
  return value;
}

template <class T>
T ReadOrDefault(const SRegistryKey& key, Reader<T> read, const CStr& name, const T& defaultValue) {
  T value{};
  return (GlobalRegistry().*read)(key.root, key.path, name, &value) ? value : defaultValue;
}

template <class Writer, class T>
void WriteOrThrow(const SRegistryKey& key, Writer write, const char* method, const CStr& subKey,
                  const CStr& name, const T& value) {
  CheckWrite((GlobalRegistry().*write)(key.root, key.path, name, value), method, subKey, name);
}

}  // namespace

CRegistryApp::CRegistryApp(const CStr& productKey, const CStr& versionKey)
    : productKey_(productKey), versionKey_(versionKey) {}

void CRegistryApp::DecodeKey(int32_t kind, const CStr& subKey, HKEY* root, CStr* path) const {
  switch (kind) {
    case 0:
    case 1:
      *root = kind == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
      *path = CStr("\\Software\\Tidemar\\") + productKey_ + "\\" + versionKey_;
      break;
    case 2:
      *root = HKEY_LOCAL_MACHINE;
      *path = "\\Software\\Tidemar\\Tidemar Shared";
      break;
    case 3:
      *root = HKEY_LOCAL_MACHINE;
      *path = "\\Software\\Tidemar\\Charts";
      break;
    default:
      throw "CRegistryApp::DecodeKey: Unknown key.";
  }
  if (subKey.GetLength() > 0) *path += CStr("\\") + subKey;
  if (path->GetLength() > 0 && path->c_str()[path->GetLength() - 1] == '\\') {
    *path = path->Left(path->GetLength() - 1);
  }
}

SRegistryKey CRegistryApp::Key(int32_t kind, const CStr& subKey) const {
  SRegistryKey key;
  DecodeKey(kind, subKey, &key.root, &key.path);
  return key;
}

bool CRegistryApp::IsProgramKeyIncomplete(int32_t kind) const {
  return (kind == 0 || kind == 1) &&
         (productKey_.GetLength() == 0 || versionKey_.GetLength() == 0);
}

void CRegistryApp::CreateKey(int32_t kind, const CStr& subKey) {
  const SRegistryKey key = Key(kind, subKey);
  if (!GlobalRegistry().CreateKey(key.root, key.path)) {
    throw CRegistryError(CStr("CRegistryApp::CreateKey: Error creating registry key."));
  }
}

bool CRegistryApp::KeyExists(int32_t kind, const CStr& subKey) {
  const SRegistryKey key = Key(kind, subKey);
  return GlobalRegistry().KeyExists(key.root, key.path);
}

bool CRegistryApp::DeleteKey(int32_t kind, const CStr& subKey) {
  const SRegistryKey key = Key(kind, subKey);
  return !IsProgramKeyIncomplete(kind) && GlobalRegistry().DeleteKey(key.root, key.path);
}

bool CRegistryApp::DeleteValue(int32_t kind, const CStr& subKey, const CStr& name) {
  const SRegistryKey key = Key(kind, subKey);
  return GlobalRegistry().DeleteValue(key.root, key.path, name);
}

bool CRegistryApp::ClearKey(int32_t kind, const CStr& subKey) {
  const SRegistryKey key = Key(kind, subKey);
  return !IsProgramKeyIncomplete(kind) && GlobalRegistry().ClearKey(key.root, key.path);
}

bool CRegistryApp::EnumKeys(int32_t kind, const CStr& subKey, CStrList* list) {
  const SRegistryKey key = Key(kind, subKey);
  return GlobalRegistry().EnumKeys(key.root, key.path, list);
}

bool CRegistryApp::EnumValues(int32_t kind, const CStr& subKey, CStrList* list) {
  const SRegistryKey key = Key(kind, subKey);
  return GlobalRegistry().EnumValues(key.root, key.path, list);
}

bool CRegistryApp::CopyKey(int32_t kind, const CStr& sourceSubKey, const CStr& destinationSubKey) {
  const SRegistryKey key = Key(kind, sourceSubKey);
  const SRegistryKey destination = Key(kind, destinationSubKey);
  return GlobalRegistry().CopyKey(key.root, key.path, destination.path);
}

bool CRegistryApp::MoveKey(int32_t kind, const CStr& sourceSubKey, const CStr& destinationSubKey) {
  const SRegistryKey key = Key(kind, sourceSubKey);
  const SRegistryKey destination = Key(kind, destinationSubKey);
  return !IsProgramKeyIncomplete(kind) && GlobalRegistry().MoveKey(key.root, key.path, destination.path);
}

bool CRegistryApp::GetRootDir(CStr* folder) {
  const SRegistryKey key = Key(0, CStr());
  if (!GlobalRegistry().ReadString(key.root, key.path, CStr("RootDir"), folder)) return false;
  if (folder->GetLength() > 0 && folder->c_str()[folder->GetLength() - 1] != '\\') *folder += '\\';
  return true;
}

void CRegistryApp::ReadBinary(int32_t kind, const CStr& subKey, const CStr& name, void* buffer,
                              uint32_t size) {
  const SRegistryKey key = Key(kind, subKey);
  CheckRead(GlobalRegistry().ReadBinary(key.root, key.path, name, buffer, size), "ReadBinary",
            subKey, name);
}

bool CRegistryApp::ReadBool(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadBool, "ReadBool", subKey, name);
}

double CRegistryApp::ReadDateTime(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadDouble, "ReadDateTime", subKey, name);
}

double CRegistryApp::ReadDouble(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadDouble, "ReadDouble", subKey, name);
}

float CRegistryApp::ReadFloat(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadFloat, "ReadFloat", subKey, name);
}

SGuid CRegistryApp::ReadGUID(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadGUID, "ReadGUID", subKey, name);
}

int32_t CRegistryApp::ReadLong(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadLong, "ReadLong", subKey, name);
}

CStr CRegistryApp::ReadString(int32_t kind, const CStr& subKey, const CStr& name) {
  return ReadOrThrow(Key(kind, subKey), &CRegistry::ReadString, "ReadString", subKey, name);
}

bool CRegistryApp::ReadBool(int32_t kind, const CStr& subKey, const CStr& name, bool defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadBool, name, defaultValue);
}

double CRegistryApp::ReadDateTime(int32_t kind, const CStr& subKey, const CStr& name,
                                  double defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadDouble, name, defaultValue);
}

double CRegistryApp::ReadDouble(int32_t kind, const CStr& subKey, const CStr& name,
                                double defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadDouble, name, defaultValue);
}

float CRegistryApp::ReadFloat(int32_t kind, const CStr& subKey, const CStr& name,
                              float defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadFloat, name, defaultValue);
}

SGuid CRegistryApp::ReadGUID(int32_t kind, const CStr& subKey, const CStr& name,
                             const SGuid& defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadGUID, name, defaultValue);
}

int32_t CRegistryApp::ReadLong(int32_t kind, const CStr& subKey, const CStr& name,
                               int32_t defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadLong, name, defaultValue);
}

CStr CRegistryApp::ReadString(int32_t kind, const CStr& subKey, const CStr& name,
                              const CStr& defaultValue) {
  return ReadOrDefault(Key(kind, subKey), &CRegistry::ReadString, name, defaultValue);
}

void CRegistryApp::WriteBinary(int32_t kind, const CStr& subKey, const CStr& name, const void* data,
                               uint32_t size) {
  const SRegistryKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteBinary(key.root, key.path, name, data, size), "WriteBinary",
             subKey, name);
}

void CRegistryApp::WriteBool(int32_t kind, const CStr& subKey, const CStr& name, bool value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteBool, "WriteBool", subKey, name, value);
}

void CRegistryApp::WriteDateTime(int32_t kind, const CStr& subKey, const CStr& name,
                                 double value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteDouble, "WriteDateTime", subKey, name, value);
}

void CRegistryApp::WriteDouble(int32_t kind, const CStr& subKey, const CStr& name, double value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteDouble, "WriteDouble", subKey, name, value);
}

void CRegistryApp::WriteFloat(int32_t kind, const CStr& subKey, const CStr& name, float value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteFloat, "WriteFloat", subKey, name, value);
}

void CRegistryApp::WriteGUID(int32_t kind, const CStr& subKey, const CStr& name,
                             const SGuid& value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteGUID, "WriteGUID", subKey, name, value);
}

void CRegistryApp::WriteLong(int32_t kind, const CStr& subKey, const CStr& name, int32_t value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteLong, "WriteLong", subKey, name, value);
}

void CRegistryApp::WriteString(int32_t kind, const CStr& subKey, const CStr& name,
                               const CStr& value) {
  WriteOrThrow(Key(kind, subKey), &CRegistry::WriteString, "WriteString", subKey, name, value);
}
