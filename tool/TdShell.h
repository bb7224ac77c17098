#pragma once
#include <string>

// The special folder of a CSIDL; false when the shell does not know it.
bool GetSpecialFolder(int csidl, std::string& path);
