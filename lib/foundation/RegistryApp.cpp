#include "lib/foundation/RegistryApp.h"

#include "lib/foundation/Exception.h"
#include "lib/foundation/Registry.h"

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

CRegistryApp::SKey CRegistryApp::Key(int32_t kind, const CStr& subKey) const {
  SKey key;
  DecodeKey(kind, subKey, &key.root, &key.path);
  return key;
}

bool CRegistryApp::IsProgramKeyIncomplete(int32_t kind) const {
  return (kind == 0 || kind == 1) &&
         (productKey_.GetLength() == 0 || versionKey_.GetLength() == 0);
}

void CRegistryApp::CreateKey(int32_t kind, const CStr& subKey) {
  const SKey key = Key(kind, subKey);
  if (!GlobalRegistry().CreateKey(key.root, key.path)) {
    throw CRegistryError(CStr("CRegistryApp::CreateKey: Error creating registry key."));
  }
}

bool CRegistryApp::KeyExists(int32_t kind, const CStr& subKey) {
  const SKey key = Key(kind, subKey);
  return GlobalRegistry().KeyExists(key.root, key.path);
}

bool CRegistryApp::DeleteKey(int32_t kind, const CStr& subKey) {
  const SKey key = Key(kind, subKey);
  return !IsProgramKeyIncomplete(kind) && GlobalRegistry().DeleteKey(key.root, key.path);
}

bool CRegistryApp::DeleteValue(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  return GlobalRegistry().DeleteValue(key.root, key.path, name);
}

bool CRegistryApp::ClearKey(int32_t kind, const CStr& subKey) {
  const SKey key = Key(kind, subKey);
  return !IsProgramKeyIncomplete(kind) && GlobalRegistry().ClearKey(key.root, key.path);
}

bool CRegistryApp::EnumKeys(int32_t kind, const CStr& subKey, CStrList* list) {
  const SKey key = Key(kind, subKey);
  return GlobalRegistry().EnumKeys(key.root, key.path, list);
}

bool CRegistryApp::EnumValues(int32_t kind, const CStr& subKey, CStrList* list) {
  const SKey key = Key(kind, subKey);
  return GlobalRegistry().EnumValues(key.root, key.path, list);
}

bool CRegistryApp::CopyKey(int32_t kind, const CStr& sourceSubKey, const CStr& destinationSubKey) {
  const SKey key = Key(kind, sourceSubKey);
  const SKey destination = Key(kind, destinationSubKey);
  return GlobalRegistry().CopyKey(key.root, key.path, destination.path);
}

bool CRegistryApp::MoveKey(int32_t kind, const CStr& sourceSubKey, const CStr& destinationSubKey) {
  const SKey key = Key(kind, sourceSubKey);
  const SKey destination = Key(kind, destinationSubKey);
  return !IsProgramKeyIncomplete(kind) && GlobalRegistry().MoveKey(key.root, key.path, destination.path);
}

bool CRegistryApp::GetRootDir(CStr* folder) {
  const SKey key = Key(0, CStr());
  if (!GlobalRegistry().ReadString(key.root, key.path, CStr("RootDir"), folder)) return false;
  if (folder->GetLength() > 0 && folder->c_str()[folder->GetLength() - 1] != '\\') *folder += '\\';
  return true;
}

void CRegistryApp::ReadBinary(int32_t kind, const CStr& subKey, const CStr& name, void* buffer,
                              uint32_t size) {
  const SKey key = Key(kind, subKey);
  CheckRead(GlobalRegistry().ReadBinary(key.root, key.path, name, buffer, size), "ReadBinary", subKey, name);
}

bool CRegistryApp::ReadBool(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  bool value = false;
  CheckRead(GlobalRegistry().ReadBool(key.root, key.path, name, &value), "ReadBool", subKey, name);
  return value;
}

double CRegistryApp::ReadDateTime(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  double value = 0;
  CheckRead(GlobalRegistry().ReadDouble(key.root, key.path, name, &value), "ReadDateTime", subKey, name);
  return value;
}

double CRegistryApp::ReadDouble(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  double value = 0;
  CheckRead(GlobalRegistry().ReadDouble(key.root, key.path, name, &value), "ReadDouble", subKey, name);
  return value;
}

float CRegistryApp::ReadFloat(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  float value = 0;
  CheckRead(GlobalRegistry().ReadFloat(key.root, key.path, name, &value), "ReadFloat", subKey, name);
  return value;
}

SGuid CRegistryApp::ReadGUID(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  SGuid value{};
  CheckRead(GlobalRegistry().ReadGUID(key.root, key.path, name, &value), "ReadGUID", subKey, name);
  return value;
}

int32_t CRegistryApp::ReadLong(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  int32_t value = 0;
  CheckRead(GlobalRegistry().ReadLong(key.root, key.path, name, &value), "ReadLong", subKey, name);
  return value;
}

CStr CRegistryApp::ReadString(int32_t kind, const CStr& subKey, const CStr& name) {
  const SKey key = Key(kind, subKey);
  CStr value;
  CheckRead(GlobalRegistry().ReadString(key.root, key.path, name, &value), "ReadString", subKey, name);
  return value;
}

bool CRegistryApp::ReadBool(int32_t kind, const CStr& subKey, const CStr& name, bool defaultValue) {
  const SKey key = Key(kind, subKey);
  bool value;
  return GlobalRegistry().ReadBool(key.root, key.path, name, &value) ? value : defaultValue;
}

double CRegistryApp::ReadDateTime(int32_t kind, const CStr& subKey, const CStr& name,
                                  double defaultValue) {
  return ReadDouble(kind, subKey, name, defaultValue);
}

double CRegistryApp::ReadDouble(int32_t kind, const CStr& subKey, const CStr& name,
                                double defaultValue) {
  const SKey key = Key(kind, subKey);
  double value;
  return GlobalRegistry().ReadDouble(key.root, key.path, name, &value) ? value : defaultValue;
}

float CRegistryApp::ReadFloat(int32_t kind, const CStr& subKey, const CStr& name,
                              float defaultValue) {
  const SKey key = Key(kind, subKey);
  float value;
  return GlobalRegistry().ReadFloat(key.root, key.path, name, &value) ? value : defaultValue;
}

SGuid CRegistryApp::ReadGUID(int32_t kind, const CStr& subKey, const CStr& name,
                             const SGuid& defaultValue) {
  const SKey key = Key(kind, subKey);
  SGuid value;
  return GlobalRegistry().ReadGUID(key.root, key.path, name, &value) ? value : defaultValue;
}

int32_t CRegistryApp::ReadLong(int32_t kind, const CStr& subKey, const CStr& name,
                               int32_t defaultValue) {
  const SKey key = Key(kind, subKey);
  int32_t value;
  return GlobalRegistry().ReadLong(key.root, key.path, name, &value) ? value : defaultValue;
}

CStr CRegistryApp::ReadString(int32_t kind, const CStr& subKey, const CStr& name,
                              const CStr& defaultValue) {
  const SKey key = Key(kind, subKey);
  CStr value;
  return GlobalRegistry().ReadString(key.root, key.path, name, &value) ? value : defaultValue;
}

void CRegistryApp::WriteBinary(int32_t kind, const CStr& subKey, const CStr& name, const void* data,
                               uint32_t size) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteBinary(key.root, key.path, name, data, size), "WriteBinary", subKey,
             name);
}

void CRegistryApp::WriteBool(int32_t kind, const CStr& subKey, const CStr& name, bool value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteBool(key.root, key.path, name, value), "WriteBool", subKey, name);
}

void CRegistryApp::WriteDateTime(int32_t kind, const CStr& subKey, const CStr& name,
                                 double value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteDouble(key.root, key.path, name, value), "WriteDateTime", subKey, name);
}

void CRegistryApp::WriteDouble(int32_t kind, const CStr& subKey, const CStr& name, double value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteDouble(key.root, key.path, name, value), "WriteDouble", subKey, name);
}

void CRegistryApp::WriteFloat(int32_t kind, const CStr& subKey, const CStr& name, float value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteFloat(key.root, key.path, name, value), "WriteFloat", subKey, name);
}

void CRegistryApp::WriteGUID(int32_t kind, const CStr& subKey, const CStr& name,
                             const SGuid& value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteGUID(key.root, key.path, name, value), "WriteGUID", subKey, name);
}

void CRegistryApp::WriteLong(int32_t kind, const CStr& subKey, const CStr& name, int32_t value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteLong(key.root, key.path, name, value), "WriteLong", subKey, name);
}

void CRegistryApp::WriteString(int32_t kind, const CStr& subKey, const CStr& name,
                               const CStr& value) {
  const SKey key = Key(kind, subKey);
  CheckWrite(GlobalRegistry().WriteString(key.root, key.path, name, value), "WriteString", subKey, name);
}
