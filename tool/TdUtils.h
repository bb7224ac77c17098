// Helpers of the tool: the module file name, the text of a GUID and packed
// version numbers. The OS record is in OSInfo.h.
#pragma once
#include <cstdint>
#include <string>

std::string GetModuleFileNameStr(void* module);

// The 38-character text of a 16-byte GUID, in braces.
std::string GUIDToStr(const uint8_t guid[16]);

// "a.b.c.d" (one to four parts 0-255, blanks allowed around) packed as
// a << 24 | b << 16 | c << 8 | d; anything else raises EConvertError.
uint32_t SetVersionStr(const std::string& text);
std::string VersionToStr(uint32_t version, int parts);
