// The program's settings in the registry, named by a key kind and a sub-key:
//   0  HKEY_LOCAL_MACHINE \Software\Tidemar\<product>\<version>
//   1  HKEY_CURRENT_USER  the same path
//   2  HKEY_LOCAL_MACHINE \Software\Tidemar\Tidemar Shared
//   3  HKEY_LOCAL_MACHINE \Software\Tidemar\Charts
// Reads and writes without a default throw CRegistryError; an unknown kind
// throws the bare text "CRegistryApp::DecodeKey: Unknown key.".
#pragma once

#include <windows.h>

#include <cstdint>

#include "lib/foundation/streams/Stream.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/text/StrList.h"

// A key as the registry layer names it.
struct SRegistryKey {
  HKEY root;
  CStr path;
};

class CRegistryApp {
 public:
  CRegistryApp(const CStr& productKey, const CStr& versionKey);

  void DecodeKey(int32_t kind, const CStr& subKey, HKEY* root, CStr* path) const;
  SRegistryKey Key(int32_t kind, const CStr& subKey) const;

  void CreateKey(int32_t kind, const CStr& subKey);
  bool KeyExists(int32_t kind, const CStr& subKey);
  bool DeleteKey(int32_t kind, const CStr& subKey);
  bool DeleteValue(int32_t kind, const CStr& subKey, const CStr& name);
  bool ClearKey(int32_t kind, const CStr& subKey);
  bool EnumKeys(int32_t kind, const CStr& subKey, CStrList* list);
  bool EnumValues(int32_t kind, const CStr& subKey, CStrList* list);
  bool CopyKey(int32_t kind, const CStr& sourceSubKey, const CStr& destinationSubKey);
  bool MoveKey(int32_t kind, const CStr& sourceSubKey, const CStr& destinationSubKey);

  // "RootDir" of kind 0 with a trailing backslash; empty and false when unreadable.
  bool GetRootDir(CStr* folder);

  void ReadBinary(int32_t kind, const CStr& subKey, const CStr& name, void* buffer, uint32_t size);
  bool ReadBool(int32_t kind, const CStr& subKey, const CStr& name);
  double ReadDateTime(int32_t kind, const CStr& subKey, const CStr& name);
  double ReadDouble(int32_t kind, const CStr& subKey, const CStr& name);
  float ReadFloat(int32_t kind, const CStr& subKey, const CStr& name);
  SGuid ReadGUID(int32_t kind, const CStr& subKey, const CStr& name);
  int32_t ReadLong(int32_t kind, const CStr& subKey, const CStr& name);
  CStr ReadString(int32_t kind, const CStr& subKey, const CStr& name);

  bool ReadBool(int32_t kind, const CStr& subKey, const CStr& name, bool defaultValue);
  double ReadDateTime(int32_t kind, const CStr& subKey, const CStr& name, double defaultValue);
  double ReadDouble(int32_t kind, const CStr& subKey, const CStr& name, double defaultValue);
  float ReadFloat(int32_t kind, const CStr& subKey, const CStr& name, float defaultValue);
  SGuid ReadGUID(int32_t kind, const CStr& subKey, const CStr& name, const SGuid& defaultValue);
  int32_t ReadLong(int32_t kind, const CStr& subKey, const CStr& name, int32_t defaultValue);
  CStr ReadString(int32_t kind, const CStr& subKey, const CStr& name, const CStr& defaultValue);

  void WriteBinary(int32_t kind, const CStr& subKey, const CStr& name, const void* data,
                   uint32_t size);
  void WriteBool(int32_t kind, const CStr& subKey, const CStr& name, bool value);
  void WriteDateTime(int32_t kind, const CStr& subKey, const CStr& name, double value);
  void WriteDouble(int32_t kind, const CStr& subKey, const CStr& name, double value);
  void WriteFloat(int32_t kind, const CStr& subKey, const CStr& name, float value);
  void WriteGUID(int32_t kind, const CStr& subKey, const CStr& name, const SGuid& value);
  void WriteLong(int32_t kind, const CStr& subKey, const CStr& name, int32_t value);
  void WriteString(int32_t kind, const CStr& subKey, const CStr& name, const CStr& value);

 private:
  // Kinds 0 and 1 with an empty product or version key would name a key
  // above the program's own, which is never deleted or cleared.
  bool IsProgramKeyIncomplete(int32_t kind) const;

  CStr productKey_;
  CStr versionKey_;
};
