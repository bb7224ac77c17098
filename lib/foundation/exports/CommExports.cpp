// Exports of the serial ports and the receiver detector.
#include <cstddef>

#include "TdLib.h"
#include "lib/foundation/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/gps/CommPort.h"

static_assert(sizeof(TdCallbackPair) == sizeof(SCallback));
static_assert(offsetof(TdCallbackPair, context) == offsetof(SCallback, Context));

// A port with all defaults whose events run on the thread that loaded the
// library.
TDEXPORT(TdObject*) CommPortCreate() {
  return reinterpret_cast<TdObject*>(static_cast<CObject*>(td::Create<CCommPort>(nullptr)));
}
