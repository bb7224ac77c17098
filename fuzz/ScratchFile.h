// One scratch file per fuzzer run for the readers that take a file name:
// each input is written there; the file is removed at exit.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline const char* WriteScratchFile(const char* tag, const uint8_t* data, size_t size) {
  static const std::string name =
      std::string("/tmp/tdlib-fuzz-") + tag + "-" + std::to_string(getpid());
  static const bool removed = std::atexit([] { std::remove(name.c_str()); }) == 0;
  (void)removed;
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return name.c_str();
}
