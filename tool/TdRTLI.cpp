#include "tool/TdRTLI.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "tool/StackCapture.h"

namespace {

TLineTable g_table;

uintptr_t ModuleBase() {
  return reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
}

void LoadTable() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(kRTLIResourceId),
                             MAKEINTRESOURCEA(10));
  if (info == nullptr) return;
  HGLOBAL handle = LoadResource(module, info);
  const void* data = handle != nullptr ? LockResource(handle) : nullptr;
  if (data != nullptr) g_table.Load(data, SizeofResource(module, info));
}

std::string TimeText(uint32_t seconds) {
  time_t t = seconds;
  struct tm utc;
  gmtime_s(&utc, &t);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &utc);
  return text;
}

struct Row {
  uint32_t logical;
  TLineTable::Location where;
};

}  // namespace

void RTLIInitialize() {
  StackCapture::Install();
  if (!g_table.Loaded()) LoadTable();
}

void RTLIFinalize() { StackCapture::Uninstall(); }

bool RTLIAvailable() { return g_table.Loaded(); }

uint32_t RTLIGenerationTime() { return g_table.GenerationTime(); }

bool RTLIFindAddress(uintptr_t address, TLineTable::Location& where) {
  return g_table.Find(static_cast<uint32_t>(address - ModuleBase()), where);
}

std::string RTLIStackTraceText() {
  if (!RTLIAvailable()) return "(NO RTLI AVAILABLE!)\r\n";
  std::vector<Row> rows;
  size_t width = 0;
  for (int i = 0; i < StackCapture::Count(); ++i) {
    uintptr_t address = StackCapture::Address(i);
    // A return address belongs to the call before it.
    bool exact = i == 0 && StackCapture::FirstIsFaultAddress();
    Row row{static_cast<uint32_t>(address - ModuleBase() - 0x1000), {}};
    RTLIFindAddress(exact ? address : address - 1, row.where);
    width = std::max(width, row.where.File.size());
    rows.push_back(row);
  }
  int w = static_cast<int>(width);
  std::string text = "RTLI generation timestamp: " +
                     TimeText(RTLIGenerationTime()) + "\r\n\r\nStack trace:\r\n";
  std::vector<char> line(w + 64);
  std::snprintf(line.data(), line.size(), "%8s %*s %6s %s\r\n", "Logical", w,
                "File", "LineNr", "Routine");
  text += line.data();
  for (const Row& row : rows) {
    std::string routine = row.where.Unit.empty()
                              ? ""
                              : row.where.Unit + "." + row.where.Procedure;
    if (row.where.File.empty())
      std::snprintf(line.data(), line.size(), "%8.8x %*s %6s ", row.logical, w,
                    "", "");
    else
      std::snprintf(line.data(), line.size(), "%8.8x %*s %6d ", row.logical, w,
                    row.where.File.c_str(), row.where.Line);
    text += line.data() + routine + "\r\n";
  }
  return text + "\r\n\r\n";
}
