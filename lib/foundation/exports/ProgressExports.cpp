// Exports of progress reporting: the host's records, filled and advanced by
// the library's own functions.
#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/display/Progress.h"
#include "lib/foundation/exports/Guard.h"

TDEXPORT(void) ProgressStageInit1(TdProgress* record, float fraction, uint32_t stageId,
                                  TdProgressCallback callback, void* userData, uint32_t extra) {
  td::GuardVoid(
      [&] { td::ProgressStageInit1(record, fraction, stageId, callback, userData, extra); });
}

TDEXPORT(void) ProgressLoopInit1(TdProgress* record, int32_t count, float fraction, uint32_t stageId,
                                 TdProgressCallback callback, void* userData, uint32_t extra) {
  td::GuardVoid(
      [&] { td::ProgressLoopInit1(record, count, fraction, stageId, callback, userData, extra); });
}

TDEXPORT(void) ProgressStageInit(TdProgress* child, const TdProgress* parent, float fraction,
                                 uint32_t stageId) {
  td::GuardVoid([&] { td::ProgressStageInit(child, parent, fraction, stageId); });
}

TDEXPORT(void) ProgressLoopInit(TdProgress* child, const TdProgress* parent, int32_t count,
                                float fraction, uint32_t stageId) {
  td::GuardVoid([&] { td::ProgressLoopInit(child, parent, count, fraction, stageId); });
}

TDEXPORT(void) ProgressStageNext(TdProgress* record, float fraction, uint32_t stageId) {
  td::GuardVoid([&] { td::ProgressStageNext(record, fraction, stageId); });
}

TDEXPORT(void) ProgressLoopNext(TdProgress* record) {
  td::GuardVoid([&] { td::ProgressLoopNext(record); });
}

// The host's callback is not guarded: an exception cannot come out of it.
TDEXPORT(void) ProgressCall(const TdProgress* record, float fraction, uint32_t value,
                            uint32_t* error) {
  td::GuardVoidCode(error, [&] { td::ProgressCall(record, fraction, value, error); });
}
