// Progress reporting: nested operations report one position from 0.0 to 1.0
// for the whole job through the host's callback, and the host may cancel.
#pragma once

#include <cstdint>

#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"

// The records are the ones hosts fill (TdLib.h); the library's own long
// operations use them too.
using SProgressInfo = TdProgressInfo;
using SProgress = TdProgress;
using ProgressCallback = TdProgressCallback;

// The work of the progress exports, for the library's own callers.
namespace td {

void ProgressStageInit1(SProgress* record, float fraction, uint32_t stageId, ProgressCallback callback,
                        void* userData, uint32_t extra);
void ProgressLoopInit1(SProgress* record, int32_t count, float fraction, uint32_t stageId,
                       ProgressCallback callback, void* userData, uint32_t extra);
void ProgressStageInit(SProgress* child, const SProgress* parent, float fraction, uint32_t stageId);
void ProgressLoopInit(SProgress* child, const SProgress* parent, int32_t count, float fraction,
                      uint32_t stageId);
void ProgressStageNext(SProgress* record, float fraction, uint32_t stageId);
void ProgressLoopNext(SProgress* record);
// *err becomes 2 when the host cancelled, else 0.
void ProgressCall(const SProgress* record, float fraction, uint32_t value, uint32_t* err);

}  // namespace td
