// Scratch files for the runtime tests, in the system's temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "lib/foundation/text/Str.h"

inline CStr ScratchFolder() {
  std::string folder = testing::TempDir();
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return CStr(folder.c_str());
}

// A file name of this test run: runs from other trees share the folder.
inline CStr ScratchName(const char* name) {
  static const std::string token = "tdrt" + std::to_string(std::random_device{}()) + "_";
  return CStr((token + name).c_str());
}

inline CStr ScratchPath(const char* name) {
  return CStr(testing::TempDir().c_str()) + ScratchName(name);
}

inline void WriteBytes(const CStr& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const CStr& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void RemoveFile(const CStr& path) { std::remove(path.c_str()); }
