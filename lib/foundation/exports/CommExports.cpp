// Exports of the serial ports and the receiver detector.
#include <cstddef>

#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"
#include "lib/gps/CommPort.h"
#include "lib/gps/NMEADetector.h"

static_assert(sizeof(TdCallback) == sizeof(SCallback));
static_assert(offsetof(TdCallback, context) == offsetof(SCallback, Context));
static_assert(sizeof(TdNMEADetectorSetting) == sizeof(SNMEADetectorSetting));
static_assert(offsetof(TdNMEADetectorSetting, handshake) ==
              offsetof(SNMEADetectorSetting, Handshake));

// A port with all defaults whose events run on the thread that loaded the
// library.
TDEXPORT(TdObject*) CommPortCreate() { return td::ToHost(td::Create<CCommPort>(nullptr)); }

TDEXPORT(TdObject*) NMEADetectorCreate() { return td::ToHost(td::Create<CNMEADetector>()); }
