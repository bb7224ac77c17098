#pragma once
#include <string>

#include "tool/RegistryKey.h"

// Key kinds: 0 the program's key under HKEY_LOCAL_MACHINE, 1 the same under
// HKEY_CURRENT_USER, 2 the maker's shared key, 3 the charts key; any other
// kind is taken as 1.
void SetMainRegKeys(const std::string& productKey, const std::string& versionKey);
bool MainRegKeysSet();

std::string GetRegKeyPath(int kind, const std::string& subKey);
HKEY RegKeyRoot(int kind);

bool OpenRegKey(int kind, const std::string& subKey, bool create, TRegistryKey& reg);
bool OpenRegKeyReadOnly(int kind, const std::string& subKey, TRegistryKey& reg);

// Raises ERegistryException: the message, two line breaks and the key in quotes.
[[noreturn]] void RaiseRegistryError(const std::string& message, int kind,
                                     const std::string& subKey);

// The default on any registry error, a missing key included.
std::string RegReadString(int kind, const std::string& subKey,
                          const std::string& name, const std::string& def);
void RegWriteString(int kind, const std::string& subKey, const std::string& name,
                    const std::string& value);
