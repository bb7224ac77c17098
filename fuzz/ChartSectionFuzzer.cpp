// Feeds arbitrary bytes straight to the payload parsers of the chart tag,
// the bounds and the update tag (random bytes would never pass a section's
// checksum). The first byte chooses the parser. A payload that ends early
// throws CStreamError; anything else must end in an error code.
#include <cstdint>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/geodesy/Geodetics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tables = GeodeticTablesInitialize() != nullptr;
  (void)tables;
  if (size == 0) return 0;
  CConstPointerStream payload(data + 1, static_cast<int64_t>(size - 1));
  uint32_t warnings = 0, error = 0;
  try {
    switch (data[0] % 3) {
      case 0: {
        CTCF2Tag tag;
        TCF2TagReadPayload(payload, tag, warnings, error);
        break;
      }
      case 1: {
        CTCF2Bounds bounds;
        if (TCF2BoundsReadPayload(payload, bounds, warnings, error)) bounds.Validate();
        break;
      }
      default: {
        CTCF2UpdateTag tag;
        TCF2UpdateTagReadPayload(payload, tag, warnings);
      }
    }
  } catch (const CStreamError&) {
  }
  return 0;
}
