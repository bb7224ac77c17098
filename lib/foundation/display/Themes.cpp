#include "lib/foundation/display/Themes.h"

#include <windows.h>

#include "lib/foundation/app/FinalizeRegistry.h"

namespace {

HMODULE g_uxTheme = nullptr;
bool g_initialized = false;

void FreeThemes() {
  if (g_uxTheme) FreeLibrary(g_uxTheme);
  g_uxTheme = nullptr;
  g_initialized = false;
}

bool CallQuery(const char* name) {
  using Query = BOOL(WINAPI*)();
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(g_uxTheme, name)));
  return query && query();
}

}  // namespace

namespace td {

void ThemesInitialize() {
  if (g_initialized) return;
  try {
    AddFinalizeProc(FreeThemes);
  } catch (...) {
    return;  // without its clean-up the library is not loaded
  }
  g_initialized = true;
  g_uxTheme = LoadLibraryA("uxtheme.dll");
}

bool ThemesAvailable() { return g_uxTheme != nullptr; }

bool ThemesEnabled() {
  return ThemesAvailable() && CallQuery("IsAppThemed") && CallQuery("IsThemeActive");
}

}  // namespace td
