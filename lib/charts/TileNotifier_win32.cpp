#include <windows.h>

#include "lib/charts/TileNotifier.h"

void CTileNotifier::Post(TWindowHandle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  PostMessageA(static_cast<HWND>(window), message, wParam, static_cast<LPARAM>(lParam));
}
