#include "tool/ErrorLog.h"

#include <windows.h>

#include <fstream>
#include <vector>

#include "lib/foundation/files/FileNaming.h"

namespace {

bool Taken(const char* name) {
  return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

void SplitLines(const std::string& text, std::vector<std::string>& lines,
                size_t limit) {
  size_t start = 0;
  while (start < text.size() && lines.size() < limit) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
}

// Only the first lines of an old log matter; a huge log is not read whole.
void ReadFirstLines(const std::string& path, std::vector<std::string>& lines,
                    size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (lines.size() < limit && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  out.flush();
  bool ok = out.good();
  out.close();
  return ok && !out.fail();
}

}  // namespace

bool PrependToErrorLog(const std::string& path, const std::string& block) {
  try {
    std::vector<std::string> lines;
    SplitLines(block, lines, kErrorLogMaxLines);
    ReadFirstLines(path, lines, kErrorLogMaxLines);
    std::string temporary = TempFileNameFor(path, Taken);
    if (WriteLines(temporary, lines) &&
        MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    DeleteFileA(temporary.c_str());
  } catch (...) {
  }
  return false;
}
