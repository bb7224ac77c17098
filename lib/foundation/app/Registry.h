// Thin layer over the Windows registry: every operation names a root key and
// a key path and opens and closes its own key handle. Paths may begin with a
// backslash, as the library writes them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "lib/foundation/streams/Stream.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/text/StrList.h"

class CRegistry {
 public:
  bool OpenKey(HKEY root, const CStr& path, bool create, HKEY* key);
  bool OpenKeyReadOnly(HKEY root, const CStr& path, HKEY* key);
  void CloseKey(HKEY key);

  // Bytes read, or -1 on failure; *type is 0 before the call.
  int32_t QueryValue(HKEY key, const CStr& name, void* buffer, DWORD* size, DWORD* type);
  bool QueryValueInfo(HKEY key, const CStr& name, DWORD* type, DWORD* size);
  int32_t ValueSize(HKEY key, const CStr& name);
  bool ValueExists(HKEY key, const CStr& name);
  bool SetValue(HKEY key, const CStr& name, const void* data, DWORD size, DWORD type);

  bool KeyExists(HKEY root, const CStr& path);
  bool CreateKey(HKEY root, const CStr& path);
  bool DeleteValue(HKEY root, const CStr& path, const CStr& name);
  // The key with its whole tree.
  bool DeleteKey(HKEY root, const CStr& path);
  // Every sub-key tree and every value, keeping the key itself.
  bool ClearKey(HKEY root, const CStr& path);
  bool EnumKeys(HKEY root, const CStr& path, CStrList* list);
  bool EnumValues(HKEY root, const CStr& path, CStrList* list);
  bool CopyKey(HKEY root, const CStr& source, const CStr& destination);
  bool MoveKey(HKEY root, const CStr& source, const CStr& destination);

  // Typed reads succeed only for the value's expected type and size.
  bool ReadBinary(HKEY root, const CStr& path, const CStr& name, void* buffer, DWORD size);
  bool ReadBool(HKEY root, const CStr& path, const CStr& name, bool* value);
  bool ReadLong(HKEY root, const CStr& path, const CStr& name, int32_t* value);
  bool ReadFloat(HKEY root, const CStr& path, const CStr& name, float* value);
  // Doubles and date-times alike.
  bool ReadDouble(HKEY root, const CStr& path, const CStr& name, double* value);
  bool ReadGUID(HKEY root, const CStr& path, const CStr& name, SGuid* value);
  // Empties *value on failure.
  bool ReadString(HKEY root, const CStr& path, const CStr& name, CStr* value);

  // Typed writes create the key when it is missing.
  bool WriteBinary(HKEY root, const CStr& path, const CStr& name, const void* data, DWORD size);
  bool WriteBool(HKEY root, const CStr& path, const CStr& name, bool value);
  bool WriteLong(HKEY root, const CStr& path, const CStr& name, int32_t value);
  bool WriteFloat(HKEY root, const CStr& path, const CStr& name, float value);
  bool WriteDouble(HKEY root, const CStr& path, const CStr& name, double value);
  bool WriteGUID(HKEY root, const CStr& path, const CStr& name, const SGuid& value);
  bool WriteString(HKEY root, const CStr& path, const CStr& name, const CStr& value);

  int32_t GetOpenKeyCount() const { return openKeys_; }

 private:
  bool ReadFixed(HKEY root, const CStr& path, const CStr& name, void* buffer, DWORD size,
                 DWORD type);
  bool WriteValue(HKEY root, const CStr& path, const CStr& name, const void* data, DWORD size,
                  DWORD type);
  bool CopyValues(HKEY source, HKEY destination);
  bool TryOpen(HKEY root, const CStr& path, REGSAM access, HKEY* key);

  int32_t openKeys_ = 0;
};

// The library's one registry layer.
CRegistry& GlobalRegistry();
