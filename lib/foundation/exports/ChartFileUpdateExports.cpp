// The export that applies an update to a chart file. Like the rest of the
// update family it takes its file name as a CStr.
#include <cstdint>

#include "TdLib.h"
#include "lib/charts/TCF2FileUpdate.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/foundation/exports/HostTypes.h"

namespace td {
TD_HOST_CLASS(TdTCF2Update, CTCF2Update)
}  // namespace td

TDEXPORT(void)
TCF2FileUpdate(const TdStr* chartName, TdTCF2Update* update, uint8_t* flag, TdObject* zip,
               const TdProgress* progress, uint32_t* error) {
  td::GuardCode(error, false, [&] {
    uint8_t unused = 0;
    uint8_t& flagOut = flag ? *flag : unused;
    flagOut = 0;
    if (chartName == nullptr || update == nullptr) {
      *error = kErrUnknown;
      return false;
    }
    return TCF2FileUpdate(*td::FromHost(chartName), *td::FromHost(update), flagOut,
                          static_cast<const CZip*>(td::FromHost(zip)), progress, *error);
  });
}
