// Sample updates and scratch folders for the update tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/text/Str.h"
#include "tests/charts/UpdateBuilder.h"

// A folder of its own for one test, removed with the object.
class CScratchDir {
 public:
  CScratchDir() {
    static std::mt19937 random{std::random_device{}()};
    m_Path = std::filesystem::temp_directory_path() / ("tdupd" + std::to_string(random()));
    std::filesystem::create_directories(m_Path);
  }
  ~CScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
  }
  CScratchDir(const CScratchDir&) = delete;
  CScratchDir& operator=(const CScratchDir&) = delete;

  CStr Path(const char* name) const { return CStr((m_Path / name).string().c_str()); }
  std::string Folder() const { return m_Path.string(); }
  // The names of the folder's files, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_Path))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path m_Path;
};

inline void WriteFile(const CStr& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadFile(const CStr& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const CStr& path) { return std::filesystem::exists(path.c_str()); }

// An update for a chart with GUID 01 02 .. 10, two patches of tile 3 (the
// later wins), one of tile 0, both blocks and a text.
inline SBuiltUpdate SampleUpdate() {
  SBuiltUpdate u;
  u.dateTime = 46000.25;
  for (int i = 0; i < 16; ++i) u.chart.guid[i] = static_cast<uint8_t>(i + 1);
  u.chart.idCode = 7;
  u.chart.text1 = "Harbour";
  u.chart.text2 = "Approach";
  u.chart.text3 = "NL-1801";
  u.chart.text4 = "Edition 3";
  u.chart.idNumber = 1801;
  u.patches = {{3, PatchRun(0, {0x112233})},
               {0, PatchRun(5, {0xAABBCC, 0xDDEEFF}) + PatchRun(9, {0x010203})},
               {3, PatchRun(1, {0x445566})}};
  u.blockA = std::string("block A bytes");
  u.blockB = std::string("BB");
  u.text = "Notice to mariners";
  return u;
}

// Fails the n-th file operation of the writer for every n until it runs
// without meeting the failure: each failure must leave the folder exactly as
// it was (the target as before or still absent, no temporary file).
inline void FailEachOperation(const CScratchDir& dir, const std::function<bool()>& write) {
  std::vector<std::pair<std::string, std::string>> before;
  for (const std::string& name : dir.Names())
    before.emplace_back(name, ReadFile(dir.Path(name.c_str())));
  for (int32_t n = 1;; ++n) {
    td::FileFaultArm(n);
    const bool ok = write();
    const int32_t operations = td::FileFaultCount();
    td::FileFaultArm(0);
    if (operations < n) {
      EXPECT_TRUE(ok) << "without a failure";
      EXPECT_GT(n, 2) << "the writer creates, writes and renames";
      return;
    }
    EXPECT_FALSE(ok) << n;
    std::vector<std::pair<std::string, std::string>> after;
    for (const std::string& name : dir.Names())
      after.emplace_back(name, ReadFile(dir.Path(name.c_str())));
    ASSERT_EQ(after, before) << "failed operation " << n;
  }
}
