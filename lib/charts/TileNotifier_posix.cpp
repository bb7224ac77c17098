#include "lib/charts/TileNotifier.h"

void CTileNotifier::Post(TWindowHandle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  Recorded.push_back({window, message, wParam, lParam});
}
