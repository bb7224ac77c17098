// Exports of the serial ports.
#include <cstddef>

#include "include/TdLib.h"
#include "lib/foundation/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"
#include "lib/gps/CommPort.h"

static_assert(sizeof(TdCallbackPair) == sizeof(SCallback));
static_assert(offsetof(TdCallbackPair, context) == offsetof(SCallback, Context));

// A port with all defaults whose events run on the thread that loaded the
// library.
TDEXPORT(TdObject*) CommPortCreate() { return td::ToHost(td::Create<CCommPort>(nullptr)); }
