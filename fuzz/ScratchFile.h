// Scratch files for the fuzzers whose code under test takes a file name:
// one file, or one folder, per fuzzer process, removed at exit. Each fuzzer
// uses one tag; only the thread that runs the inputs calls these.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "lib/charts/TCF2FileRead.h"
#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/Geodetics.h"

// Writes the input into the process's scratch file, whose name ends in tag;
// the name stays valid for the whole process.
inline const char* WriteScratchFile(const char* tag, const uint8_t* data, size_t size) {
  static const std::string name =
      "/tmp/tdlib-fuzz-" + std::to_string(getpid()) + "-" + std::string(tag);
  static const bool removed = std::atexit([] { std::remove(name.c_str()); }) == 0;
  (void)removed;
  if (FILE* file = std::fopen(name.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return name.c_str();
}

// The process's scratch folder, made at the first call, removed at exit with
// everything in it.
inline const std::filesystem::path& ScratchFolder(const char* tag) {
  static const std::filesystem::path folder = [tag] {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tdlib-fuzz-" + std::string(tag) + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  static const bool removed = std::atexit([] {
                                std::error_code ignored;
                                std::filesystem::remove_all(folder, ignored);
                              }) == 0;
  (void)removed;
  return folder;
}

// Replaces the file's contents with the bytes given.
inline void WriteFileBytes(const std::filesystem::path& path, const void* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The number of files in the folder (a target or a temporary file left
// behind shows here).
inline size_t FileCount(const std::filesystem::path& folder) {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    count += entry.is_regular_file();
  return count;
}

// Whether the chart file reads as a whole.
inline bool ChartFileReads(const std::filesystem::path& path) {
  STCF2ChartObjects chart;
  uint64_t size = 0;
  uint32_t version = 0, index = 0, warnings = 0, error = 0;
  return TCF2FileRead(CStr(path.c_str()), size, version, index, chart.Parts(), warnings, error);
}

// Runs a job that rewrites a scratch chart from hostile input; whether it
// was done. A payload that ends early (a stream exception) or an older
// file's faulty calibration under a shift datum (a geodetics fault) ends the
// job as not done; any other exception is a fault.
template <class TJob>
bool ChartJobDone(TJob job) {
  try {
    return job();
  } catch (const CStreamError&) {
  } catch (const CGeodeticsError&) {
  }
  return false;
}
