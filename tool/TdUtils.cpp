#include "tool/TdUtils.h"

#include <windows.h>

#include <cstdio>

#include "tool/Exceptions.h"
#include "tool/TdParserTools.h"

std::string GetModuleFileNameStr(void* module) {
  char buffer[261];
  DWORD n = GetModuleFileNameA(static_cast<HMODULE>(module), buffer,
                               sizeof buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
}

std::string GUIDToStr(const uint8_t g[16]) {
  char text[40];
  std::snprintf(text, sizeof text,
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-"
                "%02X%02X%02X%02X%02X%02X}",
                g[3], g[2], g[1], g[0], g[5], g[4], g[7], g[6], g[8], g[9],
                g[10], g[11], g[12], g[13], g[14], g[15]);
  return text;
}

uint32_t SetVersionStr(const std::string& text) {
  const char* p = text.c_str();
  uint32_t version = 0;
  for (int part = 0; part < 4; ++part) {
    long long value = 0;
    SkipBlanks(p);
    if (!ParseInteger(p, false, value) || value < 0 || value > 255) break;
    version |= static_cast<uint32_t>(value) << (24 - 8 * part);
    SkipBlanks(p);
    if (*p == '\0') return version;
    if (*p != '.') break;
    ++p;
  }
  throw EConvertError("SetVersionStr: Invalid version number.");
}

std::string VersionToStr(uint32_t version, int parts) {
  std::string text;
  for (int part = 0; part < parts && part < 4; ++part) {
    if (part > 0) text += '.';
    text += std::to_string((version >> (24 - 8 * part)) & 0xFF);
  }
  return text;
}
