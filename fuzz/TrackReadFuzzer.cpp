// Reads arbitrary bytes as a track file through a memory stream: the summary,
// then the points. A hostile file must end in a track or stream error or in
// fewer points, never in a crash, undefined behaviour or a huge allocation,
// and no point may come from nothing: every point after the first costs at
// least 8 bytes.

#include <cstdlib>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/gps/TrackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CConstPointerStream stream(data, static_cast<int64_t>(size));
  STrackInfo info;
  std::vector<SNMEATrackPoint> points;
  try {
    GetTrackInfo(stream, info);
  } catch (const CNMEATrackError&) {
    return 0;
  } catch (const CStreamError&) {
    return 0;
  }
  ReadTrackPoints(stream, info, points);
  if (points.size() > size / 8 + 1 || points.size() > info.Count) std::abort();
  return 0;
}
