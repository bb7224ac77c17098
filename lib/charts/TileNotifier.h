// How a tile manager's thread tells windows that tiles arrived: PostMessageA
// on Windows; the native twin records each message instead, for the tests.
// Called by the manager under its lock; any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/charts/TCF2TileRequest.h"

enum : uint32_t {
  kTileMessageArrived = 0x2700,   // wParam 0, lParam 0
  kTileMessageProgress = 0x2701,  // wParam tiles done, lParam tiles of the batch
};

struct STileMessage {
  TWindowHandle Window;
  uint32_t Message;
  uint32_t WParam;
  uint32_t LParam;

  bool operator==(const STileMessage&) const = default;
};

class CTileNotifier {
 public:
  void Post(TWindowHandle window, uint32_t message, uint32_t wParam, uint32_t lParam);

  // Filled by the native twin only, in posting order.
  std::vector<STileMessage> Recorded;
};
