#include "lib/foundation/display/Progress.h"

#include "lib/foundation/core/ErrorCodes.h"

// Single precision throughout: every product or sum is stored as f32.

namespace td {

void ProgressStageInit1(SProgress* record, float fraction, uint32_t stageId,
                        ProgressCallback callback, void* userData, uint32_t extra) {
  *record = {callback, userData, 0.0f, 1.0f, stageId, fraction, extra};
}

void ProgressLoopInit1(SProgress* record, int32_t count, float fraction, uint32_t stageId,
                       ProgressCallback callback, void* userData, uint32_t extra) {
  *record = {callback, userData, 0.0f, 1.0f, stageId, fraction, extra};
  if (count != 0) {
    record->step = static_cast<float>(static_cast<double>(fraction) / count);
  } else {
    record->position = fraction;
  }
}

void ProgressStageInit(SProgress* child, const SProgress* parent, float fraction,
                       uint32_t stageId) {
  float scale = parent->step;
  *child = {parent->callback, parent->userData, parent->position, scale, stageId,
            static_cast<float>(static_cast<double>(fraction) * scale), parent->extra};
}

void ProgressLoopInit(SProgress* child, const SProgress* parent, int32_t count, float fraction,
                      uint32_t stageId) {
  float scale = parent->step;
  float step = static_cast<float>(static_cast<double>(fraction) * scale);
  if (count != 0) step = static_cast<float>(static_cast<double>(step) / count);
  *child = {parent->callback, parent->userData, parent->position, scale, stageId, step,
            parent->extra};
}

void ProgressStageNext(SProgress* record, float fraction, uint32_t stageId) {
  record->stageId = stageId;
  record->position = static_cast<float>(static_cast<double>(record->position) + record->step);
  record->step = static_cast<float>(static_cast<double>(fraction) * record->scale);
}

void ProgressLoopNext(SProgress* record) {
  record->position = static_cast<float>(static_cast<double>(record->position) + record->step);
}

void ProgressCall(const SProgress* record, float fraction, uint32_t value,
                            uint32_t* err) {
  *err = 0;
  if (!record->callback) return;
  SProgressInfo info{record->stageId,
                     fraction,
                     static_cast<float>(record->position + static_cast<double>(fraction) * record->step),
                     record->extra,
                     value,
                     0};
  record->callback(record->userData, &info);
  if (info.cancel) *err = kErrCanceled;
}

}  // namespace td
