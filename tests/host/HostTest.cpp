#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

extern "C" int RunCHost(const char* dll_path, char* message);

namespace {

const std::string kDll = std::string(TDLIB_DIST_DIR) + "/TdLib.dll";

TEST(Host, PlainCHostCallsExportsAndSlotZero) {
  char message[128] = "";
  EXPECT_EQ(RunCHost(kDll.c_str(), message), 1) << message;
}

std::set<std::string> DefNames() {
  std::ifstream def(std::string(TDLIB_SOURCE_DIR) + "/lib/foundation/exports/TdLib.def");
  std::set<std::string> names;
  std::string line;
  bool exports = false;
  while (std::getline(def, line)) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word[0] == ';') continue;
    if (word == "EXPORTS") exports = true;
    else if (exports) names.insert(word);
  }
  return names;
}

std::set<std::string> ExportTable(HMODULE dll) {
  auto base = reinterpret_cast<const BYTE*>(dll);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::set<std::string> result;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) result.insert(reinterpret_cast<const char*>(base + names[i]));
  return result;
}

TEST(Host, ExportTableMatchesDefFile) {
  HMODULE dll = LoadLibraryA(kDll.c_str());
  ASSERT_NE(dll, nullptr);
  std::set<std::string> def = DefNames();
  EXPECT_FALSE(def.empty());
  EXPECT_EQ(ExportTable(dll), def);
  FreeLibrary(dll);
}

TEST(Host, HeaderDeclaresEveryExport) {
  std::ifstream header(std::string(TDLIB_SOURCE_DIR) + "/include/TdLib.h");
  std::stringstream text;
  text << header.rdbuf();
  for (const std::string& name : DefNames())
    EXPECT_NE(text.str().find(" TDLIB_API " + name + "("), std::string::npos) << name;
}

}  // namespace
